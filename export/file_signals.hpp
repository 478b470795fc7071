#pragma once

namespace zxmaze {

// Two signals would end the process in the middle of writing a file, before it could say what
// went wrong: past a file-size limit (ulimit -f), and writing into a pipe whose reader has gone (a
// FIFO as the listing). Ignored, the write fails with EFBIG ("Disk full") or EPIPE ("I/O error 32")
// instead, and the run stops with that message like any other file error. Call once at start-up.
void ReportFileErrorsInsteadOfSignals();

}  // namespace zxmaze
