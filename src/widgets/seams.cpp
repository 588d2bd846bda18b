#include "widgets/seams.h"

#include "champions/hooks.h"
#include "services/language.h"
#include "services/media.h"
#include "services/random.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

namespace widgets {

namespace {

Seams makeDefaults()
{
    Seams s;
    s.GetLang = Allgemein::GetLang;
    s.PlayWAV = Allgemein::PlayWAV;
    s.Zufallszahl = Allgemein::Zufallszahl;
    s.Shutdown = Allgemein::Shutdown;
    s.showChampions = champions::showHighscore;
    // The dialogs and the help viewer are the program's to give (main.cpp);
    // without them these do nothing.
    s.showPictureWindow = [](QWidget*) {};
    s.showWallpaperWindow = [](QWidget*) {};
    s.askYesNo = [](QWidget* owner, const QString& text, const QString& caption) {
        return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    };
    s.tell = [](QWidget* owner, const QString& text, const QString& caption) {
        QMessageBox::warning(owner, caption, text);
    };
    s.chooseFiles = [](QWidget* owner, const QString& caption, const QString& filter) {
        // The player's pictures folder, or the home folder where there is none.
        QString start = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (!QFileInfo(start).isDir())
            start = QDir::homePath();
        return QFileDialog::getOpenFileNames(owner, caption, start, filter);
    };
    s.openFolder = [](const QString& folder) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    };
    s.HtmlHelp = [](QWidget*, int16_t) {};
    s.showAbout = [](QWidget*) {};
    s.ScreenPixels = [](const QWidget* window) {
        const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize();
    };
    s.requestActivation = [](QWidget* window) { window->activateWindow(); };
    return s;
}

}  // namespace

Seams& defaultSeams()
{
    static Seams d = makeDefaults();
    return d;
}

Seams& seams()
{
    static Seams s = defaultSeams();
    return s;
}

void resetSeams()
{
    seams() = defaultSeams();
}

QString defaultGetLang(int16_t key)
{
    switch (key % 1000) {
    case 106: return QStringLiteral("Moves");
    case 110: return QStringLiteral("Start game");
    case 111: return QStringLiteral("End game");
    case 124: return QStringLiteral("Really end game?");
    case 161: return QStringLiteral("Slide");
    case 162: return QStringLiteral("Swap");
    default: return QString();
    }
}


}  // namespace widgets
