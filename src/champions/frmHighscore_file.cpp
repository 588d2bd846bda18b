// The champions window's file: loading and storing the list of the current
// section of Tavoro.hsc, and the scrambled hexadecimal form of its entries.

#include "champions/frmHighscore.h"

#include "champions/hscodec.h"
#include "champions/ranking.h"
#include "errors/trap.h"
#include "platform/ansi.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <string>
#include <utility>
#include <vector>

using errors::Procedure;

namespace {

// The buffer a value is read into: at most 254 characters arrive.
constexpr int kBufferSize = 255;

std::string bytesOf(const QByteArray& a)
{
    return std::string(a.constData(), static_cast<std::size_t>(a.size()));
}

QByteArray fromBytes(const std::string& s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// The entries are scrambled with the application title.
std::string scrambleKey()
{
    return bytesOf(ansi::toAnsi(appinfo::title()));
}

}  // namespace

QString frmHighscore::HscPath()
{
    return appinfo::dataFolder() + QLatin1Char('/') + appinfo::title() + QStringLiteral(".hsc");
}

void frmHighscore::GetHS()
{
    Procedure proc{"frmHighscore", "GetHS"};
    proc.run({
        [&] { lstSort.Clear(); },
        [&] {
            // A value that is no entry counts as an empty slot.
            for (int k = 1; k <= 10; ++k) {
                const QString entry = GetHSVal(QString::number(k), champions::kEmptySlot);
                lstSort.AddItem(champions::isEntry(entry) ? entry : champions::kEmptySlot);
            }
            readEntries_ = lstSort.items();
        },
    });
}

QString frmHighscore::GetHSVal(const QString& key, const QString& defaultValue)
{
    QString result;
    std::optional<QString> stored;
    Procedure proc{"frmHighscore", "GetHSVal"};
    proc.run({
        [&] { stored = profile::ProfileFile::read(HscPath()).value(Section, key); },
        // A missing key gives the default as it is, blank and all; a stored
        // value, even an empty one, is decoded.
        [&] { result = stored ? ConvBack(stored->left(kBufferSize - 1)) : defaultValue; },
    });
    return result;
}

bool frmHighscore::SaveHS(const std::optional<QString>& key, const QString& value)
{
    bool saved = false;
    Procedure proc{"frmHighscore", "SaveHS"};
    proc.run({
        [&] { saved = profile::WritePrivateProfileString(Section, key, value, HscPath()); },
    });
    return saved;
}

bool frmHighscore::WriteHS()
{
    std::vector<std::pair<QString, QString>> values;
    bool saved = false;
    std::optional<files::FolderLock> lock;
    Procedure proc{"frmHighscore", "WriteHS"};
    proc.run({
        [&] {
            // Under the lock, the list is read again: what another copy of
            // the game stored since this window read it stays, and the
            // entries this window added are ranked among it.
            lock.emplace(HscPath());
            if (readEntries_) {
                QStringList added = lstSort.items();
                for (const QString& entry : *readEntries_)
                    added.removeOne(entry);
                GetHS();
                for (const QString& entry : added)
                    lstSort.AddItem(entry);
            }
            values.clear();
            for (int k = 1; k <= 10; ++k)
                values.emplace_back(QString::number(k), Conv(lstSort.List(k - 1)));
        },
        // The ten keys go into the file in one replacement of it, so that a
        // game that dies meanwhile leaves the list before or the list after,
        // never one that lost an entry between two keys.
        [&] { saved = profile::WritePrivateProfileValues(Section, values, HscPath()); },
    });
    return saved;
}

QString frmHighscore::Conv(const QString& text)
{
    QString result;
    Procedure proc{"frmHighscore", "Conv"};
    proc.run({
        [&] {
            result = QString::fromLatin1(
                fromBytes(hscodec::conv(bytesOf(ansi::toAnsi(text)), scrambleKey())));
        },
    });
    return result;
}

QString frmHighscore::ConvBack(const QString& value)
{
    QString result;
    Procedure proc{"frmHighscore", "ConvBack"};
    proc.run({
        [&] {
            result = ansi::fromAnsi(
                fromBytes(hscodec::convBack(bytesOf(ansi::toAnsi(value)), scrambleKey())));
        },
    });
    return result;
}

void frmHighscore::Crypt(QByteArray& text)
{
    Procedure proc{"frmHighscore", "Crypt"};
    proc.run({
        [&] {
            std::string scrambled = bytesOf(text);
            hscodec::crypt(scrambled, scrambleKey());
            text = fromBytes(scrambled);
        },
    });
}
