#pragma once
// The cloth laid over the picture frame while a game is paused, so that the
// picture cannot be studied while the clock stands: green velvet in folds,
// with the word "Paused" and how to go on. A click on it goes on.

#include <QString>
#include <QWidget>
#include <functional>

namespace mainwindow {

class Cloth : public QWidget {
public:
    explicit Cloth(QWidget* parent);

    void setTexts(const QString& title, const QString& hint);
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
