// The options and help menus: board size, sound effects, music, help, the
// maker's home page and e-mail, and the about window.

#include "mainwindow/frmTavoro.h"

#include "errors/trap.h"
#include "mainwindow/menus.h"
#include "widgets/open_address.h"
#include "widgets/seams.h"
#include "platform/appinfo.h"
#include "platform/maker.h"
#include "platform/mci.h"
#include "services/media.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTimer>

using Allgemein::settings;
using errors::Procedure;

namespace {

// A menu entry of an indexed group, or failure 340 when it has none.
QAction* entryOf(const char* group, const QAction* const* entries, int count, int index)
{
    if (index < 0 || index >= count || !entries[index])
        errors::raiseNoSuchElement(group, index);
    return const_cast<QAction*>(entries[index]);
}

QAction* checkable(QMenu* menu, const QString& caption, QActionGroup* group = nullptr)
{
    QAction* a = menu->addAction(caption);
    a->setCheckable(true);
    if (group)
        group->addAction(a);
    return a;
}

// One of a group's entries carries the mark; the commands set it themselves.
QActionGroup* choiceGroup(QObject* parent)
{
    auto* group = new QActionGroup(parent);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    return group;
}

}  // namespace

namespace mainwindow {

QString mailTarget()
{
    return QStringLiteral("mailto:") + maker::supportEmail() + QStringLiteral("?Subject=")
        + appinfo::title();
}

}  // namespace mainwindow

QAction* frmTavoro::mnuSize(int i) const
{
    return entryOf("mnuSize", mnuSize_.data(), int(mnuSize_.size()), i);
}

QAction* frmTavoro::mnuMusic(int i) const
{
    return entryOf("mnuMusic", mnuMusic_.data(), int(mnuMusic_.size()), i);
}

void frmTavoro::createMenus()
{
    // The options menu: sizes, sound effects, music.
    mnuOptionen = new QMenu(this);
    mnuTeile = mnuOptionen->addMenu(QString());
    QActionGroup* sizes = choiceGroup(mnuTeile);
    for (int i = 0; i < int(mnuSize_.size()); ++i) {
        mnuSize_[i] = checkable(mnuTeile, QStringLiteral("&%1 x %1").arg(i + 3), sizes);
        connect(mnuSize_[i], &QAction::triggered, this, [this, i] { mnuSize_Click(int16_t(i)); });
    }
    mnuBar3 = mnuOptionen->addSeparator();
    mnuPlaySounds = checkable(mnuOptionen, QString());
    connect(mnuPlaySounds, &QAction::triggered, this, [this] { mnuPlaySounds_Click(); });
    mnuAnimate = checkable(mnuOptionen, QString());
    connect(mnuAnimate, &QAction::triggered, this, [this] { mnuAnimate_Click(); });
    mnuPause = checkable(mnuOptionen, QString());
    mnuPause->setShortcut(QKeySequence(Qt::Key_P));
    connect(mnuPause, &QAction::triggered, this, [this] { mnuPause_Click(); });
    mnuHint = mnuOptionen->addAction(QString());
    mnuHint->setShortcut(QKeySequence(Qt::Key_H));
    connect(mnuHint, &QAction::triggered, this, [this] { mnuHint_Click(); });
    mnuSolve = mnuOptionen->addAction(QString());
    connect(mnuSolve, &QAction::triggered, this, [this] { mnuSolve_Click(); });
    mnuUndo = mnuOptionen->addAction(QString());
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(mnuUndo, &QAction::triggered, this, [this] { mnuUndo_Click(); });
    mnuRedo = mnuOptionen->addAction(QString());
    mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(mnuRedo, &QAction::triggered, this, [this] { mnuRedo_Click(); });
    mnuPlayMusic = mnuOptionen->addMenu(QString());
    QActionGroup* modes = choiceGroup(mnuPlayMusic);
    for (int i = 0; i < int(mnuMusic_.size()); ++i) {
        mnuMusic_[i] = checkable(mnuPlayMusic, QString(), modes);
        connect(mnuMusic_[i], &QAction::triggered, this, [this, i] { mnuMusic_Click(int16_t(i)); });
    }
    // The sound-effects entry shows the setting as it stands.
    connect(mnuOptionen, &QMenu::aboutToShow, this,
            [this] {
                mnuPlaySounds->setChecked(settings().PlaySound());
                mnuPause->setEnabled(!board.locked());
                mnuHint->setEnabled(!board.locked());
                mnuSolve->setEnabled(!board.locked());
                mnuPause->setChecked(session.paused());
                mnuUndo->setEnabled(session.canUndo());
                mnuRedo->setEnabled(session.canRedo());
            });

    // The help menu.
    mnuHilfe = new QMenu(this);
    mnuOnlinehilfe = mnuHilfe->addAction(QString());
    mnuOnlinehilfe->setShortcut(QKeySequence(Qt::Key_F1));
    connect(mnuOnlinehilfe, &QAction::triggered, this, [this] { mnuOnlinehilfe_Click(); });
    mnuBar6 = mnuHilfe->addSeparator();
    mnuHomepage = mnuHilfe->addAction(QString());
    connect(mnuHomepage, &QAction::triggered, this, [this] { mnuHomepage_Click(); });
    mnuEMail = mnuHilfe->addAction(QString());
    connect(mnuEMail, &QAction::triggered, this, [this] { mnuEMail_Click(); });
    // A build without the maker's addresses offers neither.
    mnuHomepage->setVisible(maker::hasHomePage());
    mnuEMail->setVisible(maker::hasSupportEmail());
    mnuBar6->setVisible(maker::hasHomePage() || maker::hasSupportEmail());
    mnuBar10 = mnuHilfe->addSeparator();
    mnuUeber = mnuHilfe->addAction(QString());
    mnuUeber->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    connect(mnuUeber, &QAction::triggered, this, [this] { mnuUeber_Click(); });

    // F1 and Ctrl+F1 work anywhere in the window, menu shown or not.
    addAction(mnuOnlinehilfe);
    addAction(mnuUeber);
    // So do undo and redo.
    addAction(mnuUndo);
    addAction(mnuRedo);

    // Until the settings are applied, the check marks show those in memory.
    if (settings().Size() >= 3 && settings().Size() <= 8)
        mnuSize_[settings().Size() - 3]->setChecked(true);
    mnuMusic_[settings().MusicOn() ? (settings().MusicEndless() ? 2 : 1) : 0]->setChecked(true);
    mnuPlaySounds->setChecked(settings().PlaySound());
    mnuAnimate->setChecked(settings().Animate());
    setMenuCaptions();
}

