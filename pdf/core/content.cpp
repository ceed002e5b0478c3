// Content lines and the operands they are made of.
#include "pdf/core/number_format.h"
#include "pdf/core/text_string.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

TextBuffer* Pagelith::ContentHere()
{
    return ForContentHere(mContent.templateBuf, mContent.tilingBuf, mContent.pageBuf);
}

bool Pagelith::CanDraw(const char* operation, Landing landing)
{
    bool open = mContent.pageOpen;
    const char* missing = "no page";
    switch (landing) {
    case Landing::Content:
        open = ContentHere() != nullptr;
        missing = "no page, template or tiling cell";
        break;
    case Landing::Annotation:
        open = mContent.inTemplate || mContent.pageOpen;
        missing = "no page or template";
        break;
    case Landing::Field: break;
    }
    if (!open)
        RaiseError(Error(err::kInvalidArgument, "Invalid procedure call or argument"), operation,
                   std::string(missing) + " is open");
    return open;
}

void Pagelith::BeginContent(TextBuffer& content, bool& pathOpen, int& serial)
{
    BufReset(content);
    pathOpen = false;
    serial = ++mContent.serials.Last;
}

int Pagelith::ContentSerialHere() const
{
    const ContentSerials& s = mContent.serials;
    const int* serial = ForContentHere(s.Template, s.Tiling, s.Page);
    return serial ? *serial : 0;
}

// Every content line begins with a carriage return; a line with no content open is dropped.
void Pagelith::PutLine(std::string_view line)
{
    TextBuffer* target = ContentHere();
    if (!target)
        return;
    EndOpenPath(*target, *OpenPathHere());
    BufAppend(*target, "\r");
    BufAppend(*target, line);
}

void Pagelith::SetPrecision(int decimals)
{
    if (decimals >= 0 && decimals <= 6)
        mContent.precision = decimals;
}

std::string Pagelith::FormatCoord(float value) const
{
    return FormatRounded(value * mGeometry.scale, mContent.precision);
}

std::string Pagelith::FormatReal(float value) const
{
    return FormatRounded(value, mContent.precision);
}

std::string Pagelith::FormatColorComponent(int component) const
{
    return FormatRounded(static_cast<float>(component / 255.0), mContent.precision);
}

std::string Pagelith::PdfTextString(std::string_view bytes) const
{
    if (!mProtection.Encrypt || bytes.empty())
        return "(" + EscapeString(bytes) + ")";
    return "(" + EscapeString(mProtection.Cipher.Crypt(ObjectKey(0), std::string(bytes))) + ")";
}

std::string Pagelith::PdfDictText(std::string_view utf8) const
{
    return PdfTextString(EncodeTextString(utf8));
}

}  // namespace pdf
