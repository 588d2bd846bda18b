#include "platform/qttranslations.h"

#include "platform/locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace qttranslations {

namespace {

// Debian ships no Swedish translation of Qt 6's base texts, only an older
// catalogue without the message box's buttons: these few are added here.
class SwedishButtons : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* = nullptr,
                      int = -1) const override
    {
        if (qstrcmp(context, "QPlatformTheme") != 0)
            return {};
        static const struct {
            const char* en;
            const char* sv;
        } words[] = {
            {"OK", "OK"},           {"&Yes", "&Ja"},          {"&No", "&Nej"},
            {"Cancel", "Avbryt"},   {"Yes to &All", "Ja till &alla"},
            {"N&o to All", "N&ej till alla"}, {"Close", "Stäng"}, {"Help", "Hjälp"},
        };
        for (const auto& w : words) {
            if (qstrcmp(source, w.en) == 0)
                return QString::fromUtf8(w.sv);
        }
        return {};
    }
};

QString inForce = QStringLiteral("en");
std::unique_ptr<QTranslator> qtTexts;
std::unique_ptr<QTranslator> swedishButtons;

void removeAll()
{
    if (qtTexts)
        QCoreApplication::removeTranslator(qtTexts.get());
    if (swedishButtons)
        QCoreApplication::removeTranslator(swedishButtons.get());
    qtTexts.reset();
    swedishButtons.reset();
}

}  // namespace

QString localeName(int16_t sprache)
{
    return userlocale::languageCode(sprache);
}

void apply(int16_t sprache)
{
    const QString name = localeName(sprache);
    if (name == inForce || !QCoreApplication::instance())
        return;
    removeAll();
    inForce = name;
    if (name == QLatin1String("en"))
        return;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto texts = std::make_unique<QTranslator>();
    // qtbase_xx covers Qt 6's widgets; an older qt_xx catalogue serves
    // where there is no qtbase_xx.
    if (texts->load(QStringLiteral("qtbase_") + name, folder)
        || texts->load(QStringLiteral("qt_") + name, folder)) {
        QCoreApplication::installTranslator(texts.get());
        qtTexts = std::move(texts);
    }
    if (name == QLatin1String("sv")) {
        swedishButtons = std::make_unique<SwedishButtons>();
        QCoreApplication::installTranslator(swedishButtons.get());
    }
}

QString current()
{
    return inForce;
}

}  // namespace qttranslations
