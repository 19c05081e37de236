#include "app/simulator_run.h"

#include <QProcess>
#include <QStringList>
#include <QTimer>

#include "dialogs/spice_wait_dlg.h"
#include "qt/qt_text.h"

namespace vx {

namespace {

QStringList Arguments(const ProcessRequest& request) {
    QStringList args;
    for (size_t i = 1; i < request.arguments.size(); ++i) {
        args << Qs(request.arguments[i]);
    }
    return args;
}

}  // namespace

std::optional<ProcessResult> CSimulatorRun::Run(const ProcessRequest& request) const {
    QProcess process;
    process.setProgram(Qs(request.arguments.at(0)));
    process.setArguments(Arguments(request));
    if (!request.workingDirectory.empty()) {
        process.setWorkingDirectory(Qs(request.workingDirectory));
    }
    if (!request.outputFile.empty()) {
        process.setProcessChannelMode(QProcess::MergedChannels);
        // A relative log lies in the folder the process runs in.
        process.setStandardOutputFile(
            request.workingDirectory.empty() || request.outputFile.front() == '/'
                ? Qs(request.outputFile)
                : Qs(request.workingDirectory + "/" + request.outputFile));
    }
    process.start();
    if (!process.waitForStarted()) {
        return ProcessResult{};
    }

    CSpiceWaitDlg dialog(window_);
    QTimer limit;
    limit.setSingleShot(true);
    bool cancelled = false;
    bool timedOut = false;
    QObject::connect(&process, &QProcess::finished, &dialog,
                     [&dialog] { dialog.done(QDialog::Accepted); });
    QObject::connect(&dialog, &CSpiceWaitDlg::cancelRequested, &dialog, [&] {
        cancelled = true;
        process.kill();
    });
    QObject::connect(&limit, &QTimer::timeout, &dialog, [&] {
        timedOut = true;
        process.kill();
    });
    limit.start(limitSeconds_ * 1000);
    // Only the process's end closes the dialog.
    while (process.state() != QProcess::NotRunning) {
        dialog.exec();
    }
    limit.stop();
    if (cancelled) {
        return std::nullopt;
    }
    ProcessResult result;
    result.started = true;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.timedOut = timedOut;
    return result;
}

bool CSimulatorRun::StartDetached(const ProcessRequest& request) {
    return QProcess::startDetached(Qs(request.arguments.at(0)), Arguments(request),
                                   Qs(request.workingDirectory));
}

}  // namespace vx
