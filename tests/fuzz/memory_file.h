// A file held in memory that goes with the fuzzer's process however the process ends:
// libFuzzer ends a run on a memory or time limit without running destructors, so a file on
// disk would be left behind.  Programs open it by its path like any other file.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzzing {

class MemoryFile {
public:
    explicit MemoryFile(const char* name) : mFd(::memfd_create(name, 0))
    {
        if (mFd < 0)
            std::abort();
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string Path() const { return "/proc/self/fd/" + std::to_string(mFd); }

    // The file then holds exactly these bytes.
    void Fill(const std::uint8_t* data, std::size_t size)
    {
        if (::ftruncate(mFd, 0) != 0)
            std::abort();
        for (std::size_t done = 0; done < size;) {
            const ssize_t written = ::pwrite(mFd, data + done, size - done, static_cast<off_t>(done));
            if (written <= 0)
                std::abort();
            done += static_cast<std::size_t>(written);
        }
    }

private:
    int mFd;
};

}  // namespace fuzzing
