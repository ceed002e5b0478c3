// A source PDF file opened for reading bytes at any offset.  Closing is idempotent and the
// destructor closes, so no way out of a reader operation leaves the file open.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace pdf {

class SourceFile {
public:
    SourceFile() = default;
    ~SourceFile() { Close(); }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    // Names the file; it is opened on the first read or question of its size, so that an
    // operation that finds all it needs among the objects already read never opens it.
    // The first read raises Error when the file cannot be opened.
    void Open(const std::string& name);
    void Close();
    std::int64_t Size();
    // Up to `count` bytes from `offset`; fewer at the end of the file, none past it.
    // Raises Error when no file is named, or when the file holds fewer bytes than it did
    // when it was opened.
    std::string ReadAt(std::int64_t offset, std::int64_t count);
    // Counts the bytes of the objects an operation takes from the file, and the bytes it
    // decodes from their streams.  From the naming of the file, an operation may take its
    // bytes many times over, and no more: a file whose objects name one another over and
    // over, or whose streams decode to much more than they hold, cannot make one operation
    // work without end.  Raises Error past that.
    void Charge(std::int64_t bytes);
    // What may still be charged before Charge raises Error.
    std::int64_t Remaining();

private:
    static constexpr std::int64_t kWindowBytes = 64 << 10;

    void OpenNamed();
    std::string ReadFromFile(std::int64_t offset, std::int64_t count);

    std::string mName;  // "" while no file is named
    std::FILE* mFile = nullptr;
    std::int64_t mSize = 0;
    std::int64_t mWorkLeft = 0;
    std::string mWindow;  // bytes of the file from mWindowStart
    std::int64_t mWindowStart = -1;
};

// "endstream" stands at the offset, after white space.
bool EndstreamFollows(SourceFile& file, std::int64_t offset);

// The bytes from `offset` to the end of the first dictionary there, however long, at most
// `limit` bytes (to the end of the file when it never closes); each read is charged.
std::string ReadDictionaryText(SourceFile& file, std::int64_t offset, std::int64_t limit);

// Opens a source file for the length of one reader operation and closes it on every way out.
class SourceFileSession {
public:
    SourceFileSession(SourceFile& file, const std::string& name) : mFile(file) { mFile.Open(name); }
    ~SourceFileSession() { mFile.Close(); }
    SourceFileSession(const SourceFileSession&) = delete;
    SourceFileSession& operator=(const SourceFileSession&) = delete;

private:
    SourceFile& mFile;
};

}  // namespace pdf
