// zxmaze-cli's arguments, one per line of the input: never a crash; a usage error is status 2 with
// the usage hint on stderr and nothing on stdout; what the parser accepts or refuses, and the
// options it reads, follow the option rules as read independently here ("--name value" takes the
// next argument whatever it is, "--name=value" likewise, the last of a repeated option wins, flags
// take no value, anything else is a usage error).
//
// Arguments the parser accepts are then run, in a folder of the fuzzer's own, when they stay cheap
// and inside it (a few runs, files named without a folder): status 0 with one line per run and the
// files named, or status 1 with one message; never a temporary file left behind.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.hpp"
#include "cli/run_cli.hpp"
#include "fuzz/fuzz_host.hpp"

namespace zxmaze::fuzz {
namespace {

namespace fs = std::filesystem;

const char* const kSettingNames[12] = {"--columns", "--rows", "--keep-corridor", "--same-direction",
                                       "--attempts", "--halls", "--max-hall", "--pillars", "--wall2",
                                       "--enemies-left", "--enemies-right", "--boxes"};
const char* const kCodeNames[6] = {"--code-corridor", "--code-wall1", "--code-pillar",
                                   "--code-wall2", "--code-enemy", "--code-box"};
const std::set<std::string> kOtherValueNames = {"--seed", "--count", "--output", "--png", "--bin"};
const std::set<std::string> kFlagNames = {"--random-node", "--half-byte"};

bool IsValueName(const std::string& name) {
    for (const char* n : kSettingNames) if (name == n) return true;
    for (const char* n : kCodeNames) if (name == n) return true;
    return kOtherValueNames.count(name) > 0;
}

// ASCII digits only, leading zeros allowed, up to 2^64 - 1.
std::optional<std::uint64_t> Digits(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const auto first = text.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    if (text.size() - first > 20) return std::nullopt;
    unsigned __int128 value = 0;
    for (std::size_t i = first; i < text.size(); ++i) value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > UINT64_MAX) return std::nullopt;
    return static_cast<std::uint64_t>(value);
}

// The options the rules give for `args`, or nothing for a usage error. Help and version requests
// are left to the parser: the caller skips those inputs.
std::optional<CliOptions> ExpectedOptions(const std::vector<std::string>& args) {
    std::map<std::string, std::string> values;  // the last value of each value option
    CliOptions options;
    std::optional<std::string> report;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const bool hasValue = equals != std::string::npos;
        if (IsValueName(arg)) {
            if (i + 1 == args.size()) return std::nullopt;  // missing value
            values[arg] = args[++i];
        } else if (hasValue && IsValueName(name)) {
            values[name] = arg.substr(equals + 1);
        } else if (kFlagNames.count(arg) > 0) {
            (arg == "--random-node" ? options.randomNode : options.halfByte) = true;
        } else if (arg == "--report") {
            // Its value is optional: the next argument is taken when it is no option.
            if (i + 1 < args.size() && !args[i + 1].starts_with('-')) {
                report = args[++i];
            } else {
                report = "";
            }
        } else if (hasValue && name == "--report") {
            report = arg.substr(equals + 1);
        } else {
            return std::nullopt;  // unknown option, flag with a value, or a bare argument
        }
    }
    for (std::size_t i = 0; i < 12; ++i) {
        if (values.count(kSettingNames[i]) > 0) {
            options.settingTexts[i] = values[kSettingNames[i]];
        } else {
            options.settingTexts[i] = std::array{"128", "64", "50", "90", "10", "50", "5", "100", "20", "2", "6", "1"}[i];
        }
    }
    for (std::size_t i = 0; i < 6; ++i) {
        options.codeTexts[i] = values.count(kCodeNames[i]) > 0 ? values[kCodeNames[i]] : std::to_string(i);
    }
    if (values.count("--seed") > 0) {
        options.seed = Digits(values["--seed"]);
        if (!options.seed) return std::nullopt;
    }
    if (values.count("--count") > 0) {
        const auto count = Digits(values["--count"]);
        if (!count || *count == 0) return std::nullopt;
        options.count = *count;
    }
    if (values.count("--output") > 0) options.output = values["--output"];
    if (values.count("--png") > 0) options.png = values["--png"];
    if (values.count("--bin") > 0) options.bin = values["--bin"];
    if (report) {
        if (report->empty() || *report == "text") {
            options.report = CliOptions::Report::Text;
        } else if (*report == "json") {
            options.report = CliOptions::Report::Json;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

bool Same(const CliOptions& a, const CliOptions& b) {
    return a.settingTexts == b.settingTexts && a.codeTexts == b.codeTexts && a.randomNode == b.randomNode &&
           a.halfByte == b.halfByte && a.seed == b.seed && a.count == b.count && a.output == b.output &&
           a.png == b.png && a.bin == b.bin && a.report == b.report;
}

// Arguments that ask for help or the version: the parser answers those before anything else.
bool AsksForHelp(const std::vector<std::string>& args) {
    for (const auto& arg : args) {
        if (arg.starts_with("-h") || arg.starts_with("--help") || arg.starts_with("--version")) return true;
    }
    return false;
}

// A file name the runs may write: in the working folder, and never the folder itself.
bool StaysHere(const std::string& pattern) { return pattern.find('/') == std::string::npos && pattern.size() < 200; }

std::string ForRun(const std::string& pattern, std::uint64_t run) {
    std::string path;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 3, "{n}") == 0) {
            path += std::to_string(run);
            i += 2;
        } else {
            path += pattern[i];
        }
    }
    return path;
}

