#pragma once
// The win moment: over the solved board, whose complete picture stays in
// view, a ribbon of the room's paper in a walnut rim unrolls with "Solved!",
// the moves and seconds and how the moves compare with the shortest
// solution, while gilt sparks rise round it. No modal box: after a few
// seconds, or at once on a press of a key or a mouse button, it goes and
// calls back (the main window then asks for the champion's name or shows the
// champions list).

#include "game/shortest.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QTimer;
class QVariantAnimation;

namespace widgets {

// "31 moves — the shortest is 22", "… the shortest is at least 54" when only
// a bound is known, "31 moves" when nothing is, and "31 moves, solved with
// help" for a game with help, in the current language.
QString comparisonText(int moves, std::optional<game::Shortest> shortest, bool helped);

class WinMoment : public QWidget {
    Q_OBJECT

public:
    // How long it stands before it goes by itself (ms).
    static constexpr int Duration = 3500;

    // Shown at once over `board`, covering it as a child of it; `then` is
    // called once, when it goes, and it deletes itself after.
    WinMoment(QWidget* board, int moves, int seconds, const QString& comparison, std::function<void()> then);
    ~WinMoment() override;

    // Ends it now: calls back (once) and goes.
    void finish();

    // The texts it shows.
    QString title() const { return title_; }
    QString lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString title_, lines_;
    std::function<void()> then_;
    QVariantAnimation* motion_ = nullptr;
    QTimer* timeout_ = nullptr;
    double phase_ = 0;  // 0 to 1 over Duration
    bool finished_ = false;
};

}  // namespace widgets
