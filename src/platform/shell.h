#pragma once
// Opening an address with the user's default program: a web address in the
// browser, "mailto:..." in the e-mail program. The result is rarely looked at:
// without a browser or mail program nothing visible happens.

#include <QString>

namespace shell {

// Opens the address; true when the desktop took it.
bool open(const QString& address);

}  // namespace shell
