#include "pdf/reader/source_file.h"

#include <cerrno>
#include <string>

#include "pdf/core/error.h"
#include "pdf/reader/lexer.h"

namespace pdf {

namespace {

constexpr std::int64_t kBaseWork = std::int64_t{64} << 20;
constexpr std::int64_t kWorkPerFileByte = 16;

// Where the first dictionary the tokenizer meets begins (a "<<" in a comment or a string is
// none); npos when there is none.
std::size_t FirstDictionary(std::string_view bytes)
{
    for (SyntaxToken token = NextToken(bytes, 0); token.kind != SyntaxToken::kNone; token = NextToken(bytes, token.end)) {
        if (token.kind == SyntaxToken::kDictOpen)
            return token.start;
    }
    return std::string_view::npos;
}

}  // namespace

void SourceFile::Open(const std::string& name)
{
    Close();
    mName = name;
    mWorkLeft = kBaseWork;
}

// The budget grows with the file's size once that is known.
void SourceFile::OpenNamed()
{
    if (mFile)
        return;
    if (mName.empty())
        throw Error(err::kBadFileHandle, "Bad file name or number");
    mFile = std::fopen(mName.c_str(), "rb");
    if (!mFile)
        throw FileError(errno);
    if (std::fseek(mFile, 0, SEEK_END) != 0 || (mSize = std::ftell(mFile)) < 0) {
        const int error = errno;
        Close();
        throw FileError(error);
    }
    mWorkLeft += kWorkPerFileByte * mSize;
}

std::int64_t SourceFile::Size()
{
    OpenNamed();
    return mSize;
}

void SourceFile::Charge(std::int64_t bytes)
{
    mWorkLeft -= bytes;
    if (mName.empty() || mWorkLeft >= 0)
        return;
    OpenNamed();
    if (mWorkLeft < 0)
        throw Error(err::kInvalidFileFormat, "The file asks for more than " + std::to_string(kWorkPerFileByte) +
                                                 " times its size of reading and decoding");
}

std::int64_t SourceFile::Remaining()
{
    if (!mName.empty())
        OpenNamed();
    return std::max<std::int64_t>(0, mWorkLeft);
}

void SourceFile::Close()
{
    if (mFile)
        std::fclose(mFile);
    mFile = nullptr;
    mName.clear();
    mSize = 0;
    mWindow.clear();
    mWindowStart = -1;
}

std::string SourceFile::ReadAt(std::int64_t offset, std::int64_t count)
{
    OpenNamed();
    if (offset < 0 || offset >= mSize || count <= 0)
        return {};
    if (count > mSize - offset)
        count = mSize - offset;
    // Objects stand one after the other: a window of the file serves the reads of many.
    if (count <= kWindowBytes) {
        if (offset < mWindowStart || offset + count > mWindowStart + static_cast<std::int64_t>(mWindow.size())) {
            mWindowStart = -1;
            mWindow = ReadFromFile(offset, std::min(kWindowBytes, mSize - offset));
            mWindowStart = offset;
        }
        return mWindow.substr(static_cast<std::size_t>(offset - mWindowStart), static_cast<std::size_t>(count));
    }
    return ReadFromFile(offset, count);
}

std::string SourceFile::ReadFromFile(std::int64_t offset, std::int64_t count)
{
    std::string bytes(static_cast<std::size_t>(count), '\0');
    if (std::fseek(mFile, static_cast<long>(offset), SEEK_SET) != 0)
        throw FileError(errno);
    // A file that another program shortens while it is read: what was read is no file.
    if (std::fread(bytes.data(), 1, bytes.size(), mFile) != bytes.size()) {
        if (std::ferror(mFile))
            throw FileError(errno);
        throw Error(err::kInvalidFileFormat, "The file grew shorter while it was read");
    }
    return bytes;
}

bool EndstreamFollows(SourceFile& file, std::int64_t offset)
{
    const std::string after = file.ReadAt(offset, 32);
    const SyntaxToken keyword = NextToken(after, 0);
    return keyword.kind == SyntaxToken::kWord && keyword.In(after).substr(0, 9) == "endstream";
}

std::string ReadDictionaryText(SourceFile& file, std::int64_t offset, std::int64_t limit)
{
    std::string bytes;
    // Each read doubles what was read, so a long dictionary is tokenized about twice.
    for (std::int64_t count = 4096;; count *= 2) {
        count = std::min(count, limit);
        const std::string more = file.ReadAt(offset + static_cast<std::int64_t>(bytes.size()),
                                             count - static_cast<std::int64_t>(bytes.size()));
        file.Charge(static_cast<std::int64_t>(more.size()));
        bytes += more;
        const SyntaxToken value = NextValue(bytes, FirstDictionary(bytes));
        // A dictionary that ends with the bytes read may have been cut inside.
        const bool closed = value.end > value.start && value.end < bytes.size() &&
                            bytes.compare(value.end - 2, 2, ">>") == 0;
        if (closed || more.empty() || count >= limit)
            return bytes.substr(0, closed ? value.end : bytes.size());
    }
}

}  // namespace pdf
