#include "cli/run_cli.hpp"

#include <chrono>
#include <memory>

#include "cli/cli_host.hpp"
#include "cli/cli_options.hpp"
#include "cli/png_writer.hpp"
#include "export/binary_image.hpp"
#include "export/safe_file_writer.hpp"
#include "generator/maze_error.hpp"
#include "generator/maze_generator.hpp"
#include "report/maze_report.hpp"

namespace zxmaze {
namespace {

// Every "{n}" in `pattern` replaced by the run number.
std::string ForRun(const std::string& pattern, std::uint64_t run) {
    const std::string number = std::to_string(run);
    std::string path;
    std::size_t from = 0;
    for (auto at = pattern.find("{n}"); at != std::string::npos; at = pattern.find("{n}", from)) {
        path.append(pattern, from, at - from).append(number);
        from = at + 3;
    }
    return path.append(pattern, from);
}

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

// Writes one of the extra files of a run; its errors name the file, as the listing's do not.
void WriteExtraFile(const char* what, const std::string& path, const std::string& bytes) {
    try {
        WriteFileSafely(path, bytes);
    } catch (const MazeError& error) {
        throw MazeError(std::string("cannot write ") + what + " '" + path + "': " + error.what());
    }
}

// The option names of the six code texts, for messages.
const std::array<std::string, 6> kCodeOptionNames = {"--code-corridor", "--code-wall1", "--code-pillar",
                                                      "--code-wall2",    "--code-enemy", "--code-box"};

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CliParse parse = ParseCliArguments(args);
    if (!parse.options) {
        (parse.status == 0 ? out : err) << parse.text;
        return parse.status;
    }
    const CliOptions& options = *parse.options;
    const FileCoding coding = options.halfByte ? FileCoding::fcHalfBytePerCell : FileCoding::fcBytePerCell;
    if (options.bin) {
        if (const auto problem = BinaryImageProblem(coding, options.codeTexts, kCodeOptionNames)) {
            err << "zxmaze-cli: --bin: " << *problem << "\nRun with --help for the options.\n";
            return 2;
        }
    }
    const std::uint64_t seed = options.seed.value_or(ClockSeed());

    // The generator holds 128 KiB of node list: keep it off the stack.
    auto generator = std::make_unique<MazeGenerator>();
    generator->SetRandomNodeMode(options.randomNode);
    CliHost host(options, err);
    for (std::uint64_t run = 1; run <= options.count; ++run) {
        const std::uint64_t runSeed = seed + (run - 1);  // wraps modulo 2^64
        host.SetListingPath(ForRun(options.output, run));
        try {
            generator->Run(host, runSeed);
            const auto& settings = generator->Settings();
            if (options.bin) {
                WriteExtraFile("binary", ForRun(*options.bin, run),
                               AssembleBinaryImage(generator->Grid(), settings.LastX, settings.LastY, coding,
                                                   options.codeTexts));
            }
            if (options.png) WriteExtraFile("picture", ForRun(*options.png, run), EncodePng(generator->Preview()));
        } catch (const MazeError& error) {
            host.ShowError(error.DisplayText());
            return 1;
        }
        out << "seed " << runSeed << ": " << host.Status() << '\n';
        if (options.report != CliOptions::Report::None) {
            const auto& settings = generator->Settings();
            const MazeReport report =
                AnalyseMaze(generator->Grid(), generator->GridAfterGrowth(), settings.LastX, settings.LastY);
            out << (options.report == CliOptions::Report::Json ? FormatReportJson(report, runSeed)
                                                               : FormatReportText(report));
        }
    }
    out.flush();
    return 0;
}

}  // namespace zxmaze
