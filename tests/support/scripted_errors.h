#pragma once
// Test stand-ins for the error dialog and the program's end: a service that
// answers from a script and remembers what it was told, and a guard that
// installs it (and a recording exit) for the life of a test.

#include "errors/trap.h"

#include <QString>
#include <deque>
#include <vector>

namespace testsupport {

struct Report {
    QString object;
    QString procedure;
    errors::FailureRecord failure;
};

class ScriptedErrors : public errors::ErrorService {
public:
    // Answers given in turn; when they run out, `fallback` is given.
    std::deque<int16_t> answers;
    int16_t fallback = errors::Cancel;
    std::vector<Report> reports;
    int exits = 0;

    ScriptedErrors()
    {
        previous_ = errors::setErrorService(this);
        errors::setProgramExit([this] { ++exits; });
    }
    ~ScriptedErrors() override
    {
        errors::setErrorService(previous_);
        errors::setProgramExit({});
    }

    int16_t OnError(const QString& object, const QString& procedure,
                    const errors::FailureRecord& failure) override
    {
        reports.push_back({object, procedure, failure});
        if (answers.empty())
            return fallback;
        const int16_t a = answers.front();
        answers.pop_front();
        return a;
    }

private:
    errors::ErrorService* previous_;
};

}  // namespace testsupport
