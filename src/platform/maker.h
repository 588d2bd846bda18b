#pragma once
// The maker's addresses: where the error protocol is mailed to, and the home
// page the menus, the about window and the error dialog open. The build gives
// them (the cache options TAVORO_HOME_PAGE and TAVORO_SUPPORT_EMAIL); a build
// without one leaves its address empty, and the entries that would open it are
// hidden.

#include <QString>

namespace maker {

// The support e-mail address (for "mailto:"); empty when the build has none.
QString supportEmail();
// The maker's home page; empty when the build has none.
QString homePage();

// Whether the build has the address, so that its entries are shown.
bool hasSupportEmail();
bool hasHomePage();

}  // namespace maker
