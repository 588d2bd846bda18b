#include "errors/failure.h"

#include "platform/numbers.h"

#include <cerrno>
#include <new>
#include <stdexcept>

namespace errors {

QString describe(int32_t number)
{
    switch (number) {
    case ErrInvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case ErrOverflow: return QStringLiteral("Overflow");
    case ErrOutOfMemory: return QStringLiteral("Out of memory");
    case ErrSubscript: return QStringLiteral("Subscript out of range");
    case ErrDivisionByZero: return QStringLiteral("Division by zero");
    case ErrTypeMismatch: return QStringLiteral("Type mismatch");
    case ErrInternal: return QStringLiteral("Internal error");
    case ErrBadFileName: return QStringLiteral("Bad file name or number");
    case ErrFileNotFound: return QStringLiteral("File not found");
    case ErrDeviceIO: return QStringLiteral("Device I/O error");
    case ErrDiskFull: return QStringLiteral("Disk full");
    case ErrPermissionDenied: return QStringLiteral("Permission denied");
    case ErrPathFileAccess: return QStringLiteral("Path/File access error");
    case ErrPathNotFound: return QStringLiteral("Path not found");
    case ErrResourceNotFound: return QStringLiteral("Resource not found");
    case ErrNoSuchElement: return QStringLiteral("Control array element doesn't exist");
    case ErrInvalidPropertyValue: return QStringLiteral("Invalid property value");
    case ErrInvalidPicture: return QStringLiteral("Invalid picture");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

Failure::Failure(int32_t number, QString description)
    : number_(number),
      description_(description.isEmpty() ? describe(number) : std::move(description)),
      what_((QString::number(number) + " (" + description_ + ")").toUtf8())
{
}

void raise(int32_t number, const QString& description)
{
    throw Failure(number, description);
}

void raiseNoSuchElement(const char* array, int index)
{
    raise(ErrNoSuchElement, QStringLiteral("Control array element '%1(%2)' doesn't exist")
                                .arg(QLatin1String(array))
                                .arg(index));
}

int32_t errnoToNumber(int err)
{
    switch (err) {
    case ENOENT: return ErrFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EWOULDBLOCK: return ErrPermissionDenied;
    case ENOSPC:
    case EDQUOT: return ErrDiskFull;
    case EIO: return ErrDeviceIO;
    case ENOTDIR: return ErrPathNotFound;
    case ENOMEM: return ErrOutOfMemory;
    default: return ErrPathFileAccess;
    }
}

void raiseErrno(int err)
{
    raise(errnoToNumber(err));
}

Failure currentFailure()
{
    try {
        throw;
    } catch (const Failure& f) {
        return f;
    } catch (const std::bad_alloc&) {
        return Failure(ErrOutOfMemory);
    } catch (const std::out_of_range&) {
        return Failure(ErrSubscript);
    } catch (const numbers::DivisionByZero&) {
        return Failure(ErrDivisionByZero);
    } catch (const std::overflow_error&) {
        return Failure(ErrOverflow);
    } catch (const std::exception& e) {
        return Failure(ErrInternal, describe(ErrInternal) + ": " + QString::fromLocal8Bit(e.what()));
    }
}

}  // namespace errors
