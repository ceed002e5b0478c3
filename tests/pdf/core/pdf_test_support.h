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
    int ObjCount() const { return w.mOutput.objCount; }
    void PutLine(const std::string& line) { w.PutLine(line); }
    void SetRecording(bool inObject, bool inTiling)
    {
        w.mContent.inTemplate = inObject;
        w.mContent.inTiling = inTiling;
    }
    std::string PageContent() const { return BufToString(w.mContent.pageBuf); }
    std::string TemplateContent() const { return BufToString(w.mContent.templateBuf); }
    std::string TilingContent() const { return BufToString(w.mContent.tilingBuf); }
    std::string FormatCoord(float v) const { return w.FormatCoord(v); }
    std::string FormatColorComponent(int c) const { return w.FormatColorComponent(c); }
    std::string ResPrefix() const { return w.mInfo.resPrefix; }
    std::string FillColour() const { return w.mColours.fill; }
    bool NoFill() const { return w.mColours.noFill; }
    int BookmarkCount() const { return static_cast<int>(w.mNav.bookmarks.size()); }
    const BookmarkRecord& Bookmark(int number) const
    {
        return w.mNav.bookmarks[static_cast<std::size_t>(number - 1)];
    }
    float PageHeight() const { return w.mGeometry.height; }
    const FormFields& Form() const { return w.mForm; }

    // Graphics and text state.
    void ClearPageContent() { BufReset(w.mContent.pageBuf); }
    std::string ExtGStateRes() const { return w.mResources.extGStates; }
    int GsDepth() const { return static_cast<int>(w.mGs.stack.size()); }
    float LineWidth() const { return w.mGs.lineWidth; }
    float Scale() const { return w.mGeometry.scale; }
    std::string LineColour() const { return w.mColours.line; }
    std::string TextColour() const { return w.mColours.text; }
    int FontCount() const { return w.mFont.count; }
    std::string FontName() const { return w.mFont.name; }
    float FontSize() const { return w.mFont.size; }
    float LineSpacing() const { return w.mText.lineSpacing; }
    const BoxStyle& Box() const { return w.mTextBoxes.style; }
    int TextTagCount() const { return w.mTextBoxes.tagCount; }
    const TextTagRecord& TextTag(int number) const
    {
        return w.mTextBoxes.tags[static_cast<std::size_t>(number - 1)];
    }

    // Templates and tiling patterns.
    void AddAnnotRefs(const std::string& refs) { w.AddAnnotRefs(refs); }
    void StartTiling(const std::string& name, const std::string& dictionary)
    {
        w.mContent.inTiling = true;
        w.mContent.tiling.name = name;
        w.mContent.tiling.res = dictionary;
        BufReset(w.mContent.tilingBuf);
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
