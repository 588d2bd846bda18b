#include "dialogs/frmInfo.h"

#include "errors/trap.h"
#include "widgets/controls.h"
#include "platform/appinfo.h"
#include "platform/maker.h"
#include "widgets/open_address.h"
#include "platform/twips.h"
#include "services/language.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "platform/window_activation.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

using Allgemein::settings;
using errors::Procedure;

namespace {


// The designed size of the window and the places of its controls, in twips.
constexpr QSize kWindow{6240, 3840};
constexpr QRect kImage1{240, 240, 1920, 1920};
constexpr QRect kLabel0{2400, 300, 3600, 540};
constexpr QRect kImage2{3000, 960, 2400, 1440};
constexpr QRect kHomepage{2400, 2520, 3600, 300};
constexpr QRect kFlag{915, 2520, 570, 375};
constexpr QRect kOK{4785, 3135, 1215, 465};
// The licence, in two lines left of the OK button.
constexpr QRect kLicence[2] = {{240, 3135, 4400, 230}, {240, 3365, 4400, 230}};
constexpr int kLicenceMessages[2] = {400, 401};

QRect inPixels(QRect tw)
{
    return twips::rect(tw.x(), tw.y(), tw.width(), tw.height());
}

// A label that reports a press of the left mouse button.
class ClickLabel : public QLabel {
public:
    ClickLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), onClick_(std::move(onClick))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && onClick_)
            onClick_();
        else
            QLabel::mousePressEvent(e);
    }

private:
    std::function<void()> onClick_;
};

// The window's pictures, begun on workers together when the window is made
// and given to their labels once the rest of it is built.
const QString kImage1Art = QStringLiteral(":/art/about/image1.svg");
const QString kImage2Art = QStringLiteral(":/art/about/image2.svg");
const QString kFlagArt = QStringLiteral(":/art/flags/fr.svg");

QLabel* artLabel(QLabel* label, QRect twipsRect)
{
    label->setGeometry(inPixels(twipsRect));
    return label;
}

void setTextColor(QLabel* label, QColor color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

void showArt(QLabel* label, const QString& art, qreal dpr)
{
    label->setPixmap(widgets::renderArt(art, label->size(), dpr));
}

frmInfo::MainWindow mainWindowHooks;
QPointer<QWidget> loadedMainWindow;

}  // namespace

namespace dialogs {

QString versionLine(const QString& title, int major, int minor, int revision)
{
    // The same form as everywhere else (the error dialog, --version, the
    // package): 1.0.0.
    return QStringLiteral("%1  %2.%3.%4").arg(title).arg(major).arg(minor).arg(revision);
}

}  // namespace dialogs

bool frmInfo::StartScreenShown = false;

void frmInfo::setMainWindow(MainWindow mainWindow)
{
    mainWindowHooks = std::move(mainWindow);
}

void frmInfo::showStartScreen()
{
    auto* w = new frmInfo;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->Form_Load();
}

void frmInfo::showAboutBox(QWidget* owner)
{
    frmInfo w(owner);
    w.Form_Load();
    w.exec();
    // The owner becomes the active window again, also on a desktop without
    // a window manager to hand the focus back.
    if (owner)
        platform::activateWindow(owner);
}

frmInfo::frmInfo(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(appinfo::title());
    // The start screen stands without a frame, above the room while it
    // fades out; the about box is a dialog.
    if (!StartScreenShown) {
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        // It comes over the room, which keeps the focus.
        setAttribute(Qt::WA_ShowWithoutActivating);
    } else {
        setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    }
    setFixedSize(twips::size(kWindow.width(), kWindow.height()));
    const qreal dpr = devicePixelRatioF();

    Image1 = artLabel(new QLabel(this), kImage1);
    Image2 = artLabel(new QLabel(this), kImage2);

    Label0_ = new QLabel(this);
    Label0_->setObjectName(QStringLiteral("Label0"));
    QFont title(titleFontFamily());
    title.setPointSizeF(17);
    title.setBold(true);
    Label0_->setFont(title);
    setTextColor(Label0_, QColor(0x4a, 0x2f, 0x1a));
    Label0_->setAlignment(Qt::AlignCenter);
    Label0_->setGeometry(inPixels(kLabel0));

    lblHomepage = new ClickLabel(this, [this] { lblHomepage_Click(); });
    lblHomepage->setText(maker::homePage());
    setTextColor(lblHomepage, QColor(0x1a, 0x4f, 0xa0));
    QFont link = lblHomepage->font();
    link.setUnderline(true);
    lblHomepage->setFont(link);
    lblHomepage->setAlignment(Qt::AlignCenter);
    lblHomepage->setGeometry(inPixels(kHomepage));
    // A build without the maker's home page shows no link.
    lblHomepage->setVisible(maker::hasHomePage());

    for (int i = 0; i < 2; ++i) {
        lblLicence[i] = new QLabel(this);
        setTextColor(lblLicence[i], QColor(0x5a, 0x3d, 0x26));
        lblLicence[i]->setGeometry(inPixels(kLicence[i]));
    }

    imgLang6_ = artLabel(new ClickLabel(this, [this] { imgLang_Click(6); }), kFlag);
    imgLang6_->setToolTip(QStringLiteral("Français"));

    ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setGeometry(inPixels(kOK));
    ok->setDefault(true);
    ok->hide();
    connect(ok, &QPushButton::clicked, this, [this] { OK_Click(); });

    showArt(Image1, kImage1Art, dpr);
    showArt(Image2, kImage2Art, dpr);
    showArt(imgLang6_, kFlagArt, dpr);
}

