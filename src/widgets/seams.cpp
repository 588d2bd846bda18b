#include "widgets/seams.h"

namespace widgets {

namespace {

Seams makeDefaults()
{
    Seams s;
    // The windows are the program's to give (main.cpp); without them these
    // do nothing.
    s.showChampions = [](QWidget*, std::optional<game::Score>) {};
    s.showPictureWindow = [](QWidget*) {};
    s.showWallpaperWindow = [](QWidget*) {};
    s.HtmlHelp = [](QWidget*, int16_t) {};
    s.showAbout = [](QWidget*) {};
    s.showStatistics = [](QWidget*) {};
    return s;
}

}  // namespace

Seams& defaultSeams()
{
    static Seams* d = new Seams(makeDefaults());
    return *d;
}

Seams& seams()
{
    // Never destroyed: art may still be rendered on a worker thread while
    // the program ends.
    static Seams* s = new Seams(defaultSeams());
    return *s;
}

void resetSeams()
{
    seams() = defaultSeams();
}

}  // namespace widgets
