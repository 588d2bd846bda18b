#include "dialogs/ErrPtnr.h"

#include "platform/appinfo.h"
#include "platform/clock.h"
#include "platform/maker.h"
#include "platform/osversion.h"
#include "platform/printer.h"
#include "widgets/open_address.h"
#include "platform/twips.h"
#include "services/seams.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QWindow>

namespace errors {

namespace {

// Frame sizes in twips.
constexpr int FrameWidth = 7215;
constexpr int CommentHeight = 975;
constexpr int FehlerHeight = 1695;
constexpr int ProgInfoHeight = 615;
constexpr int ProtocolHeight = 855;
constexpr int CallStackHeight = 975;
constexpr int ContinueHeight = 855;

// The four buttons of a button frame.
constexpr int ButtonLefts[4] = {240, 2040, 3840, 5640};
constexpr int ButtonTop = 240;
constexpr int ButtonWidth = 1335;
constexpr int ButtonHeight = 495;

constexpr int ErrorTops[4] = {240, 960, 1200, 1440};
constexpr int LabelHeight = 195;

constexpr int CallStackEntries = 20;

const QString CommentText = QStringLiteral(
    "There is a problem. Please contact the author if this problem appears again.\n"
    "Es liegt ein Problem vor, mit dem Sie sich an den technischen Support wenden sollten, "
    "falls es wiederholt auftritt.");

const QString MailText = QStringLiteral(
    "Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die Fehlerbeschreibung sowie das "
    "Fehlerprotokoll\r\n"
    "wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert.\r\n"
    "\r\n"
    "Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie in Ihrem "
    "Email-Programm\r\n"
    "die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können Sie den Inhalt "
    "in die EMail\r\n"
    "einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' ausführen.");

QPointer<ErrPtnr> theDialog;

QGroupBox* makeFrame(QWidget* parent, const QString& caption, int height)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->resize(twips::size(FrameWidth, height));
    return frame;
}

QLabel* makeLabel(QWidget* parent, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void putOnClipboard(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear();
    clipboard->setText(text);
}

// The dialog of the run as the error service; it is made on the first report.
class DialogService : public ErrorService {
public:
    int16_t OnError(const QString& object, const QString& procedure,
                    const FailureRecord& failure) override
    {
        return ErrPtnr::instance().OnError(object, procedure, failure);
    }
};

}  // namespace

ErrPtnr::ErrPtnr(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Fehler / Error! "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowModality(Qt::ApplicationModal);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    framComment = makeFrame(this, QString(), CommentHeight);
    lblComment = makeLabel(framComment);
    lblComment->setGeometry(twips::rect(120, 240, 6855, 615));
    lblComment->setWordWrap(true);

    framFehler = makeFrame(this, QStringLiteral("Fehlerbeschreibung / error description:"),
                           FehlerHeight);
    const QString titles[4] = {QStringLiteral("Fehler-Nr / error :"), QStringLiteral("Modul:"),
                               QStringLiteral("Prozedur / procedure:"),
                               QStringLiteral("Zeile / Line:")};
    for (int i = 0; i < 4; ++i) {
        lblErrTitel[i] = makeLabel(framFehler, titles[i]);
        lblErrTitel[i]->setGeometry(twips::rect(120, ErrorTops[i], 1800, LabelHeight));
        lblError[i] = makeLabel(framFehler);
        lblError[i]->move(twips::point(1920, ErrorTops[i]));
    }
    // Room for two lines; the others size themselves to their text.
    lblError[0]->resize(twips::size(5205, 675));
    lblError[0]->setWordWrap(true);

    framProgInfo = makeFrame(this, QStringLiteral("Programm-Info:"), ProgInfoHeight);
    lblProgInfo = makeLabel(framProgInfo);
    lblProgInfo->setGeometry(twips::rect(30, 240, 7110, 255));
    lblProgInfo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    framProtocol = makeFrame(this, QStringLiteral("Fehlerprotokoll ... / error protocol..."),
                             ProtocolHeight);
    const QString protocolCaptions[4] = {QStringLiteral("&Drucken/Print"),
                                         QStringLiteral("&Speichern/Save"),
                                         QStringLiteral("&EMail"), QStringLiteral("&WWW")};
    for (int i = 0; i < 4; ++i) {
        cmdProtocol[i] = new WrappingButton(protocolCaptions[i], framProtocol);
        cmdProtocol[i]->setGeometry(
            twips::rect(ButtonLefts[i], ButtonTop, ButtonWidth, ButtonHeight));
        connect(cmdProtocol[i], &QPushButton::clicked, this, [this, i] { cmdProtocol_Click(i); });
    }
    // A build without the maker's addresses offers neither the mail nor the
    // web button.
    cmdProtocol[2]->setVisible(maker::hasSupportEmail());
    cmdProtocol[3]->setVisible(maker::hasHomePage());

    framCallStack = makeFrame(this, QStringLiteral("CallStack:"), CallStackHeight);
    lstCallStack = new QListWidget(framCallStack);
    lstCallStack->setGeometry(twips::rect(120, 240, 6975, 675));
    framCallStack->hide();

    framContinue = makeFrame(this, QStringLiteral("Weiterer Programmablauf... / Continue..."),
                             ContinueHeight);
    const QString continueCaptions[4] = {
        QStringLiteral("Wieder&holen Retry"), QStringLiteral("&Ignorieren   Ignore"),
        QStringLiteral("&Abbrechen Cancel"), QStringLiteral("&Beenden       End")};
    for (int i = 0; i < 4; ++i) {
        cmdContinue[i] = new WrappingButton(continueCaptions[i], framContinue);
        cmdContinue[i]->setGeometry(
            twips::rect(ButtonLefts[i], ButtonTop, ButtonWidth, ButtonHeight));
        connect(cmdContinue[i], &QPushButton::clicked, this, [this, i] { cmdContinue_Click(i); });
    }

}

ErrPtnr::~ErrPtnr() = default;

ErrPtnr& ErrPtnr::instance()
{
    if (!theDialog)
        theDialog = new ErrPtnr;
    return *theDialog;
}

bool ErrPtnr::exists()
{
    return !theDialog.isNull();
}

int16_t ErrPtnr::OnError(const QString& object, const QString& procedure,
                         const FailureRecord& failure)
{
    const QString errorText =
        QString::number(failure.number) + QStringLiteral(" (") + failure.description + QLatin1Char(')');

    if (showing_) {
        // A failure while a report is on the screen (a timer's procedure, say):
        // the dialog keeps showing the first one, the log gets this one too,
        // and its procedure is left.
        try {
            ProtocolFields f = fields();
            f.errValues = {errorText, object, procedure, QString::number(failure.line)};
            appendProtocol(logFilePath(),
                           buildProtocol(f, wallclock::NowDateTime(), osversion::query()));
        } catch (...) {
        }
        return Cancel;
    }

    lblError[0]->setText(errorText);
    lblError[1]->setText(object);
    lblError[2]->setText(procedure);
    lblError[3]->setText(QString::number(failure.line));
    for (int i = 1; i < 4; ++i)
        lblError[i]->adjustSize();

    if (lblProgInfo->text().isEmpty())
        lblProgInfo->setText(appinfo::exeBaseName() + QStringLiteral("  ")
                             + appinfo::versionText());

    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();

    arrangeFrames();
    autoProtocol();
    QApplication::beep();

    // Above whatever window is modal now, without belonging to it: that window
    // may go, the dialog stays for the rest of the run.
    QPointer<QWindow> above;
    QWidget* other = QApplication::activeModalWidget();
    if (!other)
        other = QApplication::activeWindow();
    if (other && other != this && other->window()->windowHandle()) {
        winId();
        above = other->window()->windowHandle();
        windowHandle()->setTransientParent(above);
    }

    answer_ = Cancel;
    showing_ = true;
    exec();
    showing_ = false;
    if (windowHandle() && windowHandle()->transientParent())
        windowHandle()->setTransientParent(nullptr);
    return answer_;
}

void ErrPtnr::arrangeFrames()
{
    int y = 0;
    framComment->setVisible(true);
    framComment->move(twips::point(0, y));
    lblComment->setText(CommentText);
    y += CommentHeight;

    framFehler->setVisible(true);
    framFehler->move(twips::point(0, y));
    y += FehlerHeight;

    framProgInfo->setVisible(true);
    framProgInfo->move(twips::point(0, y));
    y += ProgInfoHeight;

    framProtocol->setVisible(true);
    framProtocol->move(twips::point(0, y));
    y += ProtocolHeight;
    for (QPushButton* b : cmdProtocol)
        b->setVisible(true);

    framCallStack->setVisible(false);

    framContinue->setVisible(true);
    framContinue->move(twips::point(0, y));
    y += ContinueHeight;
    for (QPushButton* b : cmdContinue)
        b->setVisible(true);

    // The inner area is exactly the frames' width and their stacked height.
    setFixedSize(twips::size(FrameWidth, y));

    // Centred on the screen, with the window's frame.
    QScreen* screen = nullptr;
    if (QWidget* active = QApplication::activeWindow(); active && active != this)
        screen = active->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        const QSize decoration = frameGeometry().size() - geometry().size();
        const QSize outer = size() + decoration;
        move(area.x() + (area.width() - outer.width()) / 2,
             area.y() + (area.height() - outer.height()) / 2);
    }
}

