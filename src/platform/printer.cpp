#include "platform/printer.h"

#include "platform/appinfo.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace printer {

bool printLines(const QStringList& lines)
{
    try {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return false;
        QPrinter device(info, QPrinter::HighResolution);
        device.setDocName(appinfo::title());
        QPainter painter;
        if (!painter.begin(&device))
            return false;
        QFont font(QStringLiteral("Courier New"), 10);
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        painter.setFont(font);
        const int lineHeight = painter.fontMetrics().lineSpacing();
        const int pageWidth = device.width();
        const int pageHeight = device.height();
        int y = 0;
        for (const QString& line : lines) {
            if (y > 0 && y + lineHeight > pageHeight) {
                if (!device.newPage())
                    break;
                y = 0;
            }
            painter.drawText(QRect(0, y, pageWidth, lineHeight),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs,
                             line);
            y += lineHeight;
        }
        return painter.end();
    } catch (...) {
        return false;
    }
}

}  // namespace printer
