#include "services/kept_game.h"

#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/worker.h"
#include "services/seams.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

#include <cerrno>

#include <memory>
#include <mutex>

namespace keptgame {

namespace {

const QString kSection = QStringLiteral("Game");
// The messages of the language table.
constexpr int kNotKeptMessage = 413;
constexpr int kOthersPlayMessage = 414;
// A file far larger than any game is no game; it is not read.
constexpr qint64 kLargestFile = 4096;

// A whole number from 0 to `most`, or nothing.
std::optional<int> number(const profile::ProfileFile& file, const char* key, int most)
{
    const std::optional<QString> text = file.value(kSection, QLatin1String(key));
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < 0 || value > most)
        return std::nullopt;
    return value;
}

// The game's own worker: the window never waits for the disk.
worker::Worker& writer()
{
    static worker::Worker w(worker::Priority::Normal);
    return w;
}

// The saved game of this copy of the game. Each copy claims one file for
// its run: the first that no other copy claims and that holds a game, else
// the first unclaimed one ("Tavoro saved game.ini", then "… 2.ini" up to 9).
// So a second copy never takes the game the first one plays, and when both
// quit both games are kept, the second beside the first.
struct Slot {
    QString folder;
    QString path;
    std::unique_ptr<files::PathClaim> claim;
    bool othersPlay = false;  // a game is kept that another copy plays now
    bool toldOthersPlay = false;
    bool toldNotKept = false;
};
Slot slot;
std::mutex slotMutex;

QString slotPath(const QString& folder, int n)
{
    const QString base = folder + QStringLiteral("/") + appinfo::title() + QStringLiteral(" saved game");
    return n == 1 ? base + QStringLiteral(".ini") : base + QStringLiteral(" %1.ini").arg(n);
}

constexpr int kSlots = 9;

// The slot of this copy, claimed at the first call for the folder.
QString claimedPath()
{
    const std::lock_guard<std::mutex> hold(slotMutex);
    const QString folder = appinfo::dataFolder();
    if (slot.folder == folder && !slot.path.isEmpty())
        return slot.path;
    slot = Slot{};
    slot.folder = folder;
    int firstFree = 0;
    for (int n = 1; n <= kSlots && slot.path.isEmpty(); ++n) {
        const QString at = slotPath(folder, n);
        auto claim = std::make_unique<files::PathClaim>(at);
        const bool there = QFileInfo::exists(at) || QFileInfo(at).isSymLink();
        if (claim->heldByAnother()) {
            slot.othersPlay = slot.othersPlay || there;
            continue;
        }
        if (there) {
            slot.path = at;
            slot.claim = std::move(claim);
        } else if (!firstFree) {
            firstFree = n;
        }
    }
    if (slot.path.isEmpty()) {
        // No kept game free: the first free name; with none (nine copies at
        // once), the first, unclaimed.
        slot.path = slotPath(folder, firstFree ? firstFree : 1);
        slot.claim = std::make_unique<files::PathClaim>(slot.path);
    }
    return slot.path;
}

// Told once a run, on the window's thread, in the game's language.
void tellOnce(bool Slot::*told, int message, const QString& detail)
{
    {
        const std::lock_guard<std::mutex> hold(slotMutex);
        if (slot.*told)
            return;
        slot.*told = true;
    }
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [message, detail] {
            services::seams().warn(QApplication::activeWindow(),
                                   services::textOf(message).arg(detail));
        },
        Qt::QueuedConnection);
}

// Replaces the file; one that may not be written (read-only, another
// account's) is removed first where the folder allows it. False when the
// game could not be written (a full disk, a folder that takes nothing).
bool writeGame(const QString& to, const QByteArray& bytes)
{
    if (files::replace(to, bytes))
        return true;
    const int why = errno;
    if (why != EACCES && why != EPERM && why != 0)
        return false;
    const QFileInfo info(to);
    if (!info.isFile() || info.isSymLink() || !QFile::remove(to))
        return false;
    return files::replace(to, bytes);
}

// "a-b,a-b": places of the board, or nothing when the text is not such a list.
QString movesText(const game::Moves& moves)
{
    QStringList parts;
    for (const game::Move& m : moves)
        parts << QStringLiteral("%1-%2").arg(m.a).arg(m.b);
    return parts.join(QLatin1Char(','));
}

std::optional<game::Moves> movesOf(const QString& text)
{
    game::Moves moves;
    if (text.trimmed().isEmpty())
        return moves;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList ab = part.split(QLatin1Char('-'));
        bool okA = false;
        bool okB = false;
        const int a = ab.value(0).trimmed().toInt(&okA);
        const int b = ab.value(1).trimmed().toInt(&okB);
        if (ab.size() != 2 || !okA || !okB || a < 0 || b < 0 || a >= game::MaxPlaces || b >= game::MaxPlaces
            || int(moves.size()) >= game::Session::UndoDepth)
            return std::nullopt;
        moves.push_back({a, b});
    }
    return moves;
}

}  // namespace

QString path()
{
    return claimedPath();
}

