// Shared by the pdf tests: a writer with a pinned clock and seed, the folder for written
// PDFs, and the command-line checkers.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "pdf/pagelith.h"

namespace pdf {

namespace testing_support {

inline std::shared_ptr<Clock> PinnedClock()
{
    return std::make_shared<FixedClock>(LocalTime{2024, 5, 17, 9, 30, 5});
}

inline std::unique_ptr<Pagelith> PinnedWriter(std::uint32_t seed = 1234)
{
    return std::make_unique<Pagelith>(PinnedClock(), std::make_shared<SeededRandom>(seed));
}

inline std::string OutputPath(const std::string& fileName)
{
    const std::filesystem::path folder = std::filesystem::path(QUORVANE_BUILD_DIR) / "test-output";
    std::filesystem::create_directories(folder);
    return (folder / fileName).string();
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ToolResult {
    int status = -1;
    std::string output;  // standard output and standard error
};

inline ToolResult RunTool(const std::string& command)
{
    ToolResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char chunk[4096];
    std::size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        result.output.append(chunk, n);
    result.status = pclose(pipe);
    return result;
}

// qpdf finds neither an error nor a warning.
inline ToolResult QpdfCheck(const std::string& path)
{
    return RunTool("qpdf --check '" + path + "'");
}

}  // namespace testing_support
}  // namespace pdf
