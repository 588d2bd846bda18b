// The picture window's grids of thumbnails: the sixteen built-in pictures,
// drawn when the window is made, and the player's own pictures, each shown
// at once by its name and given its thumbnail when that arrives from the
// worker (pictures::Thumbnails). Thumbnails are kept while the window lives,
// so that listing the folder again makes none twice; a file that cannot be
// read shows as such, with its name.

#include "dialogs/frmPicAuswahl.h"

#include "errors/trap.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "widgets/accessibility.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

using Allgemein::settings;
using errors::Procedure;

namespace {

// Messages of the language table.
constexpr int kCannotBeRead = 198;
constexpr int kBuiltInGridName = 397;
constexpr int kOwnGridName = 398;

// The key of the thumbnail an entry shows.
constexpr int kKeyRole = Qt::UserRole + 1;

// Every entry takes its cell of the grid, whatever its name's length. The
// name takes up to two lines under the thumbnail: what fits of its start,
// then the rest, elided in its middle so that its end (a number, the ending)
// shows. The chosen entry is framed in the album's gold.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(QSize cell, int lines, QObject* parent)
        : QStyledItemDelegate(parent), cell_(cell), lines_(lines)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return cell_; }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QString name = o.text;
        const bool chosen = o.state & QStyle::State_Selected;
        o.text.clear();
        o.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        const QWidget* view = o.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &o, p, view);

        const QRect icon(o.rect.left() + (o.rect.width() - o.decorationSize.width()) / 2, o.rect.top() + 3,
                         o.decorationSize.width(), o.decorationSize.height());
        if (chosen) {
            p->save();
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(QPen(QColor(0xd4, 0x9a, 0x2a), 4));
            p->setBrush(Qt::NoBrush);
            p->drawRoundedRect(QRectF(icon).adjusted(-2, -2, 2, 2), 3, 3);
            p->restore();
        }
        if (lines_ == 0 || name.isEmpty())
            return;
        const QFontMetrics fm(o.font);
        const QRect text(o.rect.left() + 2, icon.bottom() + 4, o.rect.width() - 4, fm.height() * lines_);
        const QStringList shown = nameLines(name, fm, text.width());
        p->save();
        if (chosen)
            p->fillRect(QRect(text.left(), text.top(), text.width(), fm.height() * int(shown.size())),
                        o.palette.color(QPalette::Highlight));
        p->setPen(o.palette.color(chosen ? QPalette::HighlightedText : QPalette::Text));
        p->setFont(o.font);
        for (int i = 0; i < shown.size(); ++i)
            p->drawText(QRect(text.left(), text.top() + i * fm.height(), text.width(), fm.height()),
                        Qt::AlignHCenter | Qt::AlignVCenter, shown[i]);
        p->restore();
    }

private:
    QStringList nameLines(const QString& name, const QFontMetrics& fm, int width) const
    {
        if (lines_ < 2 || fm.horizontalAdvance(name) <= width)
            return {fm.elidedText(name, Qt::ElideMiddle, width)};
        // The first line ends at the last space that lets it fit, else at
        // the last letter that does.
        int cut = 1;
        while (cut < name.size() && fm.horizontalAdvance(name.left(cut + 1)) <= width)
            ++cut;
        const int space = name.lastIndexOf(QLatin1Char(' '), cut);
        if (space > 0 && space >= cut / 2)
            cut = space + 1;
        return {name.left(cut).trimmed(), fm.elidedText(name.mid(cut).trimmed(), Qt::ElideMiddle, width)};
    }

    QSize cell_;
    int lines_;
};

