#include "errors/trap.h"
#include "support/scripted_errors.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

using errors::Procedure;
using testsupport::ScriptedErrors;

namespace {

// A function of three statements whose second fails `failures` times.
struct Recorder {
    std::string trace;
    int failures = 0;

    QString compute(Procedure& proc)
    {
        QString result;
        proc.run({
            [&] { trace += "a"; result += "1"; },
            [&] {
                trace += "b";
                if (failures > 0) {
                    --failures;
                    errors::raise(errors::ErrFileNotFound);
                }
                result += "2";
            },
            [&] { trace += "c"; result += "3"; },
        });
        return result;
    }
};

}  // namespace

TEST(Trap, AnswersActOnTheFailingProcedure)
{
    struct Case {
        int16_t answer;
        std::string trace;
        QString result;
        int exits;
    };
    const Case cases[] = {
        {errors::Retry, "abbc", "123", 0},   // the failing statement runs again, then succeeds
        {errors::Ignore, "abc", "13", 0},    // goes on with the next statement
        {errors::Cancel, "ab", "1", 0},      // leaves, returning what it has so far
        {7, "ab", "1", 0},                   // any other answer acts like Cancel
    };
    for (const Case& c : cases) {
        ScriptedErrors service;
        service.answers = {c.answer};
        Recorder r;
        r.failures = 1;
        Procedure proc{"frmTest", "Compute"};
        EXPECT_EQ(r.compute(proc), c.result) << c.answer;
        EXPECT_EQ(r.trace, c.trace) << c.answer;
        ASSERT_EQ(service.reports.size(), 1u);
        EXPECT_EQ(service.reports[0].object, "frmTest");
        EXPECT_EQ(service.reports[0].procedure, "Compute");
        EXPECT_EQ(service.reports[0].failure.number, 53);
        EXPECT_EQ(service.reports[0].failure.description, "File not found");
        EXPECT_EQ(service.reports[0].failure.line, 50020);
    }
}

TEST(Trap, RetryAsksAgainUntilTheStatementSucceeds)
{
    ScriptedErrors service;
    service.answers = {errors::Retry, errors::Retry, errors::Retry};
    Recorder r;
    r.failures = 3;
    Procedure proc{"frmTest", "Compute"};
    EXPECT_EQ(r.compute(proc), "123");
    EXPECT_EQ(service.reports.size(), 3u);
    EXPECT_EQ(r.trace, "abbbbc");
}

TEST(Trap, EndCallsTheExitAndNothingAfterItRuns)
{
    ScriptedErrors service;
    service.answers = {errors::End};
    Recorder r;
    r.failures = 1;
    std::string after;
    auto caller = [&] {
        Procedure proc{"frmTest", "Compute"};
        r.compute(proc);
        after = "ran";
    };
    EXPECT_THROW(caller(), errors::ProgramEnded);
    EXPECT_EQ(service.exits, 1);
    EXPECT_EQ(r.trace, "ab");
    EXPECT_EQ(after, "");
}

TEST(Trap, SkippingVariantNeverAsks)
{
    ScriptedErrors service;
    std::string trace;
    Procedure proc{"frmTavoro", "Ende"};
    proc.runSkippingFailures({
        [&] { trace += "a"; throw std::runtime_error("x"); },
        [&] { trace += "b"; errors::raise(errors::ErrOverflow); },
        [&] { trace += "c"; },
    });
    EXPECT_EQ(trace, "abc");
    EXPECT_TRUE(service.reports.empty());
}

TEST(Trap, LeaveEndsTheProcedureWithoutAReport)
{
    ScriptedErrors service;
    std::string trace;
    Procedure proc{"frmTest", "Leave"};
    EXPECT_FALSE(proc.run({
        [&] { trace += "a"; proc.leave(); },
        [&] { trace += "b"; },
    }));
    EXPECT_EQ(trace, "a");
    EXPECT_TRUE(service.reports.empty());
}

TEST(Trap, StandardExceptionsMapToClassicNumbers)
{
    ScriptedErrors service;
    service.fallback = errors::Ignore;
    Procedure proc{"frmTest", "Map"};
    proc.run({
        [] { throw std::bad_alloc(); },
        [] { throw std::out_of_range("k"); },
        [] { throw std::overflow_error("o"); },
        [] { throw std::runtime_error("r"); },
    });
    ASSERT_EQ(service.reports.size(), 4u);
    EXPECT_EQ(service.reports[0].failure.number, 7);
    EXPECT_EQ(service.reports[1].failure.number, 9);
    EXPECT_EQ(service.reports[1].failure.description, "Subscript out of range");
    EXPECT_EQ(service.reports[2].failure.number, 6);
    EXPECT_EQ(service.reports[3].failure.number, 51);
    EXPECT_EQ(service.reports[3].failure.line, 50040);
}

// A failure in a timer's tick is told once; the service then stays off: the
// same tick asks nobody about its further failures, and no tick runs again.
TEST(Trap, ATimedServiceTellsItsFailureOnceAndThenStaysOff)
{
    ScriptedErrors service;
    service.fallback = errors::Ignore;
    errors::TimedService music;
    int ticks = 0;
    const auto tick = [&] {
        ++ticks;
        Procedure proc{"frmTest", "Timer2_Timer"};
        proc.run({
            [] { errors::raise(errors::ErrPathNotFound); },
            [] { errors::raise(errors::ErrFileNotFound); },
        });
    };
    EXPECT_TRUE(music.run([&] { ++ticks; }));
    EXPECT_FALSE(music.run(tick));
    EXPECT_FALSE(music.run(tick));
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(service.reports.size(), 1u);
    EXPECT_EQ(service.reports[0].failure.number, 76);

    // A Retry keeps the service on; outside a tick every failure is told.
    errors::TimedService other;
    service.answers = {errors::Retry, errors::Cancel};
    int tries = 0;
    EXPECT_FALSE(other.run([&] {
        Procedure proc{"frmTest", "Tick"};
        proc.run({[&] { ++tries; errors::raise(errors::ErrPathNotFound); }});
    }));
    EXPECT_EQ(tries, 2);
    Procedure outside{"frmTest", "Outside"};
    outside.run({[] { errors::raise(5); }});
    outside.run({[] { errors::raise(5); }});
    EXPECT_EQ(service.reports.size(), 5u);
}
