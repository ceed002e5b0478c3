// Shared by the pdf tests: a writer with a pinned clock and seed, the folder for written
// PDFs, and the command-line checkers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <vector>

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

// What mutool says while it renders every page (colour management off, which this build
// lacks and would otherwise warn of), opening a protected file with the password: nothing
// for a sound file.
inline std::string MutoolDrawMessages(const std::string& path, const std::string& password = "")
{
    const std::string open = password.empty() ? "" : "-p '" + password + "' ";
    return RunTool("mutool draw -q -N -o /dev/null " + open + "'" + path + "'").output;
}

// What poppler says while it renders every page: nothing for a sound file.
inline std::string PopplerRenderMessages(const std::string& path)
{
    return RunTool("{ pdftoppm -r 10 '" + path + "' >/dev/null; }").output;
}

// A written file as the readers take it: qpdf finds neither error nor warning, and mutool
// renders every page without a word.  Every test that writes a whole PDF checks it so.
inline void ExpectSoundFile(const std::string& path, const std::string& password = "")
{
    const std::string qpdfPassword = password.empty() ? "" : "--password='" + password + "' ";
    const auto check = RunTool("qpdf --check " + qpdfPassword + "'" + path + "'");
    EXPECT_EQ(check.status, 0) << path << "\n" << check.output;
    EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << path << "\n" << check.output;
    EXPECT_EQ(MutoolDrawMessages(path, password), "") << path;
}

// The first page rendered at 72 dpi, one pixel per point from the top-left corner.
struct Rendering {
    int width = 0;
    int height = 0;
    std::string rgb;
    std::array<int, 3> At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return {-1, -1, -1};
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
        return {static_cast<unsigned char>(rgb[at]), static_cast<unsigned char>(rgb[at + 1]),
                static_cast<unsigned char>(rgb[at + 2])};
    }
};

// By poppler (pdftoppm) or, with `mupdf`, by mutool.
inline Rendering RenderPage(const std::string& path, bool mupdf)
{
    const std::string image = path + (mupdf ? ".mupdf" : ".poppler");
    if (mupdf)
        RunTool("mutool draw -q -N -r 72 -o '" + image + ".ppm' '" + path + "' 1");
    else
        RunTool("pdftoppm -r 72 -singlefile '" + path + "' '" + image + "'");
    const std::string ppm = ReadAll(image + ".ppm");
    Rendering page;
    int max = 0;
    int used = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &page.width, &page.height, &max, &used) == 3)
        page.rgb = ppm.substr(static_cast<std::size_t>(used) + 1);
    if (page.rgb.size() < static_cast<std::size_t>(page.width) * page.height * 3)
        page.width = page.height = 0;
    return page;
}

// A word of the first page as pdftotext finds it.
struct Word {
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points from the top-left corner
};

inline std::vector<Word> ReadWords(const std::string& path)
{
    const auto result = RunTool("pdftotext -bbox -enc UTF-8 '" + path + "' -");
    EXPECT_EQ(result.status, 0) << result.output;
    static const std::regex word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>");
    std::vector<Word> words;
    for (auto it = std::sregex_iterator(result.output.begin(), result.output.end(), word);
         it != std::sregex_iterator(); ++it)
        words.push_back({(*it)[5], std::stod((*it)[1]), std::stod((*it)[2]),
                         std::stod((*it)[3]), std::stod((*it)[4])});
    return words;
}

// The number of places where `piece` stands in `text`.
inline int CountOf(const std::string& text, const std::string& piece)
{
    int count = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// A file a test leaves unfinished on purpose: kept out of test-output, where every PDF is
// whole.
inline std::string ScratchPath(const std::string& fileName)
{
    const std::filesystem::path folder = std::filesystem::path(QUORVANE_BUILD_DIR) / "test-scratch";
    std::filesystem::create_directories(folder);
    return (folder / fileName).string();
}

// A file of test-output named after the running suite and case, since cases may run at the
// same time and two suites may hold cases of one name.
inline std::string CaseOutputPath(const std::string& prefix)
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "_" + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
    return OutputPath(prefix + name + ".pdf");
}

// Completes the document and returns its bytes, once the readers took it (ExpectSoundFile).
inline std::string FinishChecked(Pagelith& writer, const std::string& path)
{
    writer.EndDoc();
    ExpectSoundFile(path);
    return ReadAll(path);
}

// The first page of a written PDF rendered at 60 dpi as screenshots/<name>.png in the build
// folder, for a person to look at.
inline ToolResult RenderScreenshot(const std::string& path, const std::string& name)
{
    const auto shots = std::filesystem::path(QUORVANE_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    return RunTool("pdftoppm -png -r 60 -singlefile '" + path + "' '" + (shots / name).string() +
                   "'");
}

}  // namespace testing_support
}  // namespace pdf
