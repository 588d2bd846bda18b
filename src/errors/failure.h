#pragma once
// A run-time failure as the game knows it: a classic run-time error number
// and its description. Procedures raise these; the trap hands them on to the
// error service together with the statement line that failed.

#include <QString>
#include <cstdint>
#include <exception>

namespace errors {

enum ErrorNumber : int32_t {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrSubscript = 9,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrInternal = 51,
    ErrBadFileName = 52,
    ErrFileNotFound = 53,
    ErrDeviceIO = 57,
    ErrDiskFull = 61,
    ErrPermissionDenied = 70,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
    ErrResourceNotFound = 326,
    ErrNoSuchElement = 340,
    ErrInvalidPropertyValue = 380,
    ErrInvalidPicture = 481,
};

// The classic description of a run-time error number ("Overflow", ...);
// "Application-defined or object-defined error" for numbers it does not know.
QString describe(int32_t number);

class Failure : public std::exception {
public:
    explicit Failure(int32_t number, QString description = {});
    int32_t number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    int32_t number_;
    QString description_;
    QByteArray what_;
};

// Raises the failure with the given number and its classic description,
// or the description given.
[[noreturn]] void raise(int32_t number, const QString& description = {});

// Raises 340 for element `index` of the control array `array`, which it does
// not have: "Control array element 'array(index)' doesn't exist".
[[noreturn]] void raiseNoSuchElement(const char* array, int index);

// Raises the classic failure for a C library error number: no such file 53,
// access denied or read-only 70, disk full 61, I/O error 57, no such folder 76,
// anything else 75 (Path/File access error).
[[noreturn]] void raiseErrno(int err);
int32_t errnoToNumber(int err);

// What the error service is told about a failure.
struct FailureRecord {
    int32_t number = 0;
    QString description;
    int32_t line = 0;
};

// Turns the exception being handled into a failure: our own Failure as it is,
// standard exceptions to the nearest classic number (bad_alloc: Out of memory,
// out_of_range: Subscript out of range, overflow_error: Overflow, others:
// Internal error). Call only inside a catch block.
Failure currentFailure();

}  // namespace errors
