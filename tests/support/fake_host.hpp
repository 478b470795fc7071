#pragma once

#include <map>
#include <string>
#include <vector>

#include "generator/host.hpp"
#include "preview/picture.hpp"

namespace zxmaze::testing {

// A host with the window's default texts that records what the engine asks of it.
class FakeHost : public Host {
public:
    FakeHost();

    std::map<SettingField, std::string> settings;
    std::map<CodeField, std::string> codes;
    FileCoding coding = FileCoding::fcBytePerCell;
    bool stepByStep = false;
    std::string listingPath = "labirint.txt";

    std::string status;
    int statusRepaints = 0;
    int pictureRefreshes = 0;
    std::vector<std::string> errors;
    // Every call that shows something, in order: "status:<text>", "repaint", "refresh", "error:<text>".
    std::vector<std::string> events;

    std::string SettingText(SettingField field) const override { return settings.at(field); }
    std::string CodeText(CodeField field) const override { return codes.at(field); }
    FileCoding Coding() const override { return coding; }
    bool StepByStep() const override { return stepByStep; }
    std::string ListingPath() const override { return listingPath; }
    void SetStatus(std::string_view text) override {
        status = text;
        events.push_back("status:" + status);
    }
    void RepaintStatus() override {
        ++statusRepaints;
        events.emplace_back("repaint");
    }
    void RefreshPicture(const Picture&) override {
        ++pictureRefreshes;
        events.emplace_back("refresh");
    }
    void ShowError(std::string_view text) override {
        errors.emplace_back(text);
        events.push_back("error:" + errors.back());
    }
};

}  // namespace zxmaze::testing
