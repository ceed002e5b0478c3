#include "pdf/core/input_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "pdf/core/error.h"

namespace pdf {

bool IsReadableFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

Bytes ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(err::kFileNotFound, "File not found");
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw FileError(errno);
    return bytes;
}

std::string BareFileName(const std::string& path)
{
    const auto last = path.find_last_of("/\\");
    if (last != std::string::npos)
        return path.substr(last + 1);
    const auto colon = path.rfind(':');
    return colon == std::string::npos ? path : path.substr(colon + 1);
}

}  // namespace pdf
