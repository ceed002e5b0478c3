// Annotation objects: free-text notes, icons, stamps and file attachments, and the routine
// that writes every annotation, links included.
#include <array>
#include <cmath>

#include "pdf/core/colour.h"
#include "pdf/core/input_file.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr std::array<const char*, 7> kTextIcons{
    {"Note", "Comment", "Help", "Insert", "Key", "Paragraph", "NewParagraph"}};
constexpr std::array<const char*, 14> kStamps{
    {"Approved", "AsIs", "Confidential", "Departmental", "Draft", "Experimental", "Expired",
     "Final", "ForComment", "ForPublicRelease", "NotApproved", "NotForPublicRelease", "Sold",
     "TopSecret"}};
constexpr std::array<const char*, 4> kAttachmentIcons{{"PushPin", "Graph", "Paperclip", "Tag"}};
constexpr int kFirstStamp = 256;
constexpr int kFirstAttachment = 512;

std::string IconName(const char* name)
{
    return std::string("\r /Name /") + name;
}

}  // namespace

int Pagelith::WrittenAnnotFlags(int flags) const
{
    constexpr int kInvisible = 1;
    constexpr int kHidden = 2;
    constexpr int kPrint = 4;
    constexpr int kNoView = 32;
    return mPdfa.on ? (flags | kPrint) & ~(kInvisible | kHidden | kNoView) : flags;
}

int Pagelith::WriteAppearanceStream(float width, float height, const std::string& content,
                                    const std::string& resources)
{
    const int object = BeginObj(0);
    WriteLine("<< /Type /XObject /Subtype /Form /BBox [0 0 " + FormatReal(width) + " " +
              FormatReal(height) + "] /Resources " + resources);
    Bytes data(content.begin(), content.end());
    WriteStream(data, 0, {}, 0, StreamKind::Content);
    EndObj();
    return object;
}

// Completes the dictionary, writes it (with the embedded file right after it) and lists the
// annotation on the page being built, or on the template being recorded.
void Pagelith::WriteAnnotation(std::string dict, const std::string& contents,
                               const std::string& title, const std::string& appearance,
                               const std::string& target, bool embed)
{
    Bytes file;
    if (embed)
        file = ReadWholeFile(target);
    const int object = BeginObj(0);
    if (!title.empty())
        dict += " /T " + PdfDictText(title);
    if (!contents.empty())
        dict += " /Contents " + PdfDictText(contents);
    if (!appearance.empty())
        dict += " /DA " + PdfTextString(appearance);
    if (embed) {
        dict += " /FS << /Type /Filespec /F " + PdfDictText(BareFileName(target)) + " /EF << /F " +
                std::to_string(object + 1) + " 0 R >> >>";
    } else if (StartsWith(target, "file:")) {
        dict += " /A << /Type /Action /S /GoToR /F " + PdfTextString(target.substr(5)) +
                " /D [-1 /XYZ 0 0 0] >> ";
    } else if (!target.empty()) {
        dict += " /A << /S /URI /URI " + PdfTextString(target) + " >> ";
    }
    WriteLine(dict + " >>");
    EndObj();
    if (embed)
        WriteEmbeddedFile(object + 1, file);
    AddAnnotRefs(std::to_string(object) + " 0 R ");
}

