#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zxmaze {

// What one call of zxmaze-cli asks for. The settings are texts, exactly as the window's fields
// would hold them, so they go through the same intake and give the same messages.
struct CliOptions {
    std::array<std::string, 12> settingTexts;  // in SettingField order
    std::array<std::string, 6> codeTexts;      // in CodeField order
    bool randomNode = false;
    bool halfByte = false;
    std::optional<std::uint64_t> seed;
    std::uint64_t count = 1;
    std::string output = "labirint.txt";
    std::optional<std::string> png;
    std::optional<std::string> bin;
    enum class Report { None, Text, Json } report = Report::None;
};

// The outcome of reading the arguments: either options to run, or a text to print and an exit
// status (help and version on stdout with status 0, usage errors on stderr with status 2).
struct CliParse {
    std::optional<CliOptions> options;
    std::string text;
    int status = 0;
};

// `args` without the program name.
CliParse ParseCliArguments(const std::vector<std::string>& args);

}  // namespace zxmaze
