#include "platform/help.h"

namespace help {

QString HelpFileName()
{
    return QStringLiteral("Tavoro.chm");
}

void HtmlHelp(QWidget* /*owner*/, int16_t /*sprache*/)
{
    // The help pages and their window are still to come.
}

}  // namespace help
