#pragma once
// Pieces that glide to where they now stand: a moved piece is placed at once
// and then shown travelling there from where it came, in about 120 ms with
// easing. A press or key during the glide finishes it first, so nothing the
// player does waits for it or is lost.

#include <QPoint>
#include <QPointer>
#include <vector>

class QVariantAnimation;
class QWidget;

namespace mainwindow {

class PieceMotion {
public:
    static constexpr int kMilliseconds = 120;

    PieceMotion() = default;
    PieceMotion(const PieceMotion&) = delete;
    PieceMotion& operator=(const PieceMotion&) = delete;
    ~PieceMotion();

    // Shows `piece`, already at its place, travelling there from `from`.
    void glide(QWidget* piece, QPoint from);
    // Every glide ends at once, each piece at its place.
    void finish();
    bool running() const { return !glides_.empty(); }

private:
    struct Glide {
        QPointer<QWidget> piece;
        QPoint to;
        QVariantAnimation* animation = nullptr;
    };
    void forget(QVariantAnimation* animation);
    std::vector<Glide> glides_;
};

}  // namespace mainwindow
