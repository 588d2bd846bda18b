// The puzzle picture's way: bytes of a picture file (BMP, JPEG or whatever the
// player renamed) loaded as the game loads them, then cut by the picture-clip
// element into N x N cells for every board size. Every pixel lies in exactly
// one cell and every cell is the picture's part it claims to be.

#include "fuzz_support.h"

#include "services/picture_clip.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::dropQtWarnings(), true);
    (void)quiet;
    QImage picture;
    if (!picture.loadFromData(fuzz::bytesOf(data, size)))
        return 0;  // the game reports an invalid picture
    FUZZ_CHECK(!picture.isNull());

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
            FUZZ_CHECK(cell.isNull() == r.isEmpty());
            if (!cell.isNull()) {
                FUZZ_CHECK(cell.size() == r.size());
                FUZZ_CHECK(cell.pixel(0, 0) == picture.pixel(r.topLeft()));
                FUZZ_CHECK(cell.pixel(r.width() - 1, r.height() - 1)
                           == picture.pixel(r.bottomRight()));
                covered += qint64(r.width()) * r.height();
            }
        }
        FUZZ_CHECK(covered == pixels);
    }
    return 0;
}
