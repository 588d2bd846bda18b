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
    QRect r = cellRect(i);
    if (picture_.isNull())
        return QImage();
    // A picture with fewer pixels across (or down) than the board has cells
    // (a pasted 1 x 1 or 20000 x 1) cuts some cells empty: such a cell shows
    // the one pixel nearest its middle, as if each pixel were a block.
    const auto nearest = [](int part, int length, int parts) {
        return std::min(length - 1, static_cast<int>((2ll * part + 1) * length / (2 * parts)));
    };
    if (r.width() == 0)
        r = QRect(nearest(i % cols_, picture_.width(), cols_), r.y(), 1, r.height());
    if (r.height() == 0)
        r = QRect(r.x(), nearest(i / cols_, picture_.height(), rows_), r.width(), 1);
    return picture_.copy(r);
}

}  // namespace pictures
