#include "cli/progress_monitor.h"

#include <unistd.h>

#include <cstdio>

#include "model/number_format.h"

namespace vx::cli {

ProgressMonitor::ProgressMonitor(bool enabled) : enabled_(enabled && isatty(STDERR_FILENO) != 0) {}

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
    const std::string line = "\rStufe " + FormatInt(p.stage + 1) + ", Durchlauf " +
                             FormatInt(p.retry + 1) + ": " + FormatInt(p.percent) + " %   ";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace vx::cli
