// A room moved to a screen of another scale factor draws its artwork again at
// that factor: the picture frame, the furniture and the toolbar's icons. The
// child runs on two offscreen screens, of factors 1 and 2.

#include "mainwindow/frmTavoro.h"
#include "support/child_process.h"
#include "support/files.h"
#include "support/room.h"
#include "support/window_env.h"
#include "widgets/controls.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

TEST(RoomScreens, MovedToASharperScreenTheArtworkIsDrawnAtItsFactor)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("screens.json");
    ASSERT_TRUE(testsupport::writeFile(config, R"({"screens": [
        {"name": "plain", "x": 0, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96, "dpr": 1},
        {"name": "sharp", "x": 1280, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96, "dpr": 2}]})"));
    testsupport::ChildOptions o;
    o.env.push_back({"QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config)});
    const auto r = testsupport::runTestInChild("RoomScreens.DISABLED_SharperScreenChild", o);
    EXPECT_TRUE(r.exited && r.status == 0) << "child status " << r.status;
}

TEST(RoomScreens, DISABLED_SharperScreenChild)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    ASSERT_EQ(screens[1]->devicePixelRatio(), 2.0);
    testsupport::WindowEnv env;
    auto w = testsupport::openRoom();
    w->resize(1000, 700);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->Positioned = true;
    w->positionieren();
    QWidget* art[] = {w->imgRahmen, w->imgKalender, w->PicBut(0)};
    for (QWidget* a : art)
        EXPECT_EQ(a->grab().devicePixelRatio(), 1.0);

    w->windowHandle()->setScreen(screens[1]);
    w->move(screens[1]->geometry().topLeft() + QPoint(20, 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->devicePixelRatioF() == 2.0; }));
    for (QWidget* a : art) {
        const QPixmap drawn = a->grab();
        EXPECT_EQ(drawn.devicePixelRatio(), 2.0);
        EXPECT_EQ(drawn.size(), a->size() * 2);
    }
    // The toolbar's icon is rendered again for the sharper screen.
    const auto* start = static_cast<const QAbstractButton*>(w->PicBut(0));
    const QPixmap icon = start->icon().pixmap(start->iconSize(), 2.0);
    EXPECT_EQ(icon.size(), start->iconSize() * 2);
}
