#pragma once
// What the fuzz targets share. Each target is one file that defines
// LLVMFuzzerTestOneInput; built with clang's libFuzzer it is a fuzzer, built
// with replay_main.cpp it runs every file of its seed corpus (a ctest test).

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Failures the game's trap catches are findings too: a file that is merely
// bad must be handled without a run-time failure. Installed once.
void failOnReportedErrors();

// Qt's warnings about broken input (by the thousand while fuzzing) are
// dropped; critical and fatal messages still show.
void dropQtWarnings();

// A private folder for the files a target writes, on a memory file system
// where there is one (rewriting a file there costs no disk).
const QString& scratchFolder();

[[noreturn]] inline void fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

}  // namespace fuzz

// A property of the code under test that does not hold: stops like a crash,
// so that the fuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            fuzz::fail(#cond, __FILE__, __LINE__);                                                 \
    } while (0)