void setUpGrid(QListWidget* grid, int columns, bool names, int* side)
{
    grid->setViewMode(QListView::IconMode);
    grid->setMovement(QListView::Static);
    grid->setResizeMode(QListView::Adjust);
    grid->setWrapping(true);
    grid->setUniformItemSizes(true);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideMiddle);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int scrollBar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    const int room = grid->width() - 2 * grid->frameWidth() - scrollBar - 2;
    const int cellWidth = std::max(24, room / columns);
    *side = std::max(16, cellWidth - 10);
    const int lines = names ? 2 : 0;
    const int cellHeight = *side + 10 + lines * grid->fontMetrics().height();
    grid->setIconSize(QSize(*side, *side));
    grid->setGridSize(QSize(cellWidth, cellHeight));
    grid->setItemDelegate(new CellDelegate(QSize(cellWidth - 2, cellHeight - 2), lines, grid));
    // The album's paper, a little lighter.
    QPalette paper = grid->palette();
    paper.setColor(QPalette::Base, QColor(0xfd, 0xf9, 0xf0));
    grid->setPalette(paper);
    // A page of the grid is a few rows.
    grid->verticalScrollBar()->setSingleStep(cellHeight / 3);
}

// A square of the side, for the pixel ratio of the screen.
QPixmap tile(int side, qreal ratio)
{
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon iconOf(const QImage& picture, int side, qreal ratio)
{
    QPixmap pixmap = tile(side, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // Square pictures fill it; others (a built-in picture of 400 x 390) are
    // fitted in its middle.
    const QSizeF fitted = QSizeF(picture.size()).scaled(QSizeF(side, side), Qt::KeepAspectRatio);
    p.drawImage(QRectF(QPointF((side - fitted.width()) / 2, (side - fitted.height()) / 2), fitted),
                picture);
    return QIcon(pixmap);
}

// The place of an own picture whose thumbnail is still being made: a sheet
// of the album's paper, a little darker.
QIcon arrivingIcon(int side, qreal ratio)
{
    QPixmap pixmap = tile(side, ratio);
    QPainter p(&pixmap);
    p.fillRect(QRectF(1, 1, side - 2, side - 2), QColor(0xe4, 0xd6, 0xb8));
    p.setPen(QPen(QColor(0xb9, 0xa3, 0x7c), 1));
    p.drawRect(QRectF(1.5, 1.5, side - 3, side - 3));
    return QIcon(pixmap);
}

// A file that cannot be read: a grey sheet torn across, with the warning sign.
QIcon brokenIcon(int side, qreal ratio, const QStyle* style)
{
    QPixmap pixmap = tile(side, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(1, 1, side - 2, side - 2), QColor(0xcf, 0xcb, 0xc4));
    p.setPen(QPen(QColor(0x8a, 0x84, 0x7a), 1.5));
    p.drawRect(QRectF(1.5, 1.5, side - 3, side - 3));
    QPolygonF tear;
    for (int i = 0; i <= 8; ++i)
        tear << QPointF(side * i / 8.0, side * (0.62 + ((i % 2) ? 0.06 : -0.06)));
    p.drawPolyline(tear);
    const int sign = side / 2;
    style->standardIcon(QStyle::SP_MessageBoxWarning)
        .paint(&p, QRect((side - sign) / 2, side / 8, sign, sign));
    return QIcon(pixmap);
}

}  // namespace

void frmPicAuswahl::createGrids()
{
    lstBilder = new QListWidget(fraAuswahl[0]);
    lstBilder->setGeometry(scaled(60, 60, 2580, 1920));
    int side = 0;
    setUpGrid(lstBilder, 4, false, &side);
    widgets::nameByMessage(lstBilder, kBuiltInGridName);
    fillBuiltInGrid();
    connect(lstBilder, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showingBuiltIn_ && row >= 0)
            lstBilder_Click();
    });
    connect(lstBilder, &QListWidget::itemDoubleClicked, this, [this] { imgBild_DblClick(); });

    setUpGrid(File1, 3, true, &thumbSide_);
    widgets::nameByMessage(File1, kOwnGridName);
    arriving_ = arrivingIcon(thumbSide_, qApp->devicePixelRatio());
    File1->onListed = [this] { decorateFiles(); };
    connect(File1, &QListWidget::itemDoubleClicked, this, [this] { imgBild_DblClick(); });
}

