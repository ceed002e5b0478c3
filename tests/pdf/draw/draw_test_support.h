// Shared by the drawing tests: the content a drawing wrote, the writer's current point and
// last box, and the folders and tools for whole documents.
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "pdf/pagelith.h"

namespace pdf {

// Reaches the writer's state that no public operation exposes.
class PagelithTestPeer {
public:
    explicit PagelithTestPeer(Pagelith& writer) : w(writer) {}
    std::string PageContent() const { return BufToString(w.mPageBuf); }
    void ClearPageContent() { BufReset(w.mPageBuf); }
    void PaintPath(int style) { w.PaintPath(style); }
    // The current point in points.
    float X() const { return w.mX; }
    float Y() const { return w.mY; }
    std::array<float, 4> LastBox() const { return w.mLastBox; }
    float PageHeight() const { return w.mPageHeight; }

private:
    Pagelith& w;
};

namespace draw_testing {

inline std::unique_ptr<Pagelith> PinnedWriter()
{
    return std::make_unique<Pagelith>(
        std::make_shared<FixedClock>(LocalTime{2024, 5, 17, 9, 30, 5}),
        std::make_shared<SeededRandom>(1234));
}

inline std::string BuildPath(const std::string& folder, const std::string& fileName)
{
    const std::filesystem::path dir = std::filesystem::path(QUORVANE_BUILD_DIR) / folder;
    std::filesystem::create_directories(dir);
    return (dir / fileName).string();
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

// A writer with an open page whose content each test reads back drawing by drawing.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string path = BuildPath("test-output", "draw_scratch.pdf");
        w->BeginDoc(path);
        ASSERT_EQ(w->ErrNumber(), 0);
        int page = 0;
        w->BeginPage(page);
    }
    void TearDown() override { w->EndDoc(); }

    // What the drawings wrote since the last call.
    std::string Content()
    {
        std::string text = peer.PageContent();
        peer.ClearPageContent();
        return text;
    }

    std::unique_ptr<Pagelith> w = PinnedWriter();
    PagelithTestPeer peer{*w};
};

}  // namespace draw_testing
}  // namespace pdf
