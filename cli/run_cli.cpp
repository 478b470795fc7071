#include "cli/run_cli.hpp"

#include <chrono>
#include <memory>

#include "cli/cli_host.hpp"
#include "cli/cli_options.hpp"
#include "cli/png_writer.hpp"
#include "export/safe_file_writer.hpp"
#include "generator/maze_error.hpp"
#include "generator/maze_generator.hpp"

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

void WritePicture(const Picture& picture, const std::string& path) {
    try {
        WriteFileSafely(path, EncodePng(picture));
    } catch (const MazeError& error) {
        throw MazeError("cannot write picture '" + path + "': " + error.what());
    }
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CliParse parse = ParseCliArguments(args);
    if (!parse.options) {
        (parse.status == 0 ? out : err) << parse.text;
        return parse.status;
    }
    const CliOptions& options = *parse.options;
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
            if (options.png) WritePicture(generator->Preview(), ForRun(*options.png, run));
        } catch (const MazeError& error) {
            host.ShowError(error.DisplayText());
            return 1;
        }
        out << "seed " << runSeed << ": " << host.Status() << '\n';
    }
    out.flush();
    return 0;
}

}  // namespace zxmaze
