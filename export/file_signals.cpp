#include "export/file_signals.hpp"

#include <csignal>

namespace zxmaze {

void ReportFileErrorsInsteadOfSignals() {
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace zxmaze
