#include "mainwindow/piece_motion.h"

#include <QEasingCurve>
#include <QVariantAnimation>
#include <QWidget>

namespace mainwindow {

PieceMotion::~PieceMotion()
{
    finish();
}

void PieceMotion::glide(QWidget* piece, QPoint from)
{
    const QPoint to = piece->pos();
    if (from == to)
        return;
    auto* animation = new QVariantAnimation;
    animation->setDuration(kMilliseconds);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    animation->setStartValue(from);
    animation->setEndValue(to);
    QPointer<QWidget> guarded(piece);
    QObject::connect(animation, &QVariantAnimation::valueChanged, piece,
                     [guarded](const QVariant& at) {
                         if (guarded)
                             guarded->move(at.toPoint());
                     });
    QObject::connect(animation, &QVariantAnimation::finished, animation,
                     [this, animation] { forget(animation); });
    glides_.push_back({guarded, to, animation});
    piece->move(from);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void PieceMotion::finish()
{
    // Taken first: stopping an animation deletes it.
    std::vector<Glide> glides;
    glides.swap(glides_);
    for (Glide& g : glides) {
        QObject::disconnect(g.animation, nullptr, nullptr, nullptr);
        g.animation->stop();
        if (g.piece)
            g.piece->move(g.to);
    }
}

void PieceMotion::forget(QVariantAnimation* animation)
{
    for (auto it = glides_.begin(); it != glides_.end(); ++it) {
        if (it->animation == animation) {
            if (it->piece)
                it->piece->move(it->to);
            glides_.erase(it);
            return;
        }
    }
}

}  // namespace mainwindow