// The fuzzer's own working folder, emptied before every run and removed at the end.
class WorkFolder {
public:
    WorkFolder() {
        std::string pattern = (fs::temp_directory_path() / "zxmaze-fuzz-cli-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) Broken("cannot make a working folder");
        path_ = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// In the working folder for as long as it lives; libFuzzer's own paths may be relative.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : home_(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(home_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path home_;
};

void EmptyFolder(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

void CheckRun(const std::vector<std::string>& args, const CliOptions& options) {
    static const WorkFolder work;
    const fs::path& folder = work.Path();
    EmptyFolder(folder);
    std::vector<std::string> seeded = args;
    if (!options.seed) seeded.insert(seeded.begin(), "--seed=0");  // the clock would make runs differ
    std::ostringstream out;
    std::ostringstream err;
    int status = -1;
    {
        const InFolder here(folder);
        status = RunCli(seeded, out, err);
    }
    // Only the files the runs name may be there: anything else is a temporary file left behind.
    const std::set<std::string> names = Names(folder);
    std::set<std::string> named;
    for (std::uint64_t run = 1; run <= options.count; ++run) {
        for (const auto& pattern : {std::optional(options.output), options.png, options.bin}) {
            if (pattern) named.insert(ForRun(*pattern, run));
        }
    }
    for (const auto& name : names) Check(named.count(name) > 0, "a file no run names was left behind: " + name);
    std::size_t lines = 0;
    for (char c : out.str()) lines += c == '\n' ? 1 : 0;
    if (status == 0) {
        Check(err.str().empty(), "a run that worked printed on stderr");
        if (options.report == CliOptions::Report::None) Check(lines == options.count, "one stdout line per run");
        for (std::uint64_t run = 1; run <= options.count; ++run) {
            Check(names.count(ForRun(options.output, run)) > 0, "the listing of a run is there");
        }
    } else if (status == 1) {
        Check(err.str().starts_with("zxmaze-cli: ") && err.str().ends_with("\n") &&
                  err.str().find('\n') == err.str().size() - 1,
              "one message line for a failed run: " + err.str());
    } else {
        Check(status == 2 && options.bin.has_value() && err.str().starts_with("zxmaze-cli: --bin: "),
              "only --bin's code check is a usage error after parsing; status " + std::to_string(status));
        Check(out.str().empty() && names.empty(), "a usage error writes nothing");
    }
}

}  // namespace
}  // namespace zxmaze::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zxmaze;
    using namespace zxmaze::fuzz;
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (input.find('\0') != std::string::npos) return -1;  // no real argument holds a NUL
    std::vector<std::string> args;
    std::size_t from = 0;
    while (from < input.size()) {
        const auto end = input.find('\n', from);
        args.push_back(input.substr(from, end == std::string::npos ? std::string::npos : end - from));
        from = end == std::string::npos ? input.size() : end + 1;
    }

    const CliParse parse = ParseCliArguments(args);
    if (parse.options) {
        Check(parse.status == 0 && parse.text.empty(), "options come with status 0 and no text");
    } else if (parse.status == 2) {
        Check(parse.text.starts_with("zxmaze-cli: ") && parse.text.ends_with("\nRun with --help for the options.\n"),
              "usage error text: " + parse.text);
    } else {
        Check(parse.status == 0 && !parse.text.empty(), "help or version: status 0 with a text");
        Check(AsksForHelp(args), "help or version without being asked");
    }

    if (!AsksForHelp(args)) {
        const auto expected = ExpectedOptions(args);
        Check(expected.has_value() == parse.options.has_value(),
              parse.options ? "arguments the rules refuse were accepted" : "arguments the rules accept were refused: " + parse.text);
        if (expected) Check(Same(*expected, *parse.options), "options read against the rules");
    }

    if (parse.options && parse.options->count <= 3 && StaysHere(parse.options->output) &&
        StaysHere(parse.options->png.value_or("")) && StaysHere(parse.options->bin.value_or(""))) {
        CheckRun(args, *parse.options);
    }
    return 0;
}
