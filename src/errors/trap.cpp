#include "errors/trap.h"

#include <cstdio>
#include <cstdlib>

namespace errors {

namespace {

class StderrService : public ErrorService {
public:
    int16_t OnError(const QString& object, const QString& procedure,
                    const FailureRecord& f) override
    {
        std::fprintf(stderr, "Tavoro: error %d (%s) in %s.%s, line %d\n", f.number,
                     qPrintable(f.description), qPrintable(object), qPrintable(procedure),
                     f.line);
        return Cancel;
    }
};

StderrService fallbackService;
ErrorService* currentService = nullptr;
std::function<void()> programExit;
// The timed service whose tick runs now on this thread, if any.
thread_local TimedService* runningService = nullptr;

}  // namespace

ErrorService& errorService()
{
    return currentService ? *currentService : fallbackService;
}

ErrorService* setErrorService(ErrorService* service)
{
    ErrorService* old = currentService;
    currentService = service;
    return old;
}

void endProgram()
{
    if (programExit) {
        programExit();
        throw ProgramEnded{};
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

void setProgramExit(std::function<void()> exitFn)
{
    programExit = std::move(exitFn);
}

Procedure::Procedure(QString object, QString name)
    : object_(std::move(object)), name_(std::move(name))
{
}

bool Procedure::run(std::initializer_list<Statement> statements)
{
    leaving_ = false;
    int index = 0;
    for (auto it = statements.begin(); it != statements.end();) {
        line_ = statementLine(index);
        try {
            (*it)();
        } catch (const ProgramEnded&) {
            throw;
        } catch (...) {
            const Failure f = currentFailure();
            int16_t answer = Cancel;
            if (!runningService || !runningService->off_) {
                answer = errorService().OnError(object_, name_,
                                                {f.number(), f.description(), line_});
                // Told once: the timer's service goes off unless the player
                // asked to try again.
                if (runningService && answer != Retry)
                    runningService->off_ = true;
            }
            if (answer == Retry)
                continue;
            if (answer == End) {
                endProgram();
                return false;
            }
            if (answer != Ignore) {
                line_ = 0;
                return false;
            }
        }
        if (leaving_) {
            line_ = 0;
            return false;
        }
        ++it;
        ++index;
    }
    line_ = 0;
    return true;
}

bool TimedService::run(const std::function<void()>& tick)
{
    if (off_)
        return false;
    TimedService* outer = runningService;
    runningService = this;
    try {
        tick();
    } catch (...) {
        runningService = outer;
        throw;
    }
    runningService = outer;
    return !off_;
}

void Procedure::runSkippingFailures(std::initializer_list<Statement> statements)
{
    leaving_ = false;
    int index = 0;
    for (const Statement& s : statements) {
        line_ = statementLine(index++);
        try {
            s();
        } catch (const ProgramEnded&) {
            throw;
        } catch (...) {
        }
        if (leaving_)
            break;
    }
    line_ = 0;
}

}  // namespace errors
