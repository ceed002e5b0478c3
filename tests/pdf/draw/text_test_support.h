// Shared by the text tests: a writer with an open page and Arial selected, the content each
// text operation writes, and the writer's text state.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "pdf/pagelith.h"
#include "pdf/pdf_tools.h"

namespace pdf {

class TextTestPeer {
public:
    explicit TextTestPeer(Pagelith& writer) : w(writer) {}
    void WriteTextLine(float x, float y, float width, std::string& text, float indent,
                       int flags, bool newLine)
    {
        w.WriteTextLine(x, y, width, text, indent, flags, newLine);
    }
    std::string PageContent() const { return BufToString(w.mContent.pageBuf); }
    void ClearPageContent() { BufReset(w.mContent.pageBuf); }
    std::string FontName() const { return w.FontResourceName(); }
    float X() const { return w.mText.x; }
    float Y() const { return w.mText.y; }
    std::array<float, 4> LastBox() const { return w.mPageList.lastBox; }
    float PageHeight() const { return w.mGeometry.height; }
    float HorizScaling() const { return w.mText.horizScaling; }
    // The lines and runs of the last rich text.
    const RichTextLayout& RichRuns() const { return w.mTextBoxes.runs; }
    // Underline, overline and strike-through are style bits of the selected font.
    void SetFontStyle(int style) { w.mFont.style = style; }

private:
    Pagelith& w;
};

namespace text_testing {

class TextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = testing_support::OutputPath(
            std::string("text_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf");
        w->BeginDoc(path);
        ASSERT_EQ(w->ErrNumber(), 0);
        int page = 0;
        w->BeginPage(page);
        w->SetFont("Arial", 10, 0, 0);
        Content();
    }
    // Every case leaves a document that qpdf accepts.
    void TearDown() override { testing_support::FinishChecked(*w, path); }

    // What the text operations wrote since the last call.
    std::string Content()
    {
        std::string text = peer.PageContent();
        peer.ClearPageContent();
        return text;
    }

    // The text object of one line as it is written, lines joined by "|".
    std::string TextObject(const std::string& matrix, const std::string& show,
                           const std::string& size = "10")
    {
        return "|BT|" + peer.FontName() + " " + size + " Tf |1 0 0 -1 " + matrix + " Tm|" +
               show + "|ET";
    }

    struct ShownLine {
        std::string x;
        std::string baseline;
        std::string show;  // the operand line, prefix and suffix included
    };

    // The text objects written since the last call, in order.
    std::vector<ShownLine> Shown()
    {
        const std::string content = Content();
        static const std::regex object(
            "\rBT\r[^\r]* Tf \r1 0 0 -1 ([-0-9.]+) ([-0-9.]+) Tm\r([^\r]*)\rET");
        std::vector<ShownLine> lines;
        for (auto it = std::sregex_iterator(content.begin(), content.end(), object);
             it != std::sregex_iterator(); ++it)
            lines.push_back({(*it)[1], (*it)[2], (*it)[3]});
        return lines;
    }

    static std::string Lines(std::string content)
    {
        for (char& c : content)
            if (c == '\r')
                c = '|';
        return content;
    }

    std::unique_ptr<Pagelith> w = testing_support::PinnedWriter();
    TextTestPeer peer{*w};
    std::string path;
};

}  // namespace text_testing
}  // namespace pdf