void ErrPtnr::cmdContinue_Click(int index)
{
    answer_ = static_cast<int16_t>(index);
    hide();
}

void ErrPtnr::reject()
{
    answer_ = Cancel;
    QDialog::reject();
}

void ErrPtnr::CallStack(QString& text)
{
    text = wallclock::NowDateTime().toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') + text;
    lstCallStack->insertItem(0, text);
    while (lstCallStack->count() > CallStackEntries)
        delete lstCallStack->takeItem(lstCallStack->count() - 1);
}

void ErrPtnr::SetProgInfo(const QString& text)
{
    lblProgInfo->setText(text);
}

ProtocolFields ErrPtnr::fields() const
{
    ProtocolFields f;
    f.progInfoCaption = framProgInfo->title();
    f.progInfo = lblProgInfo->text();
    f.errorCaption = framFehler->title();
    for (int i = 0; i < 4; ++i) {
        f.errTitles[i] = lblErrTitel[i]->text();
        f.errValues[i] = lblError[i]->text();
    }
    f.callStackCaption = framCallStack->title();
    for (int i = 0; i < lstCallStack->count(); ++i)
        f.callStack << lstCallStack->item(i)->text();
    return f;
}

QString ErrPtnr::protocolText() const
{
    return buildProtocol(fields(), wallclock::NowDateTime(), osversion::query());
}

