#pragma once
// The trap every procedure of the game runs under.
//
// A procedure is a list of numbered statements (50010, 50020, ...). When one of
// them fails, the error service is asked what to do, with the procedure's
// object and procedure names, and the answer acts:
//   0  run the failing statement again
//   1  go on with the next statement
//   2  leave the procedure (a function returns what it holds so far)
//   3  end the program at once
// Any other answer acts like 2.
//
//   void frmTavoro::Start()
//   {
//       errors::Procedure proc{"frmTavoro", "Start"};
//       proc.run({
//           [&] { ... },     // 50010
//           [&] { ... },     // 50020
//       });
//   }

#include "errors/failure.h"

#include <QString>
#include <functional>
#include <initializer_list>

namespace errors {

enum Answer : int16_t { Retry = 0, Ignore = 1, Cancel = 2, End = 3 };

// Whoever answers failures: the error dialog in the game, a script in tests.
class ErrorService {
public:
    virtual ~ErrorService() = default;
    virtual int16_t OnError(const QString& object, const QString& procedure,
                            const FailureRecord& failure) = 0;
};

// The service that answers; without one set, failures are written to stderr
// and answered with Cancel.
ErrorService& errorService();
// Replaces the service (nullptr restores the fallback). Returns the old one.
ErrorService* setErrorService(ErrorService* service);

// Ends the program at once: no unload, no further events. Tests replace it.
void endProgram();
// Replaces what endProgram does (an empty function restores the real exit).
void setProgramExit(std::function<void()> exitFn);

// Thrown after an injected program exit returns, so that nothing of the
// procedure or its callers runs any more. Never thrown in the real program.
struct ProgramEnded {};

class Procedure {
public:
    using Statement = std::function<void()>;

    Procedure(QString object, QString name);

    // Runs the statements under the trap. Returns true when every statement ran
    // (or was skipped by an Ignore answer) and false when the procedure was left
    // early, by a Cancel answer or by leave().
    bool run(std::initializer_list<Statement> statements);

    // For Ende, Form_Unload and Shutdown: every failing statement is skipped
    // without asking anyone.
    void runSkippingFailures(std::initializer_list<Statement> statements);

    // Called from inside a statement: the procedure ends after this statement,
    // as an "Exit Sub" would.
    void leave() { leaving_ = true; }

    // The line number of the statement running now (0 outside run).
    int32_t line() const { return line_; }

    const QString& object() const { return object_; }
    const QString& name() const { return name_; }

private:
    QString object_;
    QString name_;
    int32_t line_ = 0;
    bool leaving_ = false;
};

// A service that a timer runs again and again (the music watch). A failure
// in one of its ticks is reported once, as any other; the service is then off
// for the rest of the run: further failures of that tick are answered with
// Cancel without asking, and no tick runs any more. So a failure that stays
// never raises one dialog after another.
class TimedService {
public:
    // Runs the tick under the service unless it is off. Returns whether the
    // service is still on afterwards (the caller stops its timer when not).
    bool run(const std::function<void()>& tick);

private:
    friend class Procedure;
    bool off_ = false;
};

// Line number of the statement with 0-based index i.
constexpr int32_t statementLine(int i) { return 50010 + 10 * i; }

}  // namespace errors
