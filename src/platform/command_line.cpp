#include "platform/command_line.h"

#include "platform/appinfo.h"

#include <cstring>
#include <string>

namespace commandline {

namespace {

// The name the player typed, without its folder.
std::string commandName(int argc, const char* const* argv)
{
    if (argc < 1 || argv[0] == nullptr || argv[0][0] == '\0')
        return "tavoro";
    const char* slash = std::strrchr(argv[0], '/');
    return slash ? slash + 1 : argv[0];
}

std::string helpText(const std::string& name)
{
    return "Usage: " + name + " [--help | --version]\n"
           "A picture puzzle: slide or swap the pieces of a shuffled picture back into place.\n"
           "\n"
           "  --help     print this help and exit\n"
           "  --version  print the version and exit\n"
           "\n"
           "Other arguments are left to Qt, for instance -platform xcb.\n"
           "The game's own help is in its help menu; see also the manual page tavoro(6).\n";
}

std::string versionText()
{
    return appinfo::title().toStdString() + ' ' + appinfo::versionText().toStdString() + "\n"
           "Copyright (C) 2026 The Tavoro developers\n"
           "The code: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
           "Pictures, wallpapers, artwork, sounds, music and help pages: CC BY-SA 4.0\n"
           "<https://creativecommons.org/licenses/by-sa/4.0/>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace

std::optional<int> answer(int argc, const char* const* argv, std::FILE* out)
{
    std::string text;
    for (int i = 1; i < argc && text.empty(); ++i) {
        if (argv[i] == nullptr)
            break;
        if (std::strcmp(argv[i], "--help") == 0)
            text = helpText(commandName(argc, argv));
        else if (std::strcmp(argv[i], "--version") == 0)
            text = versionText();
    }
    if (text.empty())
        return std::nullopt;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return written && std::fflush(out) == 0 && !std::ferror(out) ? 0 : 1;
}

}  // namespace commandline