void frmPicAuswahl::fillBuiltInGrid()
{
    const int side = lstBilder->iconSize().width();
    const qreal ratio = qApp->devicePixelRatio();
    for (int i = 0; i < 16; ++i) {
        auto* item = new QListWidgetItem(lstBilder);
        item->setIcon(iconOf(resources::loadBitmap(201 + i), side, ratio));
    }
}

void frmPicAuswahl::lstBilder_Click()
{
    Procedure proc{"frmPicAuswahl", "lstBilder_Click"};
    proc.run({
        [&] { settings().setPicture(static_cast<int16_t>(101 + lstBilder->currentRow())); },
        [&] { showBuiltIn(); },
    });
}

QListWidget* frmPicAuswahl::gridInFront() const
{
    if (settings().Album() == 1)
        return File1->ListCount() > 0 ? File1 : nullptr;
    return lstBilder;
}

QString frmPicAuswahl::thumbnailKey(const QString& name) const
{
    // A file replaced under its name (its time or size changed) is made anew.
    const QFileInfo info(File1->Path() + QLatin1Char('/') + name);
    return name + QLatin1Char('\n') + QString::number(info.lastModified().toMSecsSinceEpoch())
        + QLatin1Char(' ') + QString::number(info.size());
}

void frmPicAuswahl::decorateFiles()
{
    QStringList wanted;
    for (int i = 0; i < File1->count(); ++i) {
        QListWidgetItem* item = File1->item(i);
        const QString name = item->text();
        const QString key = thumbnailKey(name);
        item->setData(kKeyRole, key);
        item->setData(Qt::AccessibleTextRole, name);
        const auto found = thumbs_.constFind(key);
        if (found == thumbs_.cend()) {
            item->setIcon(arriving_);
            item->setToolTip(name);
            if (!thumbsAsked_.contains(key)) {
                thumbsAsked_.insert(key);
                wanted << File1->Path() + QLatin1Char('/') + name;
            }
            continue;
        }
        item->setIcon(found->icon);
        const QString broken = services::textOf(kCannotBeRead).arg(name);
        item->setToolTip(found->broken ? broken : name);
        item->setData(Qt::AccessibleDescriptionRole, found->broken ? broken : QString());
    }
    if (wanted.isEmpty())
        return;
    const int pixels = int(std::ceil(thumbSide_ * qApp->devicePixelRatio()));
    thumbnails_.make(wanted, pixels, [this](const QString& path, const pictures::Decoded& read) {
        thumbnailArrivedFor(path, read);
    });
}

void frmPicAuswahl::thumbnailArrivedFor(const QString& path, const pictures::Decoded& read)
{
    const QString name = QFileInfo(path).fileName();
    const QString key = thumbnailKey(name);
    if (!thumbsAsked_.contains(key))
        return;  // replaced meanwhile: asked for again under its new key
    Thumbnail thumb;
    thumb.broken = read.failure != 0 || read.picture.isNull();
    const qreal ratio = qApp->devicePixelRatio();
    thumb.icon = thumb.broken ? brokenIcon(thumbSide_, ratio, style()) : iconOf(read.picture, thumbSide_, ratio);
    thumbs_.insert(key, thumb);
    for (int i = 0; i < File1->count(); ++i) {
        QListWidgetItem* item = File1->item(i);
        if (item->data(kKeyRole).toString() != key)
            continue;
        item->setIcon(thumb.icon);
        if (thumb.broken) {
            const QString broken = services::textOf(kCannotBeRead).arg(name);
            item->setToolTip(broken);
            item->setData(Qt::AccessibleDescriptionRole, broken);
        }
    }
}

void frmPicAuswahl::forgetThumbnail(const QString& name)
{
    const QString key = thumbnailKey(name);
    thumbs_.remove(key);
    thumbsAsked_.remove(key);
    decorateFiles();
}

bool frmPicAuswahl::thumbnailArrived(int index) const
{
    const QListWidgetItem* item = File1->item(index);
    return item && thumbs_.contains(item->data(kKeyRole).toString());
}

bool frmPicAuswahl::thumbnailBroken(int index) const
{
    const QListWidgetItem* item = File1->item(index);
    return item && thumbs_.value(item->data(kKeyRole).toString()).broken;
}
