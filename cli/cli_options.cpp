#include "cli/cli_options.hpp"

#include <CLI/CLI.hpp>

#include <charconv>

namespace zxmaze {
namespace {

struct TextOption {
    const char* name;
    const char* field;
    const char* defaultText;
};

// In SettingField order.
constexpr TextOption kSettingOptions[12] = {
    {"--columns", "Number of cells in length", "128"},
    {"--rows", "Number of cells in width", "64"},
    {"--keep-corridor", "Probability for continuation of current corridor, % (with --random-node)", "50"},
    {"--same-direction", "Probability for continuation of current corridor to the same, %", "90"},
    {"--attempts", "Number of attempts for generation from current corridor", "10"},
    {"--halls", "Number of halls", "50"},
    {"--max-hall", "Maximal hall length/width, cells", "5"},
    {"--pillars", "Probability for pillars in halls, %", "100"},
    {"--wall2", "Probability for walls of type 2, %", "20"},
    {"--enemies-left", "Probability for enemies in left part of maze, %", "2"},
    {"--enemies-right", "Probability for enemies in right part of maze, %", "6"},
    {"--boxes", "Probability for box, %", "1"},
};

// In CodeField order.
constexpr TextOption kCodeOptions[6] = {
    {"--code-corridor", "Code text of a corridor", "0"}, {"--code-wall1", "Code text of a type-1 wall", "1"},
    {"--code-pillar", "Code text of a pillar", "2"},     {"--code-wall2", "Code text of a type-2 wall", "3"},
    {"--code-enemy", "Code text of an enemy", "4"},      {"--code-box", "Code text of a box", "5"},
};

constexpr const char* kFlags[] = {"--random-node", "--half-byte"};

const char* const kUsageHint = "Run with --help for the options.";

// ASCII digits only (leading zeros allowed), as a 64-bit unsigned value.
std::optional<std::uint64_t> ParseUnsigned(const std::string& text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

bool IsValueOption(const std::string& name) {
    static const std::vector<std::string> extra = {"--seed", "--count", "--output", "--png", "--bin"};
    for (const auto& option : kSettingOptions) if (name == option.name) return true;
    for (const auto& option : kCodeOptions) if (name == option.name) return true;
    return std::find(extra.begin(), extra.end(), name) != extra.end();
}

bool IsFlag(const std::string& name) {
    return std::find(std::begin(kFlags), std::end(kFlags), name) != std::end(kFlags);
}

// The parser reads "--name=" as a name still waiting for its value. An empty value travels as
// this text instead, which no real argument can hold (arguments end at their first NUL).
const std::string kEmptyValue(1, '\0');

std::string Unwrap(const std::string& value) { return value == kEmptyValue ? std::string() : value; }

// The value of "--name value" is always the next argument, even when it starts with '-' or is
// empty; joining each pair into "--name=value" before the parser sees it makes that so.
// A flag written with a value ("--half-byte=1") is refused here, as the parser would take it.
std::optional<std::vector<std::string>> JoinValues(const std::vector<std::string>& args, std::string& error) {
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (IsFlag(name) && name != arg) {
            error = "the flag " + name + " takes no value";
            return std::nullopt;
        }
        // The parser would take "--" as the end of the options and accept it with nothing after
        // it; but it is no option of ours, so it is refused like any other.
        if (arg == "--") {
            error = "unknown option --";
            return std::nullopt;
        }
        if (IsValueOption(arg) && i + 1 < args.size()) {
            const std::string& value = args[++i];
            joined.push_back(arg + "=" + (value.empty() ? kEmptyValue : value));
        } else if ((IsValueOption(name) || name == "--report") && equals == arg.size() - 1) {
            // Also "--report=": left empty, the parser would take the next argument as its value.
            joined.push_back(arg + kEmptyValue);
        } else {
            joined.push_back(arg);
        }
    }
    return joined;
}

CliParse UsageError(const std::string& message) {
    return {std::nullopt, "zxmaze-cli: " + message + "\n" + kUsageHint + "\n", 2};
}

}  // namespace

CliParse ParseCliArguments(const std::vector<std::string>& args) {
    CliOptions options;
    CLI::App app{"Generates a random maze map for a ZX Spectrum game and writes it as Z80 assembler data.",
                 "zxmaze-cli"};
    app.set_version_flag("--version", std::string("zxmaze-cli ") + ZXMAZE_VERSION);
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);

