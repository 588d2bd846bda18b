#pragma once
// The picture-clip element PicClip1: holds the whole puzzle picture and cuts
// it into Cols x Rows cells, numbered row by row from the top left (cell i
// lies in row i div Cols, column i mod Cols).
//
// Cutting rule for any picture size: column c covers the pixels x with
//   floor(c x W / Cols) <= x < floor((c + 1) x W / Cols)
// and row r the pixels y with floor(r x H / Rows) <= y < floor((r + 1) x H / Rows).
// Every pixel belongs to exactly one cell, and cells differ by at most one
// pixel in width and in height; when W is a multiple of Cols all columns are
// exactly W / Cols wide. (A 383 x 374 picture in 8 x 8 cells: columns 47 or
// 48 pixels wide, rows 46 or 47 pixels high.)

#include <QImage>
#include <QRect>
#include <cstdint>

namespace pictures {

class PictureClip {
public:
    // Keeps the whole picture until the next one is set; cells read
    // afterwards come from the new picture.
    void setPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    // At least 1 each; Invalid property value (380) otherwise.
    void setCols(int16_t cols);
    void setRows(int16_t rows);
    int16_t Cols() const { return cols_; }
    int16_t Rows() const { return rows_; }

    // The rectangle of cell i in the picture; 380 for a cell that is not there.
    QRect cellRect(int i) const;
    // The picture of cell i (an empty picture while none is held). Where the
    // picture has fewer pixels across or down than there are cells, a cell
    // cut empty shows the pixel nearest its middle, one pixel wide or high.
    QImage GraphicCell(int i) const;

private:
    QImage picture_;
    int16_t cols_ = 1;
    int16_t rows_ = 1;
};

}  // namespace pictures