QByteArray encode(const Game& game)
{
    QStringList pieces;
    for (int p : game.pieces)
        pieces << QString::number(p);
    profile::ProfileFile file;
    file.setValue(kSection, QStringLiteral("Size"), QString::number(game.size));
    file.setValue(kSection, QStringLiteral("Mode"),
                  QString::number(game.mode == game::Mode::Slide ? 0 : 1));
    file.setValue(kSection, QStringLiteral("Album"), QString::number(game.album));
    file.setValue(kSection, QStringLiteral("Picture"), QString::number(game.picture));
    file.setText(kSection, QStringLiteral("File"), game.file);
    file.setValue(kSection, QStringLiteral("Pieces"), pieces.join(QLatin1Char(',')));
    file.setValue(kSection, QStringLiteral("Moves"), QString::number(game.moves));
    file.setValue(kSection, QStringLiteral("Seconds"), QString::number(game.seconds));
    file.setValue(kSection, QStringLiteral("Helped"), QString::number(game.helped ? 1 : 0));
    if (!game.undo.empty())
        file.setValue(kSection, QStringLiteral("Undo"), movesText(game.undo));
    if (!game.redo.empty())
        file.setValue(kSection, QStringLiteral("Redo"), movesText(game.redo));
    return file.bytes();
}

std::optional<Game> decode(const QByteArray& bytes, QString* why)
{
    const auto fail = [why](const char* reason) -> std::optional<Game> {
        if (why)
            *why = QLatin1String(reason);
        return std::nullopt;
    };
    const profile::ProfileFile file(bytes);
    Game g;
    const auto size = number(file, "Size", game::MaxSide);
    const auto mode = number(file, "Mode", 1);
    const auto album = number(file, "Album", 1);
    const auto picture = number(file, "Picture", 116);
    const auto moves = number(file, "Moves", 99999);
    const auto seconds = number(file, "Seconds", 99999);
    const std::optional<QString> pieces = file.value(kSection, QStringLiteral("Pieces"));
    if (!size || !mode || !album || !picture || !moves || !seconds || !pieces)
        return fail("a value is missing or out of its range");
    if (*size < 3)
        return fail("the board is too small");
    if (*album == 0 && *picture < 101)
        return fail("no such built-in picture");
    g.size = *size;
    g.mode = *mode == 0 ? game::Mode::Slide : game::Mode::Swap;
    g.album = *album;
    g.picture = *picture;
    g.file = file.text(kSection, QStringLiteral("File")).value_or(QString());
    g.moves = *moves;
    g.seconds = *seconds;
    // Missing reads as no help; anything but 0 as help, so that a game is
    // never laundered into the champions list.
    g.helped = file.value(kSection, QStringLiteral("Helped")).value_or(QStringLiteral("0"))
        != QLatin1String("0");
    // The lists go together or not at all; the session checks that they fit.
    const auto undo = movesOf(file.value(kSection, QStringLiteral("Undo")).value_or(QString()));
    const auto redo = movesOf(file.value(kSection, QStringLiteral("Redo")).value_or(QString()));
    if (undo && redo) {
        g.undo = *undo;
        g.redo = *redo;
    }
    const QStringList parts = pieces->split(QLatin1Char(','));
    if (parts.size() != g.size * g.size)
        return fail("the pieces do not fill the board");
    for (const QString& part : parts) {
        bool ok = false;
        const int p = part.trimmed().toInt(&ok);
        if (!ok)
            return fail("a piece is no number");
        g.pieces.push_back(p);
    }
    if (g.album == 1 && (g.file.isEmpty() || g.file.contains(QLatin1Char('/'))
                         || g.file == QLatin1String("..")))
        return fail("no picture file named");
    // The board itself judges the arrangement.
    game::Board board;
    if (!board.restore(g.size, g.mode, g.pieces, g.moves))
        return fail("the pieces are no arrangement the board can take");
    if (board.solved())
        return fail("the game is already solved");
    return g;
}

void keep(const Game& game)
{
    auto bytes = std::make_shared<QByteArray>(encode(game));
    writer().post([bytes, to = path()] {
        if (!writeGame(to, *bytes))
            tellOnce(&Slot::toldNotKept, kNotKeptMessage, QDir::toNativeSeparators(to));
    });
}

void forget()
{
    writer().post([at = path()] { QFile::remove(at); });
}

void flush()
{
    if (!writer().isCurrentThread())
        writer().waitUntilIdle();
}

std::optional<Game> load(QString* problem)
{
    const QString at = path();
    bool othersPlay = false;
    {
        const std::lock_guard<std::mutex> hold(slotMutex);
        othersPlay = slot.othersPlay;
    }
    if (othersPlay)
        tellOnce(&Slot::toldOthersPlay, kOthersPlayMessage, QString());
    QFile file;
    QString why;
    std::optional<Game> game;
    if (!files::openForReading(file, at)) {
        if (errno == ENOENT)
            return std::nullopt;
        why = QStringLiteral("it is no file the game can read");
    } else if (file.size() > kLargestFile) {
        why = QStringLiteral("it is too large");
    } else {
        game = decode(file.readAll(), &why);
    }
    file.close();
    if (!game) {
        // Set aside, so that it never stands in the way again; a link is
        // renamed, not what it points to.
        const QString aside = at + QStringLiteral(".damaged");
        QFile::remove(aside);
        if (!QFile::rename(at, aside))
            QFile::remove(at);
        if (problem)
            *problem = why;
    }
    return game;
}

}  // namespace keptgame
