#include "widgets/seams.h"

#include "champions/frmHighscore.h"

namespace widgets {

namespace {

Seams makeDefaults()
{
    Seams s;
    s.showChampions = champions::showHighscore;
    // The dialogs and the help viewer are the program's to give (main.cpp);
    // without them these do nothing.
    s.showPictureWindow = [](QWidget*) {};
    s.showWallpaperWindow = [](QWidget*) {};
    s.HtmlHelp = [](QWidget*, int16_t) {};
    s.showAbout = [](QWidget*) {};
    return s;
}

}  // namespace

Seams& defaultSeams()
{
    static Seams d = makeDefaults();
    return d;
}

Seams& seams()
{
    static Seams s = defaultSeams();
    return s;
}

void resetSeams()
{
    seams() = defaultSeams();
}

}  // namespace widgets
