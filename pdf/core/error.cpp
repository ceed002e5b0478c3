#include "pdf/core/error.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

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

namespace {

template <class Values>
void RequireFiniteValues(const Values& values)
{
    if (!std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); }))
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
}

}  // namespace

void RequireFinite(std::initializer_list<float> values)
{
    RequireFiniteValues(values);
}

void RequireFinite(const std::vector<float>& values)
{
    RequireFiniteValues(values);
}

Error NoFileOpen()
{
    return Error(err::kBadFileHandle, "Bad file name or number");
}

}  // namespace pdf
