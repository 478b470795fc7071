#include <csignal>
#include <iostream>

#include "cli/run_cli.hpp"

int main(int argc, char** argv) {
    // Two signals would end the process in the middle of writing a file, before it could say what
    // went wrong: past a file-size limit (ulimit -f), and writing into a pipe whose reader has
    // gone (a FIFO as the listing). Ignored, the write fails with EFBIG ("Disk full") or EPIPE
    // ("I/O error 32") instead, and the run stops with that message like any other file error.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    return zxmaze::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