    for (std::size_t i = 0; i < options.settingTexts.size(); ++i) {
        options.settingTexts[i] = kSettingOptions[i].defaultText;
        app.add_option(kSettingOptions[i].name, options.settingTexts[i], kSettingOptions[i].field)
            ->capture_default_str()->type_name("TEXT");
    }
    for (std::size_t i = 0; i < options.codeTexts.size(); ++i) {
        options.codeTexts[i] = kCodeOptions[i].defaultText;
        app.add_option(kCodeOptions[i].name, options.codeTexts[i], kCodeOptions[i].field)
            ->capture_default_str()->type_name("TEXT");
    }
    app.add_flag("--random-node", options.randomNode,
                 "Grow from a random node with the --keep-corridor probability (default: the newest)");
    app.add_flag("--half-byte", options.halfByte, "Half a byte per cell in the listing (default: a byte per cell)");
    std::string seedText;
    std::string countText = "1";
    app.add_option("--seed", seedText, "Seed of the first run, 0..18446744073709551615 (default: from the clock)")
        ->type_name("N");
    app.add_option("--count", countText, "Number of runs in sequence; run k uses seed + k - 1")
        ->capture_default_str()->type_name("N");
    app.add_option("--output", options.output, "Listing file; {n} is replaced by the run number")
        ->capture_default_str()->type_name("PATH");
    std::string pngPath;
    auto* png = app.add_option("--png", pngPath, "Also write the picture as PNG; {n} as for --output")
        ->type_name("PATH");

    std::string binPath;
    auto* bin = app.add_option("--bin", binPath,
                               "Also write the bytes the listing assembles to (code texts must be hexadecimal); "
                               "{n} as for --output")
                    ->type_name("PATH");
    std::string reportFormat;
    auto* report = app.add_option("--report", reportFormat, "After each run, facts about the maze: text or json")
                       ->expected(0, 1)
                       ->type_name("[text|json]");

    std::string joinError;
    auto joined = JoinValues(args, joinError);
    if (!joined) return UsageError(joinError);
    std::reverse(joined->begin(), joined->end());  // CLI11 takes its arguments last first
    try {
        app.parse(*joined);
    } catch (const CLI::CallForHelp&) {
        return {std::nullopt, app.help(), 0};
    } catch (const CLI::CallForVersion&) {
        return {std::nullopt, std::string("zxmaze-cli ") + ZXMAZE_VERSION + "\n", 0};
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }

    for (auto& text : options.settingTexts) text = Unwrap(text);
    for (auto& text : options.codeTexts) text = Unwrap(text);
    options.output = Unwrap(options.output);
    pngPath = Unwrap(pngPath);
    seedText = Unwrap(seedText);
    countText = Unwrap(countText);
    if (app.count("--seed") > 0) {
        options.seed = ParseUnsigned(seedText);
        if (!options.seed) return UsageError("--seed takes a number from 0 to 18446744073709551615");
    }
    const auto count = ParseUnsigned(countText);
    if (!count || *count == 0) return UsageError("--count takes a number of runs, 1 or more");
    options.count = *count;
    if (png->count() > 0) options.png = pngPath;
    if (bin->count() > 0) options.bin = Unwrap(binPath);
    if (report->count() > 0) {
        reportFormat = Unwrap(reportFormat);
        if (reportFormat.empty() || reportFormat == "text") {
            options.report = CliOptions::Report::Text;
        } else if (reportFormat == "json") {
            options.report = CliOptions::Report::Json;
        } else {
            return UsageError("--report takes text or json, not '" + reportFormat + "'");
        }
    }
    return {std::move(options), "", 0};
}

}  // namespace zxmaze
