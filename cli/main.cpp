#include <iostream>

#include "cli/run_cli.hpp"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return zxmaze::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
