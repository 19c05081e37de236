#include "cli/progress_monitor.h"

#include <unistd.h>

#include <cstdio>

#include "session/design_session_messages.h"

namespace vx::cli {

ProgressMonitor::ProgressMonitor(bool enabled, LineText lineText)
    : enabled_(enabled && isatty(STDERR_FILENO) != 0),
      lineText_(lineText ? std::move(lineText) : LineText(DesignProgressLine)) {}

ProgressMonitor::~ProgressMonitor() {
    if (shown_) {
        std::fputs("\n", stderr);
    }
}

void ProgressMonitor::Report(const DesignProgress& p) {
    if (!enabled_ ||
        (p.stage == last_.stage && p.retry == last_.retry && p.percent == last_.percent)) {
        return;
    }
    last_ = p;
    shown_ = true;
    std::string line = "\r";
    line += lineText_(p);
    line += "   ";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace vx::cli
