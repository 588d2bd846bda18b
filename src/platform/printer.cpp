#include "platform/printer.h"

#include "platform/appinfo.h"
#include "platform/seams.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace printer {

namespace {

QString expandTabs(const QString& line)
{
    QString out;
    for (QChar c : line) {
        if (c == QLatin1Char('\t')) {
            do
                out += QLatin1Char(' ');
            while (out.size() % 8 != 0);
        } else {
            out += c;
        }
    }
    return out;
}

QFont fixedPitch(qreal points)
{
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

PageText layOut(const QStringList& lines, QPaintDevice* device, int pageWidth)
{
    PageText page;
    QStringList expanded;
    for (const QString& line : lines)
        expanded.append(expandTabs(line));

    // The protocol's lines are broken at 73 characters and continued after an
    // indent of 20: the font is chosen for lines of up to 93 characters, and
    // a longer word is continued rather than making every line tiny.
    constexpr qsizetype kLongestLine = 93;
    qreal points = 10;
    auto widest = [&](const QFontMetricsF& m) {
        qreal w = 0;
        for (const QString& line : expanded)
            w = std::max(w, m.horizontalAdvance(line.left(kLongestLine)));
        return w;
    };
    while (points > 6 && widest(QFontMetricsF(fixedPitch(points), device)) > pageWidth)
        points -= 0.5;
    page.font = fixedPitch(points);

    // What is still too wide goes on as many printer lines as it needs.
    const QFontMetricsF m(page.font, device);
    for (QString line : expanded) {
        while (line.size() > 1 && m.horizontalAdvance(line) > pageWidth) {
            qsizetype fits = 1;
            while (fits < line.size() && m.horizontalAdvance(line.left(fits + 1)) <= pageWidth)
                ++fits;
            page.lines.append(line.left(fits));
            line = line.mid(fits);
        }
        page.lines.append(line);
    }
    return page;
}

bool printOn(QPagedPaintDevice& device, const QStringList& lines)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int pageWidth = device.width();
    const int pageHeight = device.height();
    const PageText page = layOut(lines, &device, pageWidth);
    painter.setFont(page.font);
    const int lineHeight = painter.fontMetrics().lineSpacing();
    int y = 0;
    for (const QString& line : page.lines) {
        if (y > 0 && y + lineHeight > pageHeight) {
            if (!device.newPage())
                break;
            y = 0;
        }
        painter.drawText(QRect(0, y, pageWidth, lineHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
        y += lineHeight;
    }
    return painter.end();
}

bool printLines(const QStringList& lines)
{
    if (const auto& print = platform::seams().printLines)
        return print(lines);
    try {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return false;
        QPrinter device(info, QPrinter::HighResolution);
        device.setDocName(appinfo::title());
        return printOn(device, lines);
    } catch (...) {
        return false;
    }
}

}  // namespace printer