void Pagelith::DrawNote(const std::string& text, float x, float y, float w, float h,
                        int alignment, int borderStyle, float dash, float gap, int flags)
{
    RequireFinite({x, y, w, h, dash, gap});
    if (!CanDraw("DrawNote", Landing::Annotation))
        return;
    const float left = x * mGeometry.scale;
    const float top = mGeometry.height - y * mGeometry.scale;
    std::string dict = "<< /Type /Annot /Subtype /FreeText\r/Rect [" + FormatReal(left) + " " +
                       FormatReal(top) + " " + FormatReal(left + w * mGeometry.scale) + " " +
                       FormatReal(top - h * mGeometry.scale) + "]\r /F " +
                       std::to_string(WrittenAnnotFlags(flags));
    if (alignment == 2)
        dict += "\r/Q 2";
    else if (alignment == 4)
        dict += "\r/Q 1";

    // Without an appearance of its own, a reader draws a note in a font of its choosing,
    // which the document may lack, and some readers fail to find the /DA font at all.
    if (mFont.fullName.empty())
        SetFont("Arial", 0, 0, 0);
    dict += NoteAppearance(text, std::abs(w * mGeometry.scale), std::abs(h * mGeometry.scale), alignment,
                           borderStyle, dash, gap);

    std::string appearance = FontResourceName() + " " + FormatReal(mFont.size) + " Tf";
    const std::string lineColour = mColours.noLine ? std::string() : PlainFillOperands(mColours.line);
    if (!lineColour.empty())
        appearance += " " + lineColour + " ";
    const std::string fill = mColours.noFill ? std::string() : PlainComponents(mColours.fill);
    if (!fill.empty())
        dict += "\r/C [" + fill + "]";

    dict += "\r/BS << /Type /Border /W " + FormatReal(mGs.lineWidth);
    switch (borderStyle) {
    case 0: dict += "/S /S"; break;
    case 1: dict += "/S /D /D [" + FormatReal(dash) + " " + FormatReal(gap) + "]"; break;
    case 2: dict += "/S /B"; break;
    case 3: dict += "/S /I"; break;
    case 4: dict += "/S /U"; break;
    default: break;
    }
    dict += ">>\r";
    WriteAnnotation(dict, text, mInfo.author, appearance, {}, false);
}

void Pagelith::DrawPlaceHolder(const std::string& text, int icon, float x, float y, float w,
                               float h, int flags)
{
    RequireFinite({x, y, w, h});
    if (!CanDraw("DrawPlaceHolder", Landing::Annotation))
        return;
    const float left = x * mGeometry.scale;
    const float top = mGeometry.height - y * mGeometry.scale;
    const std::string point = FormatReal(left) + " " + FormatReal(top);
    std::string dict = "<< /Type /Annot\r/F " + std::to_string(WrittenAnnotFlags(flags));
    if (!mColours.noFill)
        NoteColour(mColours.fill);
    const std::string fill = mColours.noFill ? std::string() : PlainComponents(mColours.fill);
    if (!fill.empty())
        dict += "\r/C [" + fill + "]";

    if (icon >= kFirstStamp && icon < kFirstStamp + static_cast<int>(kStamps.size())) {
        dict += "\r/Subtype /Stamp\r/Rect [" + point + " " + FormatReal(left + w * mGeometry.scale) + " " +
                FormatReal(top - h * mGeometry.scale) + "]" + IconName(kStamps[icon - kFirstStamp]);
        WriteAnnotation(dict, text, mInfo.author, {}, {}, false);
    } else if (icon >= kFirstAttachment) {
        const auto bar = text.find('|');
        const std::string path = text.substr(0, bar);
        const std::string description = bar == std::string::npos ? "" : text.substr(bar + 1);
        if (mPdfa.on || !IsReadableFile(path))
            return;
        dict += "\r/Subtype /FileAttachment \r/Rect [" + point + " " + point + "]";
        if (icon < kFirstAttachment + static_cast<int>(kAttachmentIcons.size()))
            dict += IconName(kAttachmentIcons[icon - kFirstAttachment]);
        WriteAnnotation(dict, description, mInfo.author, {}, path, true);
    } else {
        dict += "\r/Subtype /Text\r/Rect [" + point + " " + point + "]";
        if (icon >= 0 && icon < static_cast<int>(kTextIcons.size()))
            dict += IconName(kTextIcons[icon]);
        WriteAnnotation(dict, text, mInfo.author, {}, {}, false);
    }
}

}  // namespace pdf
