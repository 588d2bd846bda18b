#include "widgets/win_moment.h"

#include "services/seams.h"
#include "services/settings.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QVariantAnimation>

#include <cmath>

namespace widgets {

namespace {

QString lang(int number)
{
    return services::seams().GetLang(int16_t(Allgemein::settings().Sprache() + number));
}

const QColor kPaper(0xf6, 0xef, 0xdd);
const QColor kInk(0x3b, 0x24, 0x14);
const QColor kWalnut(0x7a, 0x56, 0x36);
const QColor kGilt(0xe6, 0xaf, 0x28);

}  // namespace

QString comparisonText(int moves, std::optional<game::Shortest> shortest, bool helped)
{
    if (helped)
        return lang(333).arg(moves);
    if (!shortest)
        return lang(345) + QStringLiteral(": ") + QString::number(moves);
    return lang(shortest->exact ? 331 : 332).arg(moves).arg(shortest->moves);
}

WinMoment::WinMoment(QWidget* board, int moves, int seconds, const QString& comparison,
                     std::function<void()> then)
    : QWidget(board), then_(std::move(then))
{
    (void)moves;  // the comparison names them
    title_ = lang(334);
    lines_ = comparison + QLatin1Char('\n') + lang(335).arg(seconds);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(title_);
    setAccessibleDescription(lang(358) + QLatin1Char(' ') + QString(lines_).replace(QLatin1Char('\n'), QStringLiteral(". ")));
    setGeometry(board->rect());
    board->installEventFilter(this);

    motion_ = new QVariantAnimation(this);
    motion_->setStartValue(0.0);
    motion_->setEndValue(1.0);
    motion_->setDuration(Duration);
    connect(motion_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        phase_ = v.toDouble();
        update();
    });
    timeout_ = new QTimer(this);
    timeout_->setSingleShot(true);
    connect(timeout_, &QTimer::timeout, this, [this] { finish(); });
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    motion_->start();
    timeout_->start(Duration);
    QAccessibleEvent shown(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);
}

WinMoment::~WinMoment() = default;

void WinMoment::finish()
{
    if (finished_)
        return;
    finished_ = true;
    motion_->stop();
    timeout_->stop();
    hide();
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    deleteLater();
    if (then_)
        then_();
}

bool WinMoment::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void WinMoment::keyPressEvent(QKeyEvent* e)
{
    e->accept();
    finish();
}

void WinMoment::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    finish();
}

void WinMoment::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all = rect();
    // The ribbon unrolls from the middle in the first fifth.
    const double open = std::min(1.0, phase_ * 5);
    const double ribbonWidth = std::min(all.width() * 0.86, 560.0) * (0.3 + 0.7 * open);
    const double ribbonHeight = std::min(all.height() * 0.5, 170.0);
    const QRectF ribbon(all.center().x() - ribbonWidth / 2, all.center().y() - ribbonHeight / 2, ribbonWidth,
                        ribbonHeight);

    // Gilt sparks rising from below the ribbon and fading.
    for (int i = 0; i < 28; ++i) {
        const double seed = std::fmod(i * 0.618034, 1.0);
        const double t = std::fmod(phase_ * 1.6 + seed, 1.0);
        const double x = ribbon.left() - 30 + (ribbon.width() + 60) * std::fmod(i * 0.381966 + 0.17, 1.0);
        const double y = ribbon.bottom() + 20 - t * (ribbonHeight + 80) + 8 * std::sin(6.28 * (t + seed));
        const double r = 2.5 + 3 * seed;
        QColor c = kGilt;
        c.setAlphaF(std::max(0.0, 1 - t) * std::min(1.0, phase_ * 8));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        QPainterPath star;
        for (int k = 0; k < 8; ++k) {
            const double a = k * 3.14159265 / 4;
            const double rr = k % 2 ? r * 0.4 : r * 1.6;
            const QPointF q(x + rr * std::cos(a), y + rr * std::sin(a));
            k ? star.lineTo(q) : star.moveTo(q);
        }
        star.closeSubpath();
        p.drawPath(star);
    }

    // The ribbon: paper in a walnut rim with a thin gilt line inside.
    QColor shade(0, 0, 0, 70);
    p.setBrush(shade);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(ribbon.translated(3, 4), 10, 10);
    p.setBrush(kPaper);
    p.setPen(QPen(kWalnut, 5));
    p.drawRoundedRect(ribbon, 10, 10);
    p.setPen(QPen(kGilt, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(ribbon.adjusted(7, 7, -7, -7), 6, 6);
    if (open < 1)
        return;

    QFont heading(QStringLiteral("DejaVu Serif"));
    heading.setBold(true);
    heading.setPixelSize(int(ribbonHeight * 0.26));
    p.setFont(heading);
    p.setPen(kWalnut);
    const QRectF inner = ribbon.adjusted(16, 12, -16, -12);
    p.drawText(QRectF(inner.left(), inner.top(), inner.width(), inner.height() * 0.45),
               Qt::AlignHCenter | Qt::AlignVCenter, title_);
    QFont text(QStringLiteral("DejaVu Serif"));
    text.setPixelSize(std::max(11, int(ribbonHeight * 0.12)));
    p.setFont(text);
    p.setPen(kInk);
    p.drawText(QRectF(inner.left(), inner.top() + inner.height() * 0.45, inner.width(), inner.height() * 0.55),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, lines_);
}

}  // namespace widgets
