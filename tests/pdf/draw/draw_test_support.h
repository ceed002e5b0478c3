// Shared by the drawing tests: the content a drawing wrote, the writer's current point and
// last box.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "pdf/pagelith.h"
#include "pdf/pdf_tools.h"

namespace pdf {

// Reaches the writer's state that no public operation exposes.
class PagelithTestPeer {
public:
    explicit PagelithTestPeer(Pagelith& writer) : w(writer) {}
    std::string PageContent() const { return BufToString(w.mContent.pageBuf); }
    void ClearPageContent() { BufReset(w.mContent.pageBuf); }
    void PaintPath(int style) { w.PaintPath(style); }
    // The current point in points.
    float X() const { return w.mText.x; }
    float Y() const { return w.mText.y; }
    std::array<float, 4> LastBox() const { return w.mPageList.lastBox; }
    float PageHeight() const { return w.mGeometry.height; }

private:
    Pagelith& w;
};

namespace draw_testing {

// A writer with an open page whose content each test reads back drawing by drawing.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = testing_support::CaseOutputPath("draw_");
        w->BeginDoc(path);
        ASSERT_EQ(w->ErrNumber(), 0);
        int page = 0;
        w->BeginPage(page);
    }
    // Completes the document once and returns its bytes; every case leaves a document that
    // the readers take.
    std::string Finish()
    {
        finished = true;
        return testing_support::FinishChecked(*w, path);
    }
    void TearDown() override
    {
        if (!finished)
            Finish();
    }

    // What the drawings wrote since the last call.
    std::string Content()
    {
        std::string text = peer.PageContent();
        peer.ClearPageContent();
        return text;
    }

    std::unique_ptr<Pagelith> w = testing_support::PinnedWriter();
    PagelithTestPeer peer{*w};
    std::string path;
    bool finished = false;
};

}  // namespace draw_testing
}  // namespace pdf
