#include "dialogs/dialog_controls.h"

#include <QDir>
#include <QPainter>

namespace dialogs {

PictureBoxBase::PictureBoxBase(QWidget* parent) : widgets::Placed<QWidget>(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBoxBase::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (canvas_.size() == size())
        return;
    QPixmap grown(size().expandedTo(QSize(1, 1)));
    grown.fill(Qt::white);
    if (!canvas_.isNull()) {
        QPainter p(&grown);
        p.drawPixmap(0, 0, canvas_);
    }
    canvas_ = grown;
}

void PictureBoxBase::PaintPicture(const QPixmap& picture, int x, int y)
{
    if (canvas_.size() != size())
        resizeEvent(nullptr);
    QPainter p(&canvas_);
    p.drawPixmap(QPointF(x / double(twips::TwipsPerPixel), y / double(twips::TwipsPerPixel)), picture);
    update();
}

void PictureBoxBase::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, canvas_);
}

// ---------------------------------------------------------------------------

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!settingIndex_ && row >= 0 && onClick)
            onClick();
    });
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    Refresh();
}

void FileListBox::setPath(const QString& path)
{
    path_ = path;
    Refresh();
}

void FileListBox::Refresh()
{
    settingIndex_ = true;
    clear();
    if (!path_.isEmpty()) {
        QDir dir(path_);
        const QStringList names = dir.entryList(pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts),
                                                QDir::Files | QDir::Readable,
                                                QDir::Name | QDir::IgnoreCase);
        addItems(names);
    }
    settingIndex_ = false;
    if (onListed)
        onListed();
}

QString FileListBox::List(int i) const
{
    const QListWidgetItem* it = item(i);
    return it ? it->text() : QString();
}

void FileListBox::setListIndex(int i)
{
    settingIndex_ = true;
    setCurrentRow(i);
    settingIndex_ = false;
}

QString FileListBox::FileName() const
{
    const QListWidgetItem* it = currentItem();
    return it && currentRow() >= 0 ? it->text() : QString();
}

}  // namespace dialogs
