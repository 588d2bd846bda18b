#include "widgets/picture_intake.h"

#include "platform/appinfo.h"
#include "services/picture_file.h"
#include "services/picture_import.h"
#include "services/settings.h"
#include "services/seams.h"
#include "widgets/seams.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QUrl>

using Allgemein::settings;
using pictures::Refusal;

namespace widgets {

namespace {

// The messages of the language table.
enum Message : int16_t {
    kFilterName = 194,
    kNotAPicture = 195,
    kDamaged = 196,
    kTooLarge = 197,
    kUnreadable = 198,
    kFolderNotWritable = 199,
    kNoPictureOnClipboard = 200,
    kPictureName = 201,
    kFolderNotOpened = 202,
    kFolderFilled = 412,
};


void tell(QWidget* owner, const QStringList& lines)
{
    if (!lines.isEmpty())
        services::seams().warn(owner, lines.join(QLatin1Char('\n')));
}

// Takes what `add` brings, one after the other; the folder that cannot be
// written is told once, and nothing more is tried after it.
class Intake {
public:
    explicit Intake(QWidget* owner) : owner_(owner) {}
    ~Intake() { tell(owner_, problems_); }

    // False once the folder has failed.
    bool take(const QString& shown, const pictures::Intake& intake)
    {
        switch (intake.refusal) {
        case Refusal::None: added_ << intake.name; return true;
        case Refusal::NotAPicture: problem(kNotAPicture, shown); return true;
        case Refusal::Damaged: problem(kDamaged, shown); return true;
        case Refusal::TooLarge: problem(kTooLarge, shown); return true;
        case Refusal::Unreadable: problem(kUnreadable, shown); return true;
        case Refusal::FolderNotWritable:
            // A disk that fills between two pictures: the ones before were
            // added, and the message says so.
            problems_ << (added_.isEmpty()
                              ? services::textOf(kFolderNotWritable)
                              : services::textOf(kFolderFilled).arg(added_.last()))
                    + QLatin1Char('\n') + QDir::toNativeSeparators(picsFolder());
            return false;
        }
        return true;
    }
    void problem(int16_t message, const QString& shown)
    {
        problems_ << services::textOf(message).arg(shown);
    }
    const QStringList& added() const { return added_; }

private:
    QWidget* owner_;
    QStringList added_;
    QStringList problems_;
};

QStringList takeImage(QWidget* owner, const QImage& image)
{
    const QString name = services::textOf(kPictureName) + QLatin1Char(' ')
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    Intake intake(owner);
    intake.take(name, pictures::addPictureImage(image, picsFolder(), name));
    return intake.added();
}

}  // namespace

QString picsFolder()
{
    return appinfo::dataFolder() + QStringLiteral("/pics");
}

QString pictureFilter()
{
    QStringList patterns;
    for (const QString& suffix : pictures::playedSuffixes())
        patterns << QStringLiteral("*.") + suffix;
    return services::textOf(kFilterName) + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
        + QLatin1Char(')');
}

bool carriesPictures(const QMimeData* data)
{
    return data && (data->hasUrls() || data->hasImage());
}

QStringList takePictureFiles(QWidget* owner, const QStringList& paths)
{
    Intake intake(owner);
    for (const QString& path : paths)
        if (!intake.take(QFileInfo(path).fileName(), pictures::addPictureFile(path, picsFolder())))
            break;
    return intake.added();
}

QStringList takeDroppedPictures(QWidget* owner, const QMimeData* data)
{
    if (!data)
        return {};
    // A browser hands a picture as a local file, as picture data, or both.
    QStringList paths, others;
    for (const QUrl& url : data->urls())
        (url.isLocalFile() ? paths : others) << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    if (paths.isEmpty() && data->hasImage()) {
        pictures::allowLargePictures();
        return takeImage(owner, qvariant_cast<QImage>(data->imageData()));
    }
    if (paths.isEmpty() && !others.isEmpty()) {
        tell(owner, {services::textOf(kNotAPicture).arg(others.first())});
        return {};
    }
    return takePictureFiles(owner, paths);
}

QStringList pastePicture(QWidget* owner)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && data->hasImage()) {
        pictures::allowLargePictures();  // a 6000 x 6000 photo takes 137 MB
        return takeImage(owner, qvariant_cast<QImage>(data->imageData()));
    }
    // Files copied in a file manager come as their addresses.
    if (data && data->hasUrls())
        return takeDroppedPictures(owner, data);
    tell(owner, {services::textOf(kNoPictureOnClipboard)});
    return {};
}

void openPicsFolder(QWidget* owner)
{
    QDir().mkpath(picsFolder());
    if (!services::seams().openFolder(picsFolder()))
        tell(owner, {services::textOf(kFolderNotOpened) + QLatin1Char('\n')
                     + QDir::toNativeSeparators(picsFolder())});
}

}  // namespace widgets
