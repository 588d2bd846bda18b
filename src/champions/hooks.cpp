#include "champions/hooks.h"

#include "champions/frmHighscore.h"
#include "platform/appinfo.h"
#include "services/language.h"

#include <QInputDialog>
#include <QMessageBox>

namespace champions {

namespace {

Hooks makeDefaults()
{
    Hooks h;
    h.GetLang = Allgemein::GetLang;
    h.InputBox = [](QWidget* owner, const QString& prompt,
                    const QString& title) -> std::optional<QString> {
        bool ok = false;
        const QString answer =
            QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return answer;
    };
    h.askYesNo = [](QWidget* owner, const QString& text, const QString& caption) {
        return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    };
    h.warn = [](QWidget* owner, const QString& text) {
        QMessageBox::warning(owner, appinfo::title(), text);
    };
    return h;
}

}  // namespace

Hooks& hooks()
{
    static Hooks h = makeDefaults();
    return h;
}

void resetHooks()
{
    hooks() = makeDefaults();
}

void showHighscore(QWidget* owner)
{
    frmHighscore window(owner);
    window.Form_Load();
    window.exec();
}

}  // namespace champions
