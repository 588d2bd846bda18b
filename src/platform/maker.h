#pragma once
// The maker's addresses: where the error protocol is mailed to, and the home
// page the menus, the about window and the error dialog open. Kept here only.

#include <QString>

namespace maker {

// The support e-mail address (for "mailto:").
inline QString supportEmail()
{
    return QStringLiteral("service@tavoro.example");
}

// The maker's home page.
inline QString homePage()
{
    return QStringLiteral("https://www.tavoro.example/");
}

}  // namespace maker
