#pragma once
// Runs one test of this test program again in a process of its own: as the
// unprivileged user "nobody" (the administrator writes read-only files and
// folders, a player cannot), under a limit on the size of files, or on a small
// file system of its own that fills up. The child inherits nothing but the
// environment given; its exit status tells whether the test passed there.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {

constexpr uid_t kNobody = 65534;

struct ChildOptions {
    bool unprivileged = false;   // run as "nobody"
    long long fileSizeLimit = -1;  // RLIMIT_FSIZE in bytes, SIGXFSZ ignored
    QString tmpfsAt;             // mount a tmpfs of tmpfsBytes here, in a namespace of its own
    long long tmpfsBytes = 0;
    std::vector<std::pair<QByteArray, QByteArray>> env;  // added to the environment
    int timeoutSeconds = 60;
};

struct ChildResult {
    bool started = false;
    bool exited = false;  // ended by itself (not by a signal or the timeout)
    int status = -1;      // exit status when it ended by itself
};

// Whether a tmpfs can be mounted here (root with CAP_SYS_ADMIN, in a mount
// namespace of its own so that nothing outlives the child).
inline bool canMountTmpfs()
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        char dir[] = "/tmp/tavoro-mountcheck-XXXXXX";
        if (::unshare(CLONE_NEWNS) != 0 || !::mkdtemp(dir))
            ::_exit(1);
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        const int ok = ::mount("tmpfs", dir, "tmpfs", 0, "size=64k");
        ::umount(dir);
        ::rmdir(dir);
        ::_exit(ok == 0 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs this program's test `testName` (also a disabled one) in a child.
inline ChildResult runTestInChild(const QString& testName, const ChildOptions& o)
{
    std::vector<std::string> args = {
        "/proc/self/exe", "--gtest_also_run_disabled_tests",
        "--gtest_filter=" + testName.toStdString()};
    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e) {
        const QByteArray entry(*e);
        bool replaced = false;
        for (const auto& kv : o.env)
            replaced = replaced || entry.startsWith(kv.first + '=');
        if (!replaced)
            envText.emplace_back(*e);
    }
    for (const auto& [name, value] : o.env)
        envText.push_back(name.toStdString() + "=" + value.toStdString());
    const QByteArray tmpfsAt = QFile::encodeName(o.tmpfsAt);
    const std::string tmpfsOptions = "size=" + std::to_string(o.tmpfsBytes) + ",mode=0777";

    ChildResult result;
    const pid_t pid = ::fork();
    if (pid < 0)
        return result;
    if (pid == 0) {
        std::vector<char*> argv, envp;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (auto& e : envText)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        if (!tmpfsAt.isEmpty()) {
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", tmpfsAt.constData(), "tmpfs", 0, tmpfsOptions.c_str()) != 0)
                ::_exit(120);
        }
        if (o.fileSizeLimit >= 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = rlim_t(o.fileSizeLimit);
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(121);
        }
        if (o.unprivileged && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
                               ::setuid(kNobody) != 0))
            ::_exit(122);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(123);
    }
    result.started = true;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(o.timeoutSeconds);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > until) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : -1;
    return result;
}

// A folder the unprivileged child may use as its own.
inline bool giveToNobody(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    return ::geteuid() != 0 || ::chown(p.constData(), kNobody, kNobody) == 0;
}

// Whether the test runs inside such a child.
inline bool inChild()
{
    return qEnvironmentVariableIsSet("TAVORO_TEST_CHILD");
}

}  // namespace testsupport
