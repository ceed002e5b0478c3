// The document's output file: bytes written from start to end, with the first line
// rewritable in place once everything else is written.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace pdf {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file, emptying one of that name; raises Error when it cannot.
    void Open(const std::string& name);
    bool IsOpen() const { return mFile != nullptr; }
    // Raises Error when no file is open or the write fails.
    void Write(std::string_view bytes);
    void WriteAt(std::int64_t offset, std::string_view bytes);
    // Bytes written so far, that is the offset of the next byte.
    std::int64_t Position() const { return mPosition; }
    // Closes without a word more; raises Error when the last bytes cannot be stored.
    void Close();

private:
    std::FILE* mFile = nullptr;
    std::int64_t mPosition = 0;
};

}  // namespace pdf
