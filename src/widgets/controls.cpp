#include "widgets/controls.h"

#include "game/board.h"
#include "widgets/art_render.h"
#include "widgets/room_look.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace widgets {

namespace {

// `font` made smaller in quarter points, down to two thirds of its size at
// most, until `text` (and `beside` it) fits into `room`.
QFont shrunkToFit(QFont font, const QString& text, qreal beside, qreal room)
{
    const qreal points = font.pointSizeF();
    while (font.pointSizeF() - 0.25 >= points * 2 / 3
           && QFontMetricsF(font).horizontalAdvance(text) + beside > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}

}  // namespace

void fitText(QLabel* label, qreal points, int margin)
{
    QFont font = label->font();
    font.setPointSizeF(points);
    label->setFont(shrunkToFit(font, label->text(), 0, label->contentsRect().width() - 2 * margin));
}

void fitText(QPushButton* button)
{
    // From the font it inherits, whatever an earlier fitting left.
    QFont font = button->parentWidget() ? button->parentWidget()->font() : QApplication::font(button);
    button->setFont(font);
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const qreal icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    QString text = button->text();
    text.remove(QLatin1Char('&'));
    const QFont fitted = shrunkToFit(font, text, icon, contents.width());
    if (fitted.pointSizeF() != font.pointSizeF())
        button->setFont(fitted);
}

QPixmap renderArt(const QString& path, QSize size, qreal devicePixelRatio)
{
    QImage image = renderArtImage(path, size, devicePixelRatio);
    if (image.isNull())
        return {};
    QPixmap pm = QPixmap::fromImage(std::move(image));
    pm.setDevicePixelRatio(devicePixelRatio);
    return pm;
}

namespace {

// The art pixmap for the widget's size and pixel ratio, rendered again only
// when one of them has changed.
const QPixmap& cachedArt(QPixmap& cache, const QString& path, QSize size, qreal dpr)
{
    if (cache.isNull() || cache.devicePixelRatio() != dpr || cache.size() != size * dpr)
        cache = renderArt(path, size, dpr);
    return cache;
}

}  // namespace

// ---------------------------------------------------------------------------

ImageControl::ImageControl(QWidget* parent) : Placed<QWidget>(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

ImageControl::~ImageControl() = default;

void ImageControl::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void ImageControl::setArt(const QString& path)
{
    artPath_ = path;
    artCache_ = QPixmap();
    update();
}

void ImageControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!artPath_.isEmpty()) {
        const QPixmap& pm = cachedArt(artCache_, artPath_, size(), devicePixelRatioF());
        if (!pm.isNull())
            p.drawPixmap(0, 0, pm);
        return;
    }
    if (picture_.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), picture_);
}

// ---------------------------------------------------------------------------

PuzzlePiece::PuzzlePiece(QWidget* parent, const game::Board& board, int16_t index)
    : ImageControl(parent), board_(board), index_(index)
{
}

int16_t PuzzlePiece::Tag() const
{
    return static_cast<int16_t>(board_.pieceAt(index_));
}

void PuzzlePiece::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    int16_t button = 0;
    switch (e->button()) {
    case Qt::LeftButton: button = 1; break;
    case Qt::RightButton: button = 2; break;
    case Qt::MiddleButton: button = 4; break;
    default: break;
    }
    int16_t shift = 0;
    if (e->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (e->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (e->modifiers() & Qt::AltModifier)
        shift |= 4;
    if (onMouseDown) {
        const QPointF pos = e->position();
        onMouseDown(index_, button, shift, static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    }
}

// ---------------------------------------------------------------------------

ShapeControl::ShapeControl(QWidget* parent, QColor colour, int borderWidth)
    : Placed<QWidget>(parent), colour_(colour), borderWidth_(borderWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const qreal half = borderWidth_ / 2.0;
    p.setPen(QPen(colour_, borderWidth_));
    p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

// ---------------------------------------------------------------------------

ButtonControl::ButtonControl(QWidget* parent) : Placed<QPushButton>(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

void ButtonControl::setArt(const QString& path, Look look, QSize iconSize)
{
    artPath_ = path;
    look_ = look;
    iconSize_ = iconSize;
    fillCache_ = QPixmap();
    keepPlacedSize(this);
    if (look_ == Look::Icon)
        renderIcon();
    else
        setIcon(QIcon());
    update();
}

void ButtonControl::renderIcon()
{
    // The icon is drawn by the button itself, which greys it out when the
    // button is disabled; it is rendered for the screen's pixel ratio.
    setIconSize(iconSize_);
    iconRatio_ = devicePixelRatioF();
    setIcon(QIcon(renderArt(artPath_, iconSize_, iconRatio_)));
}

void ButtonControl::paintEvent(QPaintEvent* e)
{
    // On a screen of another scale factor the icon is rendered again for it.
    if (look_ == Look::Icon && !artPath_.isEmpty() && iconRatio_ != devicePixelRatioF())
        renderIcon();
    if (look_ == Look::Icon || artPath_.isEmpty()) {
        QPushButton::paintEvent(e);
        if (isChecked()) {
            // On (a mode that is chosen): sunk in, with a gilt rim.
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            p.fillRect(rect().adjusted(2, 2, -2, -2), QColor(60, 40, 10, 40));
            p.setPen(QPen(QColor(230, 175, 40), 2));
            p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
        }
        if (hasFocus()) {
            // The keyboard focus: a dark walnut ring between the rim and
            // the icon.
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(70, 40, 15), 1.5));
            p.drawRoundedRect(QRectF(rect()).adjusted(3.25, 3.25, -3.25, -3.25), 2, 2);
        }
        return;
    }
    // A flag fills its button edge to edge: it sinks a pixel while held down,
    // lightens under the mouse, wears a gilt rim while its language is the
    // one in use and shows a dotted line when it has the focus.
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap& flag = cachedArt(fillCache_, artPath_, size(), devicePixelRatioF());
    if (isDown()) {
        p.fillRect(rect(), QColor(30, 20, 12));
        p.drawPixmap(QRect(1, 1, width() - 1, height() - 1), flag);
        p.fillRect(rect(), QColor(0, 0, 0, 60));
    } else {
        p.drawPixmap(0, 0, flag);
        if (underMouse() && isEnabled())
            p.fillRect(rect(), QColor(255, 255, 255, 45));
        if (isChecked()) {
            p.setPen(QPen(QColor(230, 175, 40), 2));
            p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }
    if (!isEnabled())
        p.fillRect(rect(), QColor(128, 128, 128, 140));
    if (hasFocus()) {
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

// ---------------------------------------------------------------------------

LabelControl::LabelControl(const QString& text, QWidget* parent) : Placed<QLabel>(text, parent)
{
}

}  // namespace widgets
