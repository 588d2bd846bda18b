#pragma once
// ErrPtnr, the error partner: the dialog that reports a run-time failure,
// appends the error protocol to the log file, offers to print, save or mail
// the protocol, and asks how the failing procedure goes on.
//
// One dialog serves the whole run. It is created on the first report and
// afterwards only hidden, so the program-info line and the call-stack list
// keep their contents. Its own procedures have no trap: nothing in here may
// fail while reporting.

#include "errors/protocol.h"
#include "errors/trap.h"

#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <array>

class QGroupBox;
class QLabel;
class QListWidget;

namespace errors {

class ErrPtnr : public QDialog, public ErrorService {
    Q_OBJECT

public:
    explicit ErrPtnr(QWidget* parent = nullptr);
    ~ErrPtnr() override;

    // The dialog of the run, created on first use.
    static ErrPtnr& instance();
    // Whether the dialog of the run has been created yet.
    static bool exists();

    // Fills the dialog with the failure, appends the protocol to the log,
    // beeps and shows the dialog modally. Returns the index of the continue
    // button that closed it (0 retry, 1 ignore, 2 cancel, 3 end); closing the
    // window through its frame answers 2.
    int16_t OnError(const QString& object, const QString& procedure,
                    const FailureRecord& failure) override;

    // Stores the answer and hides the dialog, which ends the wait in OnError.
    void cmdContinue_Click(int index);
    // 0 print, 1 save to <base>.ERR, 2 mail, 3 web page.
    void cmdProtocol_Click(int index);

    // Puts "HH:MM:SS " before the text (changing it) and adds it at the top of
    // the call-stack list, which keeps the 20 newest entries.
    void CallStack(QString& text);
    void SetProgInfo(const QString& text);
    static QString LPSTRToVBString(const QString& text) { return errors::LPSTRToVBString(text); }

    // Stacks the visible frames and sizes and centres the window; runs before
    // every showing.
    void arrangeFrames();

    // The protocol of what the dialog shows now.
    QString protocolText() const;

    // The answer OnError returns.
    int16_t answer() const { return answer_; }

    // The controls, named as the dialog has always named them.
    QGroupBox* framComment;
    QLabel* lblComment;
    QGroupBox* framFehler;
    std::array<QLabel*, 4> lblErrTitel;
    std::array<QLabel*, 4> lblError;
    QGroupBox* framProgInfo;
    QLabel* lblProgInfo;
    QGroupBox* framProtocol;
    std::array<QPushButton*, 4> cmdProtocol;
    QGroupBox* framCallStack;
    QListWidget* lstCallStack;
    QGroupBox* framContinue;
    std::array<QPushButton*, 4> cmdContinue;

public slots:
    // Escape and the window frame's close button answer Cancel.
    void reject() override;

private:
    ProtocolFields fields() const;
    void autoProtocol();
    void printProtocol(const QString& protocol);
    void saveProtocol(const QString& protocol);
    void mailProtocol(const QString& protocol);
    void webProtocol(const QString& protocol);

    int16_t answer_ = Cancel;
    bool showing_ = false;
};

// Makes the process-wide error dialog the error service; the dialog itself is
// created on the first report. Returns the service that was set before.
ErrorService* installErrorDialog();

// A push button whose caption wraps onto a second line when it is too wide,
// as the dialog's captions ("&Beenden       End") expect.
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace errors
