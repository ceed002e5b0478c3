// The PDF objects of a font, written once when its record is made.
#include <algorithm>
#include <string_view>
#include <vector>

#include "pdf/core/text_buffer.h"
#include "pdf/core/text_utils.h"
#include "pdf/fonts/font_encoding.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

std::string WidthsArray(const FontRecord& font)
{
    TextBuffer buffer;
    BufReset(buffer);
    BufAppend(buffer, "/Widths [");
    for (int code = 32; code < 256; ++code) {
        BufAppend(buffer, std::to_string(font.Widths[static_cast<std::size_t>(code)]) + " ");
        if ((code + 1) % 16 == 0)
            BufAppend(buffer, "\r");
    }
    BufAppend(buffer, "]");
    return BufToString(buffer);
}

// The name with letters, digits and the "," and "-" of styles and charsets only.  A form
// field's default appearance names its font as written, and readers compare that text
// with the resource names without undoing the escapes that other characters would need.
std::string PlainResource(std::string_view name)
{
    std::string plain;
    for (const char c : name) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == ',' || c == '-')
            plain += c;
    }
    return plain;
}

// The plain name, or with a number after it when another font holds it already.
std::string UnusedResource(const std::vector<FontRecord>& fonts, std::string_view resourceName)
{
    const std::string name = PlainResource(resourceName);
    std::string unused = name;
    for (int n = 2;; ++n) {
        const bool held = std::any_of(fonts.begin(), fonts.end() - 1, [&](const FontRecord& f) {
            return f.Resource == unused;
        });
        if (!held)
            return unused;
        unused = name + "_" + std::to_string(n);
    }
}

}  // namespace

// Writes the newest record: a Type 1 dictionary for a built-in font, with its widths when
// it names glyphs through /Differences; for a TrueType font its dictionary with the
// widths, a descriptor and, when the file's length is not 0, the file embedded whole.  The
// font joins the /Font resources once all of it is written, under a name no other font has.
int Pagelith::WriteFontObject(const std::string& resourceName, const Bytes& fontFile,
                              int fontFileLength, const std::string& descriptor)
{
    FontRecord& font = mFont.records[static_cast<std::size_t>(mFont.count - 1)];
    font.Resource = UnusedResource(mFont.records, resourceName);
    font.Embedded = font.IsTrueType && fontFileLength != 0;
    const std::string name = EscapeName(mInfo.resPrefix + font.Resource);

    const int number = BeginObj(0);
    WriteLine(std::string("<< /Type /Font /Subtype /") + (font.IsTrueType ? "TrueType" : "Type1") +
              " /Name /" + name + " /BaseFont /" + EscapeName(font.BaseFont) +
              " /FirstChar 32 /LastChar 255");
    if (!HasBuiltinEncoding(font)) {
        const std::string differences =
            font.Differences.empty() ? std::string() : "/Differences " + font.Differences;
        WriteLine("/Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding " + differences +
                  " >>");
    }
    if (!font.IsTrueType) {
        // Readers know the widths of the Western glyphs only: without these, the Cyrillic
        // or Greek glyphs of a font that is not embedded may be drawn over one another.
        if (!font.Differences.empty())
            WriteLine(WidthsArray(font));
        WriteLine(" >>");
        EndObj();
    } else {
        WriteLine("/FontDescriptor " + std::to_string(number + 1) + " 0 R\r" +
                  WidthsArray(font) + "\r>>");
        EndObj();
        const int descriptorObject = BeginObj(0);
        WriteLine("<< /Type /FontDescriptor /FontName /" + EscapeName(font.BaseFont) + " " +
                  descriptor + " ");
        if (fontFileLength == 0) {
            WriteLine(" >>");
            EndObj();
        } else {
            WriteLine("/FontFile2 " + std::to_string(descriptorObject + 1) + " 0 R >>");
            EndObj();
            BeginObj(0);
            WriteLine("<<");
            Bytes data = fontFile;
            WriteStream(data, 0, {}, fontFileLength, StreamKind::EmbeddedFile);
            EndObj();
        }
    }
    mResources.fonts += "/" + name + " " + std::to_string(number) + " 0 R ";
    return number;
}

}  // namespace pdf