void frmTavoro::setMenuCaptions()
{
    const auto text = services::textOf;
    mnuEMail->setText(text(122));
    mnuHilfe->setTitle(text(120));
    mnuOnlinehilfe->setText(text(121));
    mnuHomepage->setText(text(181));
    mnuOptionen->setTitle(text(116));
    mnuTeile->setTitle(text(148));
    mnuPlayMusic->setTitle(text(118));
    mnuMusic_[0]->setText(text(149));
    mnuMusic_[1]->setText(text(133));
    mnuMusic_[2]->setText(text(134));
    mnuPlaySounds->setText(text(119));
    mnuAnimate->setText(text(212));
    mnuPause->setText(text(235));
    mnuHint->setText(text(210));
    mnuSolve->setText(text(211));
    mnuUndo->setText(text(300));
    mnuRedo->setText(text(301));
    mnuUeber->setText(text(123));
}

void frmTavoro::mnuSize_Click(int16_t Index)
{
    Procedure proc{"frmTavoro", "mnuSize_Click"};
    proc.run({
        [&] {
            // A running game goes only when the player says so; otherwise
            // the check mark goes back to the size played.
            if (!mayAbandonGame()) {
                for (int i = 0; i < int(mnuSize_.size()); ++i)
                    mnuSize_[i]->setChecked(i == board.size() - 3);
                proc.leave();
                return;
            }
            QAction* entry = mnuSize(Index);
            for (QAction* a : mnuSize_)
                a->setChecked(false);
            entry->setChecked(true);
        },
        [&] {
            // A size without an entry never reaches the board or the file.
            if (Index < 0 || Index >= int16_t(mnuSize_.size())) {
                proc.leave();
                return;
            }
            settings().setSize(static_cast<int16_t>(Index + 3));
        },
        [&] { NewGame(); },
        [&] { settings().store(Allgemein::Setting::Size); },
    });
}

void frmTavoro::mnuPlaySounds_Click()
{
    Procedure proc{"frmTavoro", "mnuPlaySounds_Click"};
    proc.run({
        [&] { settings().setPlaySound(!settings().PlaySound()); },
        [&] { mnuPlaySounds->setChecked(settings().PlaySound()); },
        [&] { settings().store(Allgemein::Setting::PlaySound); },
    });
}

void frmTavoro::mnuAnimate_Click()
{
    Procedure proc{"frmTavoro", "mnuAnimate_Click"};
    proc.run({
        [&] { settings().setAnimate(!settings().Animate()); },
        [&] {
            if (!settings().Animate())
                motion_.finish();
        },
        [&] { mnuAnimate->setChecked(settings().Animate()); },
        [&] { settings().store(Allgemein::Setting::Animate); },
    });
}

void frmTavoro::mnuMusic_Click(int16_t Index)
{
    Procedure proc{"frmTavoro", "mnuMusic_Click"};
    proc.run({
        [&] {
            for (QAction* a : mnuMusic_)
                a->setChecked(false);
        },
        [&] {
            switch (Index) {
            case 0:
                if (settings().MusicOn()) {
                    mciSendString(QStringLiteral("close midi"));
                    Timer2->stop();
                }
                settings().setMusicOn(false);
                settings().setMusicEndless(false);
                break;
            case 1:
            case 2:
                // Before the window is shown no music starts: it starts when
                // the window first becomes active.
                settings().setMusicOn(true);
                settings().setMusicEndless(Index == 2);
                if (isVisible())
                    Allgemein::MakeMusic();
                break;
            default: break;
            }
        },
        [&] { mnuMusic(Index)->setChecked(true); },
        [&] {
            // A mode without an entry is not stored.
            if (Index < 0 || Index >= int16_t(mnuMusic_.size())) {
                proc.leave();
                return;
            }
            Allgemein::SaveIni(Allgemein::Setting::PlayMusic, Index);
        },
    });
}

void frmTavoro::mnuOnlinehilfe_Click()
{
    Procedure proc{"frmTavoro", "mnuOnlinehilfe_Click"};
    proc.run({
        [&] { widgets::seams().HtmlHelp(this, settings().Sprache()); },
    });
}

void frmTavoro::mnuHomepage_Click()
{
    Procedure proc{"frmTavoro", "mnuHomepage_Click"};
    proc.run({
        [&] { widgets::openOrSaySo(this, maker::homePage(), maker::homePage()); },
    });
}

void frmTavoro::mnuEMail_Click()
{
    Procedure proc{"frmTavoro", "mnuEMail_Click"};
    proc.run({
        [&] { widgets::openOrSaySo(this, mainwindow::mailTarget(), maker::supportEmail()); },
    });
}

void frmTavoro::mnuUeber_Click()
{
    Procedure proc{"frmTavoro", "mnuUeber_Click"};
    proc.run({
        [&] { widgets::seams().showAbout(this); },
    });
}
