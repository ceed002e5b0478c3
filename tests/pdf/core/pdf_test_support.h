// Shared by the core tests: the writer's internals, and the tools of pdf/pdf_tools.h.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "pdf/pagelith.h"
#include "pdf/pdf_tools.h"

namespace pdf {

// Reaches the writer's internals that no public operation exposes yet.
class PagelithTestPeer {
public:
    explicit PagelithTestPeer(Pagelith& writer) : w(writer) {}
    int BeginObj(int number) { return w.BeginObj(number); }
    void EndObj() { w.EndObj(); }
    void WriteLine(const std::string& text) { w.WriteLine(text); }
    void WriteStream(Bytes& data, std::string_view filter, StreamKind kind,
                     std::string_view parms = {})
    {
        w.WriteStream(data, 0, filter, 0, kind, parms);
    }
    int WriteStreamObject(const std::string& text) { return w.WriteStreamObject(text); }
    int ObjCount() const { return w.mObjCount; }
    void PutLine(const std::string& line) { w.PutLine(line); }
    void SetRecording(bool inObject, bool inTiling)
    {
        w.mInObject = inObject;
        w.mInTiling = inTiling;
    }
    std::string PageContent() const { return BufToString(w.mPageBuf); }
    std::string TemplateContent() const { return BufToString(w.mObjBuf); }
    std::string TilingContent() const { return BufToString(w.mTileBuf); }
    std::string FormatCoord(float v) const { return w.FormatCoord(v); }
    std::string FormatColorComponent(int c) const { return w.FormatColorComponent(c); }
    std::string ResPrefix() const { return w.mResPrefix; }
    std::string FillColour() const { return w.mColorFill; }
    bool NoFill() const { return w.mNoFill; }
    int BookmarkCount() const { return static_cast<int>(w.mBookmarks.size()); }
    const BookmarkRecord& Bookmark(int number) const
    {
        return w.mBookmarks[static_cast<std::size_t>(number - 1)];
    }
    float PageHeight() const { return w.mPageHeight; }
    const FormFields& Form() const { return w.mForm; }

    // Graphics and text state.
    void ClearPageContent() { BufReset(w.mPageBuf); }
    std::string ExtGStateRes() const { return w.mExtGStateRes; }
    int GsDepth() const { return static_cast<int>(w.mGsStack.size()); }
    float LineWidth() const { return w.mLineWidth; }
    float Scale() const { return w.mScale; }
    std::string LineColour() const { return w.mColorLine; }
    std::string TextColour() const { return w.mColorText; }
    int FontCount() const { return w.mFontCount; }
    std::string FontName() const { return w.mFontName; }
    float FontSize() const { return w.mFontSize; }
    float LineSpacing() const { return w.mLineSpacing; }
    const BoxStyle& Box() const { return w.mBoxStyle; }
    int TextTagCount() const { return w.mTextTagCount; }
    const TextTagRecord& TextTag(int number) const
    {
        return w.mTextTags[static_cast<std::size_t>(number - 1)];
    }

    // Templates and tiling patterns.
    void AddAnnotRefs(const std::string& refs) { w.AddAnnotRefs(refs); }
    void StartTiling(const std::string& name, const std::string& dictionary)
    {
        w.mInTiling = true;
        w.mTilingName = name;
        w.mTilingRes = dictionary;
        BufReset(w.mTileBuf);
    }

private:
    Pagelith& w;
};

namespace testing_support {

// What mutool shows at a path of the document's objects (array items count from 1); a
// stream's data alone, decoded, when `data`.
inline std::string Show(const std::string& path, const std::string& what, bool data = false)
{
    return RunTool(std::string("mutool show ") + (data ? "-b '" : "'") + path + "' '" + what +
                   "'")
        .output;
}

// A document begun for each case in a file of its own name ("<kind>_<case>.pdf"), with a
// page open.
class DocumentTest : public ::testing::Test {
protected:
    explicit DocumentTest(std::string kind) : mKind(std::move(kind)) {}
    void SetUp() override
    {
        writer = PinnedWriter();
        path = CaseOutputPath(mKind);
        writer->BeginDoc(path);
        prefix = PagelithTestPeer(*writer).ResPrefix();
        NewPage();
    }
    void NewPage()
    {
        int page = 0;
        writer->BeginPage(page);
    }
    std::string Finish()
    {
        return FinishChecked(*writer, path);
    }

    std::unique_ptr<Pagelith> writer;
    std::string prefix;
    std::string path;

private:
    std::string mKind;
};

}  // namespace testing_support
}  // namespace pdf
