#include "services/picture_square.h"

#include "platform/files.h"

#include <QFileInfo>
#include <QStringList>

namespace pictures {

namespace {

const QString kStretch = QStringLiteral("stretch");

struct Line {
    QString name;
    QString value;
};

// The lines of the folder's file; comments and lines without "=" are left out.
QList<Line> readLines(const QString& file)
{
    QList<Line> lines;
    // A line a picture: a megabyte holds tens of thousands of them. A larger
    // file is no file of ours and is not read.
    constexpr qint64 kLargest = 1 << 20;
    QByteArray bytes;
    if (!files::readRegular(file, bytes, kLargest))
        return lines;
    for (const QString& text : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        const QString line = text.endsWith(QLatin1Char('\r')) ? text.chopped(1) : text;
        const qsizetype at = line.lastIndexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || at <= 0)
            continue;
        lines.append({line.left(at), line.mid(at + 1).trimmed()});
    }
    return lines;
}

Square parse(const QString& text)
{
    const bool stretch = text.startsWith(kStretch);
    QString value = stretch ? text.mid(kStretch.size()) : text;
    if (stretch && value.isEmpty())
        return {Square::Kind::Stretch, {}};
    if (stretch && !value.startsWith(QLatin1Char(',')))
        return {};
    if (stretch)
        value.remove(0, 1);
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 3)
        return stretch ? Square{Square::Kind::Stretch, {}} : Square{};
    int n[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        n[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    // Beyond any picture the game reads, and far from the ends of an int
    // (x + side must not overflow where the rectangle is built).
    constexpr int kLargestCoordinate = 1 << 20;
    if (n[0] < 0 || n[1] < 0 || n[2] < 1 || n[0] > kLargestCoordinate
        || n[1] > kLargestCoordinate || n[2] > kLargestCoordinate)
        return stretch ? Square{Square::Kind::Stretch, {}} : Square{};
    return {stretch ? Square::Kind::Stretch : Square::Kind::Region, QRect(n[0], n[1], n[2], n[2])};
}

QString format(const Square& square)
{
    const QRect& r = square.region;
    const bool region = r.width() == r.height() && r.width() > 0;
    const QString numbers = QStringLiteral("%1,%2,%3").arg(r.x()).arg(r.y()).arg(r.width());
    if (square.kind == Square::Kind::Stretch)
        return region ? kStretch + QLatin1Char(',') + numbers : kStretch;
    return numbers;
}

}  // namespace

QString squaresFile(const QString& folder)
{
    return folder + QStringLiteral("/squares.txt");
}

Square storedSquare(const QString& picturePath)
{
    const QFileInfo info(picturePath);
    const QString name = info.fileName();
    Square found;
    for (const Line& line : readLines(squaresFile(info.path())))
        if (line.name == name)
            found = parse(line.value);
    return found;
}

bool storeSquare(const QString& picturePath, const Square& square)
{
    const QFileInfo info(picturePath);
    const QString name = info.fileName();
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
        return false;
    // As with the pictures, a folder that is a link is not written into.
    if (QFileInfo(info.path()).isSymLink())
        return false;
    const QString file = squaresFile(info.path());
    QList<Line> lines = readLines(file);
    const bool middle = square.kind == Square::Kind::Middle
        || (square.kind == Square::Kind::Region && square.region.width() != square.region.height());
    const auto before = lines.size();
    lines.removeIf([&](const Line& l) { return l.name == name; });
    if (middle && lines.size() == before)
        return true;  // nothing stored, nothing to change
    if (!middle)
        lines.append({name, format(square)});
    QByteArray text = "# Tavoro: the square of each picture that the board shows\n";
    for (const Line& l : lines)
        text += (l.name + QLatin1Char('=') + l.value + QLatin1Char('\n')).toUtf8();
    return files::replace(file, text);
}

}  // namespace pictures
