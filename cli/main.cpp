#include <iostream>

#include "cli/run_cli.hpp"
#include "export/file_signals.hpp"

int main(int argc, char** argv) {
    zxmaze::ReportFileErrorsInsteadOfSignals();
    std::ios::sync_with_stdio(false);
    return zxmaze::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
