#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zxmaze {

// One call of zxmaze-cli: `args` without the program name. Returns the exit status:
// 0 all runs written, 1 a run stopped with an error, 2 a usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zxmaze
