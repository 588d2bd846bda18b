#pragma once
// The help viewer: the game's own help window, owned by the main window,
// that shows the help pages built into the program in the current language.
//
// The pages live in the source tree as help/<lang>/<page>.html (lang de, en,
// sv, it, es, fr) and travel inside the program under :/help/<lang>/.
// help/contents.txt names the pages in the order of the contents list; each
// page's <title> is its entry there.

#include <QString>
#include <QStringList>
#include <cstdint>

class QWidget;

namespace help {

class HelpWindow;

// Opens the help window owned by `owner` at its default topic, in the
// language `sprache` (0, 1000, 2000, 3000, 5000 or 6000; any other value
// shows English). A help window that is already open comes to the front and
// turns to the default topic in that language. Nothing visible happens when
// there is no help to show; it never fails.
void HtmlHelp(QWidget* owner, int16_t sprache);

// The help window HtmlHelp opened for `owner`, or null.
HelpWindow* WindowOf(QWidget* owner);

// The folder name of a language's pages: "de", "en", "sv", "it", "es", "fr";
// English for any value that is no language.
QString LanguageFolder(int16_t sprache);

// The page every language opens at.
QString DefaultTopic();

// The pages of the contents list, in order ("index.html", "play.html", ...).
QStringList Topics();

// The address of a language's page inside the program ("qrc:/help/en/index.html").
QString TopicUrl(int16_t sprache, const QString& page);

}  // namespace help
