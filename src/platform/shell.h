#pragma once
// Opening an address with the user's default program: a web address in the
// browser, "mailto:..." in the e-mail program.
//
// The desktop's opener (xdg-open) is asked, and what it reports counts: it may
// be there and still find no program for the address ("no method available",
// a status other than 0). That report arrives a moment later; an opener still
// busy after a few seconds (it waits for the browser it started) has done its
// work.

#include <QString>

#include <functional>

namespace shell {

// Opens the address; `failed` is called later, on this thread, when no
// program took it. Returns false (and does not call `failed`) when no opener
// could be started at all.
bool open(const QString& address, std::function<void()> failed = {});

}  // namespace shell