void ErrPtnr::autoProtocol()
{
    try {
        // A log that cannot be written (read-only folder) costs the log entry,
        // never a second failure.
        appendProtocol(logFilePath(), protocolText());
    } catch (...) {
    }
}

void ErrPtnr::cmdProtocol_Click(int index)
{
    try {
        const QString protocol = protocolText();
        switch (index) {
        case 0:
            printProtocol(protocol);
            break;
        case 1:
            saveProtocol(protocol);
            break;
        case 2:
            mailProtocol(protocol);
            break;
        case 3:
            webProtocol(protocol);
            break;
        default:
            break;
        }
    } catch (...) {
        // Reporting must not fail again; the dialog stays usable.
    }
}

void ErrPtnr::printProtocol(const QString& protocol)
{
    // Without a default printer, or when it fails, nothing is printed.
    printer::printLines(wrapForPrinting(protocol));
}

void ErrPtnr::saveProtocol(const QString& protocol)
{
    const QString path = QDir::toNativeSeparators(savedProtocolPath());
    // A link under the name is never written through, so it is not offered
    // for overwriting either: the write below refuses it and says so.
    if (QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        const QString question =
            QStringLiteral("Vorhandene Datei '") + path + QStringLiteral("' überschreiben ?");
        if (!services::seams().askYesNo(this, question, appinfo::title()))
            return;
    }
    if (writeProtocol(path, protocol))
        services::seams().tell(this, QStringLiteral("Das Fehlerprotokoll wurde in die Datei '")
                                         + path + QStringLiteral("' geschrieben !"));
    else
        services::seams().tell(this,
                               QStringLiteral("Das Fehlerprotokoll konnte nicht in die Datei '")
                                   + path + QStringLiteral("' geschrieben werden !"));
}

void ErrPtnr::mailProtocol(const QString& protocol)
{
    services::seams().tell(this, MailText);
    putOnClipboard(protocol);
    widgets::openOrSaySo(this, QStringLiteral("mailto:") + maker::supportEmail(),
                         maker::supportEmail());
}

void ErrPtnr::webProtocol(const QString& protocol)
{
    putOnClipboard(protocol);
    widgets::openOrSaySo(this, maker::homePage(), maker::homePage());
}

ErrorService* installErrorDialog()
{
    static DialogService service;
    return setErrorService(&service);
}

void WrappingButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), caption,
                          QPalette::ButtonText);
}

}  // namespace errors
