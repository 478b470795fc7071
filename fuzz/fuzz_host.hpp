#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "generator/host.hpp"

namespace zxmaze::fuzz {

// The window's texts as plain arrays, the window's defaults to begin with. Never step by step:
// its pauses would only slow the fuzzer down.
class FuzzHost : public Host {
public:
    std::array<std::string, 12> settings{"128", "64", "50", "90", "10", "50", "5", "100", "20", "2", "6", "1"};
    std::array<std::string, 6> codes{"0", "1", "2", "3", "4", "5"};
    FileCoding coding = FileCoding::fcBytePerCell;
    std::string status;

    std::string SettingText(SettingField field) const override { return settings[static_cast<std::size_t>(field)]; }
    std::string CodeText(CodeField field) const override { return codes[static_cast<std::size_t>(field)]; }
    FileCoding Coding() const override { return coding; }
    bool StepByStep() const override { return false; }
    std::string ListingPath() const override { return "labirint.txt"; }
    void SetStatus(std::string_view text) override { status = text; }
    void RepaintStatus() override {}
    void RefreshPicture(const Picture&) override {}
    void ShowError(std::string_view) override {}
};

// Stops the fuzzer with a readable reason; libFuzzer then saves the input that broke the rule.
[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

inline void Check(bool holds, const std::string& what) {
    if (!holds) Broken(what);
}

}  // namespace zxmaze::fuzz
