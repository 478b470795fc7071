#include "support/cli_call.hpp"

#include <sstream>

#include "cli/run_cli.hpp"

namespace zxmaze::testing {

CliCall RunCliIn(const std::filesystem::path& dir, const std::vector<std::string>& args) {
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    std::ostringstream out;
    std::ostringstream err;
    CliCall call;
    call.status = RunCli(args, out, err);
    std::filesystem::current_path(home);
    call.out = out.str();
    call.err = err.str();
    return call;
}

}  // namespace zxmaze::testing