frmInfo::~frmInfo() = default;

QString frmInfo::titleFontFamily()
{
    return QStringLiteral("DejaVu Serif");
}

QLabel* frmInfo::Label(int i) const
{
    if (i != 0)
        errors::raiseNoSuchElement("Label", i);
    return Label0_;
}

QLabel* frmInfo::imgLang(int i) const
{
    if (i != 6)
        errors::raiseNoSuchElement("imgLang", i);
    return imgLang6_;
}

QWidget* frmInfo::mainWindow() const
{
    return loadedMainWindow ? loadedMainWindow.data() : parentWidget();
}

void frmInfo::Form_Load()
{
    Procedure proc{"frmInfo", "Form_Load"};
    QWidget* main = nullptr;
    proc.run({
        [&] { Allgemein::ChooseStartLanguage(); },
        [&] {
            // Centred on the screen.
            const QScreen* screen = QGuiApplication::primaryScreen();
            const QRect s = screen ? screen->geometry() : QRect();
            move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
        },
        [&] {
            Label(0)->setText(dialogs::versionLine(appinfo::title(), appinfo::versionMajor(),
                                                   appinfo::versionMinor(),
                                                   appinfo::versionRevision()));
            for (int i = 0; i < 2; ++i) {
                lblLicence[i]->setText(services::textOf(kLicenceMessages[i]));
                widgets::fitText(lblLicence[i], 7.5, 0);
            }
        },
        [&] {
            // The about box: only its OK button differs.
            if (StartScreenShown) {
                ok->setVisible(true);
                proc.leave();
            }
        },
        [&] {
            if (mainWindowHooks.load)
                main = mainWindowHooks.load();
            loadedMainWindow = main;
        },
        [&] { StartScreenShown = true; },
        [&] {
            // The main window takes the focus from the start screen, also on a
            // desktop without a window manager to hand it over.
            if (main && !main->isVisible() && mainWindowHooks.show) {
                mainWindowHooks.show(*main);
                platform::activateWindow(main);
            }
        },
        // The start screen comes over the room once that has been painted,
        // so that it never holds the room back; it stays long enough to be
        // seen, then fades out over the room, which is in use meanwhile.
        // A room painted much later (started on another workspace, say)
        // gets no start screen: it would come out of nowhere.
        [&] {
            if (main && mainWindowHooks.afterFirstPaint) {
                QElapsedTimer loaded;
                loaded.start();
                mainWindowHooks.afterFirstPaint(*main, [self = QPointer<frmInfo>(this), loaded] {
                    if (self && loaded.elapsed() < kStartScreenLatest)
                        self->appearAndFade();
                    else if (self)
                        self->close();
                });
            } else {
                appearAndFade();
            }
        },
    });
}

void frmInfo::appearAndFade()
{
    shownFor_.start();
    show();
    const qint64 left = std::max<qint64>(0, kStartScreenShortest - shownFor_.elapsed());
    QTimer::singleShot(int(left), this, [this] {
        if (!platform::windowsMayFade()) {
            close();
            return;
        }
        auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
        fade->setDuration(kStartScreenFade);
        fade->setStartValue(1.0);
        fade->setEndValue(0.0);
        connect(fade, &QPropertyAnimation::finished, this, &QWidget::close);
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    });
}

void frmInfo::imgLang_Click(int16_t Index)
{
    Procedure proc{"frmInfo", "imgLang_Click"};
    proc.run({
        [&] {
            // The language already in use stays and is not stored again.
            if (Index * 1000 == settings().Sprache())
                proc.leave();
        },
        [&] { settings().setSprache(static_cast<int16_t>(Index * 1000)); },
        [&] { settings().store(Allgemein::Setting::Sprache); },
    });
}

void frmInfo::lblHomepage_Click()
{
    Procedure proc{"frmInfo", "lblHomepage_Click"};
    proc.run({
        [&] { widgets::openOrSaySo(this, maker::homePage(), maker::homePage()); },
    });
}

void frmInfo::OK_Click()
{
    Procedure proc{"frmInfo", "OK_Click"};
    proc.run({
        [&] {
            QWidget* main = mainWindow();
            if (main && !main->isVisible() && mainWindowHooks.show)
                mainWindowHooks.show(*main);
        },
        [&] { close(); },
    });
}

void frmInfo::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // The about box takes the focus, so that the main window becomes active
    // again when it closes, also on a desktop without a window manager.
    if (isModal())
        platform::activateWindow(this);
}

void frmInfo::paintEvent(QPaintEvent* e)
{
    // Warm paper with a thin walnut border, like the toolbar of the main window.
    QPainter p(this);
    QLinearGradient paper(0, 0, 0, height());
    paper.setColorAt(0, QColor(0xfb, 0xf3, 0xe2));
    paper.setColorAt(1, QColor(0xee, 0xdc, 0xbc));
    p.fillRect(rect(), paper);
    p.setPen(QPen(QColor(0x5a, 0x3d, 0x26), 3));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
    QDialog::paintEvent(e);
}
