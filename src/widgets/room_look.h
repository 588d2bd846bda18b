#pragma once
// The look the game's dialogs share with the room: cream paper in a walnut
// rim, wooden buttons with light lettering, the default button framed in the
// gilt of the mode buttons, dark brown text in the game's serif. It is given
// in one place: while a RoomLook lives, every dialog of the program (message
// boxes, questions and the name box included) takes it as it is first
// polished, and is made wide enough for its own title.
//
// A dialog keeps what it set itself: its own palette colours and its own
// font come first; only a window that sets no ground of its own gets the
// paper and the rim.

#include <QObject>
#include <QString>

class QWidget;

namespace widgets {

class RoomLook : public QObject {
public:
    // Installs the look on the application; it ends with the object.
    RoomLook();
    ~RoomLook() override;

    RoomLook(const RoomLook&) = delete;
    RoomLook& operator=(const RoomLook&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A top-level window that is no dialog (the help window) takes the look too.
void useRoomLook(QWidget* window);

// Gives `window` the look now, once; a window that has it is left alone.
void applyRoomLook(QWidget* window);

// A button the look leaves at the size it was placed at: one that shows an
// icon or its own artwork and no text is not widened like a text button.
void keepPlacedSize(QWidget* button);

// The style sheet of the look, for the buttons and the input fields.
QString roomStyleSheet();

// The width a window needs so that the window manager shows its whole
// title: the title in a bold title font, the frame's buttons (window menu,
// minimize, maximize, close) and the margins beside them.
int titleWidth(const QString& title);

// Makes a dialog at least titleWidth wide: a fixed-size dialog grows to it,
// a message box widens its text.
void fitTitle(QWidget* window);

}  // namespace widgets
