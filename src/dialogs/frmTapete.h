#pragma once
// The wallpaper window: the fifteen wallpapers as swatches, the current one
// framed in red. A click stores the choice at once; a double-click also
// closes the window. Every procedure runs under the trap as "frmTapete".

#include "dialogs/dialog_controls.h"

#include <QDialog>
#include <QPoint>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;

class frmTapete : public QDialog {
    Q_OBJECT

public:
    explicit frmTapete(QWidget* parent = nullptr);

    void Form_Load();
    // Fills the target with wallpaper i + 101, tile by tile.
    void paintPic(int16_t i, dialogs::PictureBox* target);
    void picBG_Click(int16_t Index);
    void picBG_DblClick(int16_t Index);
    void cmdOK_Click();

    // Swatch i's place (left, top) in twips: a 4 x 4 grid whose last cell
    // holds the OK button.
    static QPoint swatchPlace(int i);

    dialogs::PictureBox* picBG(int i) const;
    widgets::ShapeControl* shpWahl = nullptr;
    QLabel* lblText = nullptr;
    widgets::ImageControl* imgHinterg = nullptr;
    QPushButton* cmdOK = nullptr;

    static constexpr int SwatchSide = 1400;  // twips
    static constexpr int FrameSide = 1575;   // twips

protected:
    // The window's ground: a cream panel in a walnut rim, each swatch mounted
    // on a card with a thin shadow.
    void paintEvent(QPaintEvent* e) override;
    // The arrow keys move the choice over the swatches as a click does;
    // Enter is OK, Esc cancels.
    void keyPressEvent(QKeyEvent* e) override;

public:
    // The wallpaper framed now (101 to 115); stored only by OK.
    int16_t chosen() const { return chosen_; }

private:
    // Puts the red frame over swatch s.
    void frameSwatch(int s);

    int16_t chosen_ = 0;

    std::array<dialogs::PictureBox*, 15> picBG_{};
};
