#include "services/seams.h"
#include "services/settings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "platform/appinfo.h"
#include "services/language.h"
#include "services/media.h"
#include "platform/window_activation.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QVBoxLayout>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace services {

namespace {

// Refuses, as typed or pasted, a text the caller's rule does not allow, and
// says why; a text it allows clears the reason.
class RefusingValidator : public QValidator {
public:
    explicit RefusingValidator(std::function<QString(const QString&)> problem)
        : problem_(std::move(problem))
    {
    }
    std::function<void(const QString& reason)> onRefusal;

    State validate(QString& input, int&) const override
    {
        const QString reason = problem_ ? problem_(input) : QString();
        if (onRefusal)
            onRefusal(reason);
        return reason.isEmpty() ? Acceptable : Invalid;
    }

private:
    std::function<QString(const QString&)> problem_;
};

// A question with Yes and No and the question icon; No is also what Esc and
// the window's close answer.
bool ask(QWidget* owner, const QString& text, const QString& caption,
         QMessageBox::StandardButton byDefault)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setDefaultButton(byDefault);
    return box.exec() == QMessageBox::Yes;
}

Seams makeDefaults()
{
    Seams s;
    s.GetLang = Allgemein::GetLang;
    s.PlayWAV = Allgemein::PlayWAV;
    s.Zufallszahl = Allgemein::Zufallszahl;
    s.Shutdown = Allgemein::Shutdown;
    s.askYesNo = [](QWidget* owner, const QString& text, const QString& caption) {
        return ask(owner, text, caption, QMessageBox::Yes);
    };
    s.askYesNoDefaultNo = [](QWidget* owner, const QString& text, const QString& caption) {
        return ask(owner, text, caption, QMessageBox::No);
    };
    s.InputBox = [](QWidget* owner, const QString& prompt, const QString& title,
                    const QString& preset, const std::function<QString(const QString&)>& problem)
        -> std::optional<QString> {
        QInputDialog box(owner);
        box.setWindowTitle(title);
        box.setLabelText(prompt);
        box.setTextValue(preset);
        RefusingValidator refuse(problem);
        if (auto* field = box.findChild<QLineEdit*>()) {
            // Why a keystroke was refused stands under the field until the
            // next one is taken.
            auto* why = new QLabel(&box);
            why->setWordWrap(true);
            why->setAccessibleName(why->text());
            why->hide();
            if (auto* layout = qobject_cast<QVBoxLayout*>(box.layout()))
                layout->insertWidget(layout->indexOf(field) + 1, why);
            refuse.onRefusal = [why](const QString& reason) {
                why->setText(reason);
                why->setAccessibleName(reason);
                why->setVisible(!reason.isEmpty());
            };
            field->setValidator(&refuse);
        }
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        return box.textValue();
    };
    s.warn = [](QWidget* owner, const QString& text) {
        QMessageBox::warning(owner, appinfo::title(), text);
    };
    s.tell = [](QWidget* owner, const QString& text) {
        // Its text can be selected and copied (an address no program opened).
        QMessageBox box(QMessageBox::Information, appinfo::title(), text, QMessageBox::Ok, owner);
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box.exec();
    };
    s.ScreenPixels = [](const QWidget* window) {
        const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize();
    };
    s.requestActivation = [](QWidget* window) { platform::requestFirstActivation(window); };
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
    s.moveToTrash = [](const QString& path) { return QFile::moveToTrash(path); };
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

QString textOf(int message)
{
    return seams().GetLang(int16_t(Allgemein::settings().Sprache() + message));
}

}  // namespace services
