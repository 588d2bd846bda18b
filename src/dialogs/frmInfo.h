#pragma once
// frmInfo, the about window. Every run begins with it as the start screen: it
// settles the language, writes the language file, loads and shows the main
// window, comes centred over it once the room has been painted, and fades
// out. Opened later from the main window's about entry it is the about
// box: name and version, the maker's home page, the French flag and OK.
//
// Its procedures run under the trap as "frmInfo".

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;

namespace dialogs {

// The version line: title, two blanks, major "." minor with at least two
// digits "." revision with at least two digits ("Tavoro  2.20.341").
QString versionLine(const QString& title, int major, int minor, int revision);

}  // namespace dialogs

class frmInfo : public QDialog {
    Q_OBJECT

public:
    // How the start screen loads the main window (creates it and runs its
    // Form_Load, returning it), shows it the first time, and has `then` called
    // once the window has been painted for the first time (without it the
    // start screen shows at once). The program's start sets this before the
    // start screen.
    struct MainWindow {
        std::function<QWidget*()> load;
        std::function<void(QWidget& window)> show;
        std::function<void(QWidget& window, std::function<void()> then)> afterFirstPaint;
    };
    static void setMainWindow(MainWindow mainWindow);

    // Program-wide: set once the start screen has loaded the main window; it
    // tells the start screen from the about box.
    static bool StartScreenShown;

    // The start screen of the run: a new window that loads, hands over to the
    // main window and closes (and is destroyed) by itself.
    static void showStartScreen();

    // The about box over `owner`, shown modally; returns when it closes.
    static void showAboutBox(QWidget* owner);

    // The font family of the version line.
    static QString titleFontFamily();

    // The start screen stands at least this long (ms), then fades out in
    // the second time.
    static constexpr int kStartScreenShortest = 1200;
    static constexpr int kStartScreenFade = 400;
    // A room first painted later than this (ms) after it was loaded gets no
    // start screen.
    static constexpr int kStartScreenLatest = 3000;

    explicit frmInfo(QWidget* owner = nullptr);
    ~frmInfo() override;

    // Event procedures.
    void Form_Load();
    void imgLang_Click(int16_t Index);
    void lblHomepage_Click();
    void OK_Click();

    // Controls. Label(0) is the version line, imgLang(6) the French flag;
    // other indexes fail with 340.
    QLabel* Label(int i) const;
    QLabel* imgLang(int i) const;
    QLabel* lblHomepage = nullptr;
    // The licence in two lines: the code's, then the media's.
    QLabel* lblLicence[2] = {};
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QPushButton* ok = nullptr;

protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // The main window the start screen loaded, or the owner of the about box.
    QWidget* mainWindow() const;
    // Shows the start screen, then closes it once it has stood
    // kStartScreenShortest, fading it out over kStartScreenFade; the room is
    // in use meanwhile.
    void appearAndFade();

    QLabel* Label0_ = nullptr;
    QLabel* imgLang6_ = nullptr;
    QElapsedTimer shownFor_;
};
