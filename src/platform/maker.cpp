#include "platform/maker.h"

#include "platform/seams.h"

#ifndef TAVORO_HOME_PAGE
#define TAVORO_HOME_PAGE ""
#endif
#ifndef TAVORO_SUPPORT_EMAIL
#define TAVORO_SUPPORT_EMAIL ""
#endif

namespace maker {

QString supportEmail()
{
    const auto& address = platform::seams().supportEmail;
    return (address ? *address : QString::fromUtf8(TAVORO_SUPPORT_EMAIL)).trimmed();
}

QString homePage()
{
    const auto& address = platform::seams().homePage;
    return (address ? *address : QString::fromUtf8(TAVORO_HOME_PAGE)).trimmed();
}

bool hasSupportEmail()
{
    return !supportEmail().isEmpty();
}

bool hasHomePage()
{
    return !homePage().isEmpty();
}

}  // namespace maker
