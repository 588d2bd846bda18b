#include "mainwindow/seams.h"

#include "champions/hooks.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmPicAuswahl.h"
#include "dialogs/frmTapete.h"
#include "platform/help.h"
#include "services/language.h"
#include "services/media.h"
#include "services/random.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace mainwindow {

namespace {

Seams makeDefaults()
{
    Seams s;
    s.GetLang = Allgemein::GetLang;
    s.PlayWAV = Allgemein::PlayWAV;
    s.Zufallszahl = Allgemein::Zufallszahl;
    s.Shutdown = Allgemein::Shutdown;
    s.showChampions = champions::showHighscore;
    s.showPictureWindow = [](QWidget* owner) {
        frmPicAuswahl window(owner);
        window.Form_Load();
        window.exec();
    };
    s.showWallpaperWindow = [](QWidget* owner) {
        frmTapete window(owner);
        window.Form_Load();
        window.exec();
    };
    s.askYesNo = [](QWidget* owner, const QString& text, const QString& caption) {
        return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    };
    s.HtmlHelp = help::HtmlHelp;
    s.showAbout = [](QWidget* owner) { frmInfo::showAboutBox(owner); };
    s.ScreenPixels = [](const QWidget* window) {
        const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize();
    };
    s.requestActivation = [](QWidget* window) { window->activateWindow(); };
    return s;
}

}  // namespace

Seams& seams()
{
    static Seams s = makeDefaults();
    return s;
}

void resetSeams()
{
    seams() = makeDefaults();
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


}  // namespace mainwindow
