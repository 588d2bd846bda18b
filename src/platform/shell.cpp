#include "platform/shell.h"

#include "platform/seams.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace shell {

namespace {

// How long the opener's report is waited for.
constexpr int kReportMillis = 5000;

}  // namespace

bool open(const QString& address, std::function<void()> failed)
{
    if (const auto& opener = platform::seams().openAddress) {
        if (opener(address))
            return true;
        if (failed)
            failed();
        return true;
    }
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
    // Belongs to the application: an opener still running at the end (it
    // waits for the browser it started) ends with it; the browser stays.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(xdgOpen);
    process->setArguments({address});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto report = std::make_shared<std::function<void()>>(std::move(failed));
    QObject::connect(process, &QProcess::finished, process,
                     [process, report](int status, QProcess::ExitStatus how) {
                         if ((how != QProcess::NormalExit || status != 0) && *report)
                             (*report)();
                         *report = nullptr;
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, report](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (*report)
                             (*report)();
                         *report = nullptr;
                         process->deleteLater();
                     });
    // Busy for long: the program it started runs; nothing more to hear.
    QTimer::singleShot(kReportMillis, process, [report] { *report = nullptr; });
    process->start();
    return true;
}

}  // namespace shell
