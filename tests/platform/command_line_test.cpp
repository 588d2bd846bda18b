// --help and --version answer on standard output and end the program; any
// other command line starts the game. The installed program answers before
// it looks for a window system.

#include "platform/command_line.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Answer {
    std::optional<int> code;
    std::string text;
};

Answer ask(std::vector<const char*> argv)
{
    std::FILE* out = std::tmpfile();
    Answer a;
    a.code = commandline::answer(static_cast<int>(argv.size()), argv.data(), out);
    std::rewind(out);
    char buffer[4096];
    a.text.assign(buffer, std::fread(buffer, 1, sizeof buffer, out));
    std::fclose(out);
    return a;
}

}  // namespace

TEST(CommandLine, AnswersHelpAndVersion)
{
    const Answer help = ask({"/usr/games/tavoro", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.text.rfind("Usage: tavoro [--help | --version]\n", 0), 0u) << help.text;

    // The name the player used, and the first of the two options wins.
    const Answer asTyped = ask({"Tavoro", "-platform", "xcb", "--help", "--version"});
    EXPECT_EQ(asTyped.text.rfind("Usage: Tavoro ", 0), 0u) << asTyped.text;

    const Answer version = ask({"tavoro", "--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.text.rfind("Tavoro 1.0.0\n", 0), 0u) << version.text;
    EXPECT_NE(version.text.find("GNU GPL version 3 or later"), std::string::npos);
    EXPECT_NE(version.text.find("CC BY-SA 4.0"), std::string::npos);
}

TEST(CommandLine, AnythingElseStartsTheGame)
{
    for (const auto& argv : std::vector<std::vector<const char*>>{
             {"tavoro"}, {"tavoro", "-platform", "offscreen"}, {"tavoro", "--helpful"},
             {"tavoro", "-help"}, {}}) {
        const Answer a = ask(argv);
        EXPECT_FALSE(a.code.has_value()) << (argv.size() > 1 ? argv[1] : "");
        EXPECT_TRUE(a.text.empty());
    }
}

TEST(CommandLine, AnAnswerThatCannotBeWrittenFails)
{
    std::FILE* full = std::fopen("/dev/full", "w");
    if (!full)
        GTEST_SKIP() << "no /dev/full";
    const char* argv[] = {"tavoro", "--version"};
    EXPECT_EQ(commandline::answer(2, argv, full), 1);
    std::fclose(full);
}

TEST(CommandLine, TheProgramAnswersWithoutAWindowSystem)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    for (const char* option : {"--help", "--version"}) {
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(TAVORO_EXECUTABLE, {option});
        ASSERT_TRUE(program.waitForFinished(30000)) << option;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << option;
        EXPECT_FALSE(program.readAllStandardOutput().isEmpty()) << option;
        EXPECT_TRUE(program.readAllStandardError().isEmpty()) << option;
    }
}
