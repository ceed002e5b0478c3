#include "pdf/core/error.h"

#include <cerrno>

namespace pdf {

Error FileError(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
        return Error(err::kPathNotFound, "Path not found");
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return Error(err::kPermissionDenied, "Permission denied");
    case ENOSPC:
    case EDQUOT:
        return Error(err::kDiskFull, "Disk full");
    default:
        return Error(err::kPathFileAccess, "Path/File access error");
    }
}

}  // namespace pdf
