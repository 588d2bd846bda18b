#pragma once
// A champions window over a program folder of its own: the name box, the
// questions and the warnings answered and recorded by the test, Tavoro.hsc
// written and read back in its scrambled form.

#include "champions/frmHighscore.h"
#include "champions/hscodec.h"
#include "platform/ansi.h"
#include "platform/profile.h"
#include "platform/seams.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/scripted_errors.h"

#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace testsupport {

// The English texts the window asks for.
inline QString englishText(int16_t key)
{
    switch (key % 1000) {
    case 106: return QStringLiteral("Moves");
    case 126: return QStringLiteral("Please enter your name!");
    case 128: return QStringLiteral("Congratulations!");
    case 144: return QStringLiteral("Name");
    case 145: return QStringLiteral("Time (s)");
    case 147: return QStringLiteral("Pieces");
    case 155: return QStringLiteral("Delete champions...");
    case 159: return QStringLiteral("&Reset");
    case 161: return QStringLiteral("Slide");
    case 162: return QStringLiteral("Swap");
    case 164: return QStringLiteral("Really delete the champions list?");
    case 166: return QStringLiteral("Mode");
    case 171: return QStringLiteral("The champions list could not be saved.");
    case 172: return QStringLiteral("Rank %1: %2 moves in %3 seconds");
    case 173: return QStringLiteral("Stored as \"?\": %1");
    case 410: return QStringLiteral("Cannot keep: %1");
    case 411: return QStringLiteral("At most %1 characters.");
    default: return QString();
    }
}

class ChampionsTest : public ::testing::Test {
protected:
    ScriptedErrors errors;
    QTemporaryDir folder;  // the program's folder
    // Answers of the name box in turn (nothing: cancelled), and what it asked.
    std::deque<std::optional<QString>> names;
    std::vector<std::pair<QString, QString>> prompts;  // prompt, title
    QStringList presets;                               // the names offered
    QStringList told;
    std::function<void()> whileNameBoxOpen;
    std::vector<std::pair<QString, QString>> questions;  // text, caption
    bool answerYes = false;
    QStringList warnings;
    std::unique_ptr<frmHighscore> w;

    void SetUp() override
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        Allgemein::settings().setSprache(1000);
        platform::seams().programFolder = folder.path();
        services::resetSeams();
        auto& h = services::seams();
        h.GetLang = englishText;
        h.InputBox = [this](QWidget*, const QString& prompt, const QString& title,
                            const QString& preset,
                            const std::function<QString(const QString&)>& problem) {
            prompts.emplace_back(prompt, title);
            nameProblem = problem;
            presets << preset;
            if (whileNameBoxOpen)
                whileNameBoxOpen();
            std::optional<QString> answer;
            if (!names.empty()) {
                answer = names.front();
                names.pop_front();
            }
            return answer;
        };
        h.askYesNoDefaultNo = [this](QWidget*, const QString& text, const QString& caption) {
            questions.emplace_back(text, caption);
            return answerYes;
        };
        h.warn = [this](QWidget*, const QString& text) { warnings.push_back(text); };
        h.tell = [this](QWidget*, const QString& text) { told.push_back(text); };
    }

    // What the name box was told to refuse, as typed.
    std::function<QString(const QString&)> nameProblem;

    void TearDown() override
    {
        w.reset();
        EXPECT_TRUE(errors.reports.empty())
            << "failure reported in " << qPrintable(errors.reports.front().procedure) << ": "
            << qPrintable(errors.reports.front().failure.description);
        services::resetSeams();
        platform::resetSeams();
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
    }

    QString hscPathOverride;  // another folder's file, in a child process
    QString hsc() const
    {
        return hscPathOverride.isEmpty() ? folder.filePath("Tavoro.hsc") : hscPathOverride;
    }
    QByteArray hscBytes() const { return readFile(hsc(), "<missing>"); }

    static QString encode(const QString& entry)
    {
        return QString::fromLatin1(hscodec::conv(ansi::toAnsi(entry).toStdString(), "Tavoro"));
    }
    static QString decode(const QString& value)
    {
        const std::string bytes = hscodec::convBack(value.toLatin1().toStdString(), "Tavoro");
        return ansi::fromAnsi(QByteArray(bytes.data(), qsizetype(bytes.size())));
    }

    // Stores the entries under keys "1", "2", ... of the section.
    void store(const QString& section, const QStringList& entries)
    {
        for (int k = 1; k <= entries.size(); ++k)
            ASSERT_TRUE(profile::WritePrivateProfileString(section, QString::number(k),
                                                           encode(entries[k - 1]), hsc()));
    }

    // The ten keys of a section, decoded; "<none>" for a missing key.
    QStringList stored(const QString& section) const
    {
        QStringList list;
        const profile::ProfileFile file = profile::ProfileFile::read(hsc());
        for (int k = 1; k <= 10; ++k) {
            const auto v = file.value(section, QString::number(k));
            list << (v ? decode(*v) : QStringLiteral("<none>"));
        }
        return list;
    }

    // Opens the window for a board size and mode as it loads: after a solved
    // game with the result, or only to look.
    void open(int16_t size, int16_t mode, const std::optional<QString>& result = std::nullopt)
    {
        Allgemein::settings().setSize(size);
        Allgemein::settings().setMode(mode ? game::Mode::Swap : game::Mode::Slide);
        w = std::make_unique<frmHighscore>(nullptr, result);
        w->Form_Load();
        w->Form_Activate();
    }

    // Row i (1 ... 10) as shown: name, moves, seconds.
    std::array<QString, 3> row(int i) const
    {
        return {w->lblHName[i]->text(), w->lblHScore[i]->text(), w->lblHScore[10 + i]->text()};
    }
};

}  // namespace testsupport
