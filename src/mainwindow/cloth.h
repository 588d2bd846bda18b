#pragma once
// The cloth laid over the picture frame while a game is paused, so that the
// picture cannot be studied while the clock stands: green velvet in folds,
// with the word "Paused" and how to go on. A click on it goes on.

#include <QFont>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

namespace mainwindow {

class Cloth : public QWidget {
public:
    explicit Cloth(QWidget* parent);

    void setTexts(const QString& title, const QString& hint);

    // A text the cloth draws: its words, font, box and alignment flags.
    struct DrawnText {
        QString text;
        QFont font;
        QRectF box;
        int flags;
    };
    // The title and the hint as the cloth draws them at its present size.
    std::array<DrawnText, 2> drawnTexts() const;
    // Called on a press of any mouse button.
    std::function<void()> pressed;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    QString title_;
    QString hint_;
};

}  // namespace mainwindow
