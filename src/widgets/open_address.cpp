#include "widgets/open_address.h"

#include "platform/shell.h"
#include "services/seams.h"

#include <QPointer>
#include <QWidget>

namespace widgets {

void openOrSaySo(QWidget* owner, const QString& address, const QString& shown)
{
    // The opener reports a moment later; the window may be gone by then.
    QPointer<QWidget> window(owner);
    const auto sayNoProgram = [window, address, shown] {
        // A mail address without "mailto:" and the subject.
        const QString plain = address.startsWith(QLatin1String("mailto:"))
            ? address.mid(7).section(QLatin1Char('?'), 0, 0) : address;
        QString text = services::textOf(241).arg(shown);
        if (plain != shown || !text.contains(plain))
            text += QStringLiteral("\n\n") + plain;
        services::seams().tell(window, text);
    };
    if (!shell::open(address, sayNoProgram))
        sayNoProgram();
}

}  // namespace widgets
