#include "widgets/open_address.h"

#include "platform/shell.h"
#include "services/seams.h"

namespace widgets {

void openOrSaySo(QWidget* owner, const QString& address, const QString& shown)
{
    if (!shell::open(address))
        services::seams().tell(owner, services::textOf(241).arg(shown));
}

}  // namespace widgets
