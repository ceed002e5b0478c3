#include "pdf/core/output_file.h"

#include <cerrno>

#include "pdf/core/error.h"

namespace pdf {

OutputFile::~OutputFile()
{
    if (mFile)
        std::fclose(mFile);
}

void OutputFile::Open(const std::string& name)
{
    if (mFile)
        Close();
    mPosition = 0;
    mFile = std::fopen(name.c_str(), "wb");
    if (!mFile)
        throw FileError(errno);
    // Documents are written in many short lines; a larger buffer saves system calls.
    std::setvbuf(mFile, nullptr, _IOFBF, 1 << 16);
}

void OutputFile::Write(std::string_view bytes)
{
    if (!mFile)
        throw NoFileOpen();
    if (bytes.empty())
        return;  // an empty view may hold a null pointer, which fwrite must not get
    if (std::fwrite(bytes.data(), 1, bytes.size(), mFile) != bytes.size())
        throw FileError(errno);
    mPosition += static_cast<std::int64_t>(bytes.size());
}

void OutputFile::WriteAt(std::int64_t offset, std::string_view bytes)
{
    if (!mFile)
        throw NoFileOpen();
    if (std::fseek(mFile, static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fwrite(bytes.data(), 1, bytes.size(), mFile) != bytes.size() ||
        std::fseek(mFile, 0, SEEK_END) != 0)
        throw FileError(errno);
}

void OutputFile::Close()
{
    if (!mFile)
        return;
    std::FILE* file = mFile;
    mFile = nullptr;
    if (std::fclose(file) != 0)
        throw FileError(errno);
}

}  // namespace pdf
