// The puzzle picture's way: bytes of a picture file (BMP, JPEG or whatever the
// player renamed) loaded by the game's own loader (its checks of the header,
// its memory bound, its square and its scaling), then cut by the picture-clip
// element into N x N cells for every board size. A file is refused with
// Invalid picture (481) or loaded; every pixel lies in exactly one cell and
// every cell is the picture's part it claims to be.

#include "fuzz_support.h"

#include "errors/failure.h"
#include "services/picture_clip.h"
#include "services/picture_file.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

// The picture loaded as the board loads it; null when refused.
QImage loaded(const QString& path, const pictures::Square& square)
{
    try {
        return pictures::loadPuzzlePicture(path, square);
    } catch (const errors::Failure& f) {
        FUZZ_CHECK(f.number() == errors::ErrInvalidPicture);
        return {};
    }
}

void checkCells(const QImage& picture)
{
    pictures::PictureClip clip;
    clip.setPicture(picture);
    const qint64 pixels = qint64(picture.width()) * picture.height();
    for (int16_t n = 3; n <= 8; ++n) {
        clip.setCols(n);
        clip.setRows(n);
        qint64 covered = 0;
        for (int i = 0; i < n * n; ++i) {
            const QRect r = clip.cellRect(i);
            FUZZ_CHECK(r.isEmpty() || picture.rect().contains(r));
            const QImage cell = clip.GraphicCell(i);
            // A cell cut empty shows the pixel nearest its middle.
            FUZZ_CHECK(!cell.isNull());
            FUZZ_CHECK(!r.isEmpty() || cell.width() == 1 || cell.height() == 1);
            if (!r.isEmpty()) {
                FUZZ_CHECK(cell.size() == r.size());
                FUZZ_CHECK(cell.pixel(0, 0) == picture.pixel(r.topLeft()));
                FUZZ_CHECK(cell.pixel(r.width() - 1, r.height() - 1)
                           == picture.pixel(r.bottomRight()));
                covered += qint64(r.width()) * r.height();
            }
        }
        FUZZ_CHECK(covered == pixels);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::dropQtWarnings(), true);
    (void)quiet;
    static QTemporaryDir dir;
    const QString path = dir.filePath("picture");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(fuzz::bytesOf(data, size)) == qint64(size));
    }
    const QImage middle = loaded(path, {});
    if (middle.isNull())
        return 0;  // the game reports an invalid picture
    FUZZ_CHECK(middle.width() == middle.height());
    FUZZ_CHECK(middle.width() <= pictures::kPuzzlePictureMaxSide);
    checkCells(middle);
    const QImage stretched = loaded(path, {pictures::Square::Kind::Stretch, {}});
    FUZZ_CHECK(!stretched.isNull() && stretched.width() == stretched.height());
    return 0;
}
