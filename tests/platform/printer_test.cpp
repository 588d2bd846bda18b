#include "platform/printer.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The error protocol prints lines of up to 93 characters (73 and an indent of
// 20): none of them may be cut at the page's right edge, on A4 or Letter with
// margins of an inch, where 93 characters of 10 points do not fit.
TEST(Printer, NoLineIsCutAtThePagesRightEdge)
{
    QTemporaryDir dir;
    const QString longest = QString(20, ' ') + QString(73, 'W');
    const QStringList lines = {
        QStringLiteral("          Fehler-Nr / error :\t70 (Permission denied)"), longest,
        QString(250, 'x'),  // a line without blanks, beyond any page: continued
    };
    for (QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter}) {
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(dir.filePath("p.pdf"));
        device.setPageSize(QPageSize(size));
        // Margins of an inch, as many printers keep.
        device.setPageMargins(QMarginsF(25.4, 25.4, 25.4, 25.4), QPageLayout::Millimeter);
        const printer::PageText page = printer::layOut(lines, &device, device.width());
        const QFontMetricsF m(page.font, &device);
        for (const QString& line : page.lines)
            EXPECT_LE(m.horizontalAdvance(line), device.width()) << line.size();
        // The protocol's own lines stay whole, the tab expanded.
        EXPECT_EQ(page.lines[0], QStringLiteral("          Fehler-Nr / error :   70 (Permission denied)"));
        EXPECT_EQ(page.lines[1], longest);
        EXPECT_EQ(page.lines.mid(2).join(QString()), QString(250, 'x'));
        // Smaller than the usual 10 points only as far as the 93 characters need.
        EXPECT_GE(page.font.pointSizeF(), 6.5);
        EXPECT_LT(page.font.pointSizeF(), 10.0);
        EXPECT_TRUE(printer::printOn(device, lines));
    }
}
