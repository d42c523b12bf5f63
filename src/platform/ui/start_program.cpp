#include "platform/ui/start_program.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ks {

StartOutcome Start_Program(const std::string& NomeSW, const std::vector<std::string>& Parameter, bool tipo,
                           int max_wait_ms, int64_t* pid) {
    // Owned by nobody on purpose while the program may still run: destroying a
    // QProcess kills the program it started.
    auto* proc = new QProcess();
    proc->setProgram(QString::fromStdString(NomeSW));
    QStringList args;
    for (const auto& a : Parameter) args << QString::fromStdString(a);
    proc->setArguments(args);
    proc->setProcessChannelMode(QProcess::ForwardedChannels);
    proc->setInputChannelMode(QProcess::ForwardedInputChannel);
#ifdef Q_OS_WIN
    if (tipo) {
        proc->setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* a) {
            a->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            a->startupInfo->wShowWindow = SW_HIDE;
        });
    }
#else
    (void)tipo;  // a program started here has no window of ours to hide
#endif
    proc->start();
    if (!proc->waitForStarted(-1)) {
        delete proc;
        return StartOutcome::Not_Started;
    }
    if (pid) *pid = proc->processId();

    QDeadlineTimer deadline(max_wait_ms);
    while (proc->state() != QProcess::NotRunning) {
        if (deadline.hasExpired()) {
            // Left running: the QProcess object is deliberately not deleted.
            proc->closeReadChannel(QProcess::StandardOutput);
            return StartOutcome::Still_Running;
        }
        // Keep the windows painted, but let nobody click into them.
        if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        proc->waitForFinished(10);
    }
    delete proc;
    return StartOutcome::Ended;
}

} // namespace ks
