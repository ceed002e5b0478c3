// Shared by the font tests: the writer's font records and the content and measuring
// operations that the text operations will build on.
#pragma once

#include <string>

#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/pdf_tools.h"

namespace pdf {

class PagelithTestPeer {
public:
    explicit PagelithTestPeer(Pagelith& writer) : w(writer) {}
    int FontCount() const { return w.mFont.count; }
    const FontRecord& Font(int number) const
    {
        return w.mFont.records[static_cast<std::size_t>(number - 1)];
    }
    int FontIndex() const { return w.mFont.index; }
    std::string FontFullName() const { return w.mFont.fullName; }
    std::string FontName() const { return w.mFont.name; }
    int FontStyle() const { return w.mFont.style; }
    int FontCharset() const { return w.mFont.charset; }
    float FontSize() const { return w.mFont.size; }
    std::string FontRes() const { return w.mResources.fonts; }
    std::string ResPrefix() const { return w.mInfo.resPrefix; }
    int ObjCount() const { return w.mOutput.objCount; }
    std::string FontResourceName() const { return w.FontResourceName(); }
    std::string EncodeText(const std::string& utf8) const { return w.EncodeText(utf8); }
    float GetStringWidth(const std::string& bytes, int fontIndex, float size) const
    {
        return w.GetStringWidth(bytes, fontIndex, size);
    }
    void PutLine(const std::string& line) { w.PutLine(line); }

    // Adds a record as a TrueType loader would and writes its objects.
    int AddTrueTypeFont(const FontRecord& font, const std::string& name, const Bytes& file,
                        int fileLength, const std::string& descriptor)
    {
        w.mFont.records.push_back(font);
        ++w.mFont.count;
        return w.WriteFontObject(name, file, fileLength, descriptor);
    }

private:
    Pagelith& w;
};

namespace font_testing {

// A text-showing line in the page's y-down space, with the current font.
inline std::string ShowText(PagelithTestPeer& peer, float size, float x, float y,
                            const std::string& utf8)
{
    return "BT " + peer.FontResourceName() + " " + std::to_string(static_cast<int>(size)) +
           " Tf 1 0 0 -1 " + std::to_string(static_cast<int>(x)) + " " +
           std::to_string(static_cast<int>(y)) + " Tm (" + EscapeString(peer.EncodeText(utf8)) +
           ") Tj ET";
}

}  // namespace font_testing
}  // namespace pdf
