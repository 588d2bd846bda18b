#include "services/resources.h"

#include "errors/trap.h"
#include "platform/files.h"
#include "services/seams.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace resources {

namespace {
QString root()
{
    const QString& root = services::seams().resourceRoot;
    return root.isEmpty() ? QStringLiteral(":") : root;
}
}  // namespace

QString path(const QString& type, int number)
{
    const QDir dir(root() + "/" + type.trimmed().toUpper());
    const QString wanted = QString::number(number);
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& name : entries) {
        if (QFileInfo(name).completeBaseName() == wanted)
            return dir.filePath(name);
    }
    return {};
}

QByteArray load(const QString& type, int number)
{
    const QString p = path(type, number);
    QFile f(p);
    if (p.isEmpty() || !f.open(QIODevice::ReadOnly))
        errors::raise(errors::ErrResourceNotFound,
                      QStringLiteral("Resource with identifier '%1' not found").arg(number));
    return f.readAll();
}

QImage loadBitmap(int number)
{
    const QByteArray bytes = load(QStringLiteral("BITMAP"), number);
    QImage image = readBmp(bytes);
    if (image.isNull())
        errors::raise(errors::ErrInvalidPicture);
    return image;
}

QImage readBmp(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace resources

namespace ModResFiles {

int32_t SaveResItemToDisk(int16_t number, const QString& type, const QString& filePath)
{
    errors::Procedure proc{"ModResFiles", "SaveResItemToDisk"};
    QByteArray bytes;
    int fd = -1;
    // Permission denied ends the procedure at once and silently; the file keeps
    // what it held.
    auto denied = [&](int err) {
        if (errors::errnoToNumber(err) == errors::ErrPermissionDenied || err == ELOOP) {
            proc.leave();
            return true;
        }
        return false;
    };
    bool loaded = false;
    proc.run({
        [&] {
            bytes = resources::load(type, number);
            loaded = true;
        },
        [&] {
            // Without the resource's bytes the file keeps what it holds;
            // without a temporary folder (reported where it was looked for)
            // nothing is written into the current folder.
            if (!loaded || !QDir::isAbsolutePath(filePath)) {
                proc.leave();
                return;
            }
            fd = files::openForOverwrite(filePath, 0600);
            if (fd < 0 && !denied(errno))
                errors::raiseErrno(errno);
        },
        [&] {
            // The music player holds a shared lock on the track it has open.
            if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && !denied(errno))
                errors::raiseErrno(errno);
        },
        [&] {
            if (fd < 0)
                return;
            // From the start of the file every time, also when a write that
            // failed halfway is tried again.
            if (!files::writeAllAt(fd, bytes))
                errors::raiseErrno(errno);
        },
    });
    if (fd >= 0)
        ::close(fd);
    return 0;
}

}  // namespace ModResFiles

namespace Allgemein {

namespace {

// Removes everything in the folder (links as links, never followed); false
// when something stays.
bool emptyFolder(const QString& folder)
{
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    bool emptied = true;
    for (const QFileInfo& entry : entries) {
        const QByteArray native = QFile::encodeName(entry.absoluteFilePath());
        if (::unlink(native.constData()) == 0)
            continue;
        emptied = (errno == EISDIR || errno == EPERM) && !entry.isSymLink()
                  && QDir(entry.absoluteFilePath()).removeRecursively() && emptied;
    }
    return emptied;
}

// A folder of this user's own for the fixed names: made with mode 0700 when
// missing, taken only when it is a real folder (no link) owned by this user,
// and closed to others again when it has been opened. One that others could
// write is emptied once it is closed again: whatever lies in it may have been
// planted (a language file of someone else's choosing).
bool privateFolder(const QString& folder)
{
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 0077) == 0)
        return true;
    if (::chmod(native.constData(), 0700) != 0)
        return false;
    return (st.st_mode & 0022) == 0 || emptyFolder(folder);
}

// The fresh folder made when the fixed name is taken, kept for the run.
QString freshBase;
QString freshFolder;

// The folder of the fixed names under `base`: base/tavoro-<uid> when it is
// ours, else a fresh one beside it, the same for the rest of the run; empty
// when none can be made.
QString folderUnder(const QString& base)
{
    const QString fixed = base + QStringLiteral("/tavoro-%1").arg(::getuid());
    if (privateFolder(fixed))
        return fixed;
    if (freshBase != base || !privateFolder(freshFolder)) {
        QByteArray pattern = QFile::encodeName(fixed + QStringLiteral("-XXXXXX"));
        if (::mkdtemp(pattern.data()) == nullptr)
            return {};
        freshBase = base;
        freshFolder = QFile::decodeName(pattern);
    }
    return freshFolder;
}

// The missing temporary folder reported last: reported once, not at every
// lookup.
QString reportedMissing;

}  // namespace

QString GetTempDir()
{
    QString result;
    errors::Procedure proc{"Allgemein", "GetTempDir"};
    proc.run({
        [&] {
            // The user's runtime folder is private already; else the fixed
            // name in the temporary folder when it is ours; else, when someone
            // else holds that name, a fresh folder of our own.
            const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
            if (runtime.startsWith(QLatin1Char('/'))
                && privateFolder(runtime + QStringLiteral("/tavoro"))) {
                result = TrimNull(runtime + QStringLiteral("/tavoro/"));
                return;
            }
            // A temporary folder that does not exist reads as empty. It is
            // reported once; the system's own /tmp then serves, so that no
            // temporary file lands in the current folder.
            const QString temp = QDir::tempPath();
            const QString folder = folderUnder(temp.isEmpty() ? QStringLiteral("/tmp") : temp);
            if (!folder.isEmpty())
                result = TrimNull(folder + QLatin1Char('/'));
            const QString named = qEnvironmentVariable("TMPDIR");
            if (temp.isEmpty() && reportedMissing != named) {
                reportedMissing = named;
                errors::raise(errors::ErrPathNotFound);
            }
            if (folder.isEmpty())
                errors::raiseErrno(errno);
        },
    });
    return result;
}

QString TrimNull(const QString& text)
{
    QString result;
    errors::Procedure proc{"Allgemein", "TrimNull"};
    proc.run({
        [&] {
            const qsizetype nul = text.indexOf(QChar(u'\0'));
            result = nul < 0 ? text : text.left(nul);
        },
    });
    return result;
}

}  // namespace Allgemein
