#include "services/picture_clip.h"

#include "errors/failure.h"

#include <algorithm>

namespace pictures {

namespace {

[[noreturn]] void invalidProperty()
{
    errors::raise(errors::ErrInvalidPropertyValue);
}

// The first pixel of part `part` when `length` pixels are cut into `parts`.
int boundary(int part, int length, int parts)
{
    return static_cast<int>(static_cast<long long>(part) * length / parts);
}

}  // namespace

void PictureClip::setPicture(const QImage& picture)
{
    // A picture narrower or lower than the largest board's cells need (a
    // pasted 1 x 1 or 20000 x 1) is enlarged, each of its pixels a block, so
    // that no cell is cut empty.
    constexpr int kSmallestSide = 64;
    if (!picture.isNull() && (picture.width() < kSmallestSide || picture.height() < kSmallestSide))
        picture_ = picture.scaled(std::max(picture.width(), kSmallestSide),
                                  std::max(picture.height(), kSmallestSide),
                                  Qt::IgnoreAspectRatio, Qt::FastTransformation);
    else
        picture_ = picture;
}

void PictureClip::setCols(int16_t cols)
{
    if (cols < 1)
        invalidProperty();
    cols_ = cols;
}

void PictureClip::setRows(int16_t rows)
{
    if (rows < 1)
        invalidProperty();
    rows_ = rows;
}

QRect PictureClip::cellRect(int i) const
{
    if (i < 0 || i >= int(cols_) * rows_)
        invalidProperty();
    const int c = i % cols_, r = i / cols_;
    const int w = picture_.width(), h = picture_.height();
    const int x0 = boundary(c, w, cols_), x1 = boundary(c + 1, w, cols_);
    const int y0 = boundary(r, h, rows_), y1 = boundary(r + 1, h, rows_);
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

QImage PictureClip::GraphicCell(int i) const
{
    const QRect r = cellRect(i);
    if (picture_.isNull() || r.isEmpty())
        return QImage();
    return picture_.copy(r);
}

}  // namespace pictures
