#include "fuzz_support.h"

#include "errors/trap.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>
#include <QTemporaryDir>

#include <memory>

namespace fuzz {

namespace {

class FailingService : public errors::ErrorService {
public:
    int16_t OnError(const QString& object, const QString& procedure,
                    const errors::FailureRecord& failure) override
    {
        std::fprintf(stderr, "run-time failure reported by %s / %s: %d %s\n",
                     qPrintable(object), qPrintable(procedure), int(failure.number),
                     qPrintable(failure.description));
        std::abort();
    }
};

// Qt's warnings about broken pictures ("color table index out of range") come
// by the thousand while fuzzing and slow it down; they are dropped. Critical and
// fatal messages still show.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s (%s:%d)\n", qPrintable(text), context.file ? context.file : "",
                     context.line);
}

}  // namespace

void dropQtWarnings()
{
    qInstallMessageHandler(quietMessages);
}

void failOnReportedErrors()
{
    static FailingService service;
    static bool installed = false;
    if (!installed) {
        errors::setErrorService(&service);
        installed = true;
    }
}

const QString& scratchFolder()
{
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        const QString shm = QStringLiteral("/dev/shm");
        const QString base = QDir(shm).exists() && QFileInfo(shm).isWritable() ? shm
                                                                              : QDir::tempPath();
        auto d = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tavoro-fuzz-XXXXXX"));
        if (!d->isValid())
            fail("no scratch folder", __FILE__, __LINE__);
        return d;
    }();
    static const QString path = dir->path();
    return path;
}

}  // namespace fuzz
