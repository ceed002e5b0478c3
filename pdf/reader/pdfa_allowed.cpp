// The walk of what a page draws, proving each part allowed under PDF/A-1b or ending the
// claim: it passes only what it knows, so what it has never met counts as forbidden.
#include "pdf/reader/pdfa_allowed.h"

#include <array>
#include <set>
#include <string_view>
#include <utility>

#include "pdf/reader/lexer.h"

namespace pdf {

namespace {

// Parts judged inside one another deeper than this (resources holding forms or Type 3 fonts
// whose resources hold more, colour spaces over colour spaces) are not followed, and end the
// claim: no sound page nests so deep, and the walk must not exhaust the stack.
constexpr int kMaxNesting = 256;

// The operators of content streams that PDF/A-1b allows with an RGB output intent: every
// operator of PDF 1.4 but those that set DeviceCMYK colours (k, K) and PostScript (PS).
bool IsAllowedOperator(std::string_view op)
{
    static const std::set<std::string_view> allowed{
        "b",  "B",  "b*", "B*", "BDC", "BI", "BMC", "BT", "BX", "c",  "cm", "CS", "cs", "d",
        "d0", "d1", "Do", "DP", "EMC", "ET", "EX",  "f",  "F",  "f*", "G",  "g",  "gs", "h",
        "i",  "j",  "J",  "l",  "m",   "M",  "MP",  "n",  "q",  "Q",  "re", "RG", "rg", "ri",
        "s",  "S",  "SC", "sc", "SCN", "scn", "sh", "T*", "Tc", "Td", "TD", "Tf", "Tj", "TJ",
        "TL", "Tm", "Tr", "Ts", "Tw",  "Tz", "v",   "w",  "W",  "W*", "y",  "'",  "\""};
    return allowed.count(op) != 0;
}

bool IsRenderingIntent(const Value& intent)
{
    return intent.IsName("RelativeColorimetric") || intent.IsName("AbsoluteColorimetric") ||
           intent.IsName("Perceptual") || intent.IsName("Saturation");
}

// Colour spaces given by name: the device spaces our RGB intent covers, and Pattern.
bool IsAllowedSpaceName(const Value& name)
{
    return name.IsName("DeviceGray") || name.IsName("DeviceRGB") || name.IsName("Pattern");
}

// An image filter PDF/A-1b refuses: LZW, and JPEG 2000.
bool IsForbiddenFilter(const Value& filter)
{
    if (filter.Is(Value::kArray)) {
        for (const Value& item : filter.Items()) {
            if (IsForbiddenFilter(item))
                return true;
        }
        return false;
    }
    return filter.IsName("LZWDecode") || filter.IsName("LZW") || filter.IsName("JPXDecode");
}

// A content token that is an operand: a number, true, false or null, or a value of
// another kind.
bool IsOperandWord(std::string_view word)
{
    const char first = word.front();
    return (first >= '0' && first <= '9') || first == '+' || first == '-' || first == '.' ||
           word == "true" || word == "false" || word == "null";
}

class AllowedWalk {
public:
    explicit AllowedWalk(const PdfaSource& source) : mSource(source) {}

    bool Page(const Value& page, const Value& resources, const std::optional<Bytes>& content)
    {
        return content && !Transparent(At(page.Get("Group"))) && Resources(resources) &&
               Content(*content, At(resources));
    }

private:
    // What a shared object is judged as: the same object may serve twice as the same thing
    // (a descriptor of two fonts) and is judged once, or as two things, judged as each.
    enum Role { kResources, kFont, kDescriptor, kDescendants, kState, kXObject, kPattern,
                kShading, kSpace, kFunction, kGlyphs };

    Value At(const Value& value) const { return Resolve(value, mSource.lookup); }

    // The judgement of the value, resolved, with the number of its object (0 for a direct
    // value); of an object judged before as the same, its verdict.  A walk ends at the
    // first part it cannot allow, so an object met again passed or is being judged.
    template <class Judge>
    bool Once(Role role, const Value& value, Judge judge)
    {
        if (value.Is(Value::kReference) && !mJudged.insert({role, value.ReferenceNumber()}).second)
            return true;
        if (mNesting >= kMaxNesting)
            return false;
        ++mNesting;
        const bool allowed = value.Is(Value::kReference) ? judge(At(value), value.ReferenceNumber())
                                                         : judge(value, 0);
        --mNesting;
        return allowed;
    }

    template <class Check>
    bool EachValue(const Value& dictionary, Check check)
    {
        for (const auto& entry : At(dictionary).Entries()) {
            if (!check(entry.second))
                return false;
        }
        return true;
    }

    static bool Transparent(const Value& group) { return group.Get("S").IsName("Transparency"); }

    // The content of a stream object drawn with `resources`.
    bool StreamContent(int number, const Value& resources)
    {
        if (number == 0)
            return false;
        const std::optional<Bytes> data = mSource.streamData(number);
        return data && Content(*data, resources);
    }

    bool Resources(const Value& resources)
    {
        return Once(kResources, resources, [&](const Value& dictionary, int) {
            if (dictionary.Is(Value::kNull))
                return true;
            if (!dictionary.Is(Value::kDictionary))
                return false;
            for (const auto& [kind, entries] : dictionary.Entries()) {
                bool allowed = true;
                if (kind == "Font")
                    allowed = EachValue(entries, [&](const Value& v) { return Font(v, dictionary); });
                else if (kind == "ExtGState")
                    allowed = EachValue(entries, [&](const Value& v) { return State(v, dictionary); });
                else if (kind == "XObject")
                    allowed = EachValue(entries, [&](const Value& v) { return XObject(v, dictionary); });
                else if (kind == "Pattern")
                    allowed = EachValue(entries, [&](const Value& v) { return Pattern(v); });
                else if (kind == "ColorSpace")
                    allowed = EachValue(entries, [&](const Value& v) { return Space(v); });
                else if (kind == "Shading")
                    allowed = EachValue(entries, [&](const Value& v) { return Shading(v); });
                else if (kind == "Properties")
                    allowed = EachValue(entries, [&](const Value& v) { return Property(At(v)); });
                else
                    allowed = kind == "ProcSet";
                if (!allowed)
                    return false;
            }
            return true;
        });
    }

    // A font whose glyphs are embedded; a Type 3 font's glyphs drawn with its resources or,
    // without them, those of where it is used.
    bool Font(const Value& value, const Value& around)
    {
        return Once(kFont, value, [&](const Value& font, int) {
            const Value& subtype = font.Get("Subtype");
            if (subtype.IsName("Type3")) {
                const Value own = At(font.Get("Resources"));
                const Value& resources = own.Is(Value::kDictionary) ? own : around;
                return Resources(font.Get("Resources")) &&
                       Once(kGlyphs, font.Get("CharProcs"), [&](const Value& procs, int) {
                           for (const auto& entry : procs.Entries()) {
                               if (!StreamContent(entry.second.ReferenceNumber(), resources))
                                   return false;
                           }
                           return true;
                       });
            }
            if (subtype.IsName("Type0")) {
                return Once(kDescendants, font.Get("DescendantFonts"), [&](const Value& fonts, int) {
                    if (fonts.Items().size() != 1)
                        return false;
                    return Font(fonts.Items()[0], around);
                });
            }
            if (subtype.IsName("CIDFontType2") && !font.Has("CIDToGIDMap"))
                return false;
            if (!subtype.IsName("Type1") && !subtype.IsName("MMType1") &&
                !subtype.IsName("TrueType") && !subtype.IsName("CIDFontType0") &&
                !subtype.IsName("CIDFontType2"))
                return false;
            return Once(kDescriptor, font.Get("FontDescriptor"), [&](const Value& descriptor, int) {
                if (descriptor.Has("FontFile") || descriptor.Has("FontFile2"))
                    return true;
                const Value program = At(descriptor.Get("FontFile3"));
                return program.Get("Subtype").IsName("Type1C") ||
                       program.Get("Subtype").IsName("CIDFontType0C");
            });
        });
    }

    // A graphics state that is opaque, blends normally, transfers colours unchanged and
    // keeps the halftone of the device; every key one this walk knows.
    bool State(const Value& value, const Value& around)
    {
        return Once(kState, value, [&](const Value& state, int) {
            if (!state.Is(Value::kDictionary))
                return false;
            for (const auto& [key, entry] : state.Entries()) {
                const Value v = At(entry);
                bool allowed = true;
                if (key == "CA" || key == "ca")
                    allowed = v.IsNumber() && v.Number() >= 1;
                else if (key == "SMask")
                    allowed = v.IsName("None");
                else if (key == "BM")
                    allowed = v.IsName("Normal") || v.IsName("Compatible") ||
                              (v.Items().size() == 1 &&
                               (At(v.Items()[0]).IsName("Normal") || At(v.Items()[0]).IsName("Compatible")));
                else if (key == "TR2" || key == "HT")
                    allowed = v.IsName("Default");
                else if (key == "RI")
                    allowed = IsRenderingIntent(v);
                else if (key == "AIS")
                    allowed = !v.Boolean();
                else if (key == "Font")
                    allowed = !v.Items().empty() && Font(v.Items()[0], around);
                else
                    allowed = key == "Type" || key == "LW" || key == "LC" || key == "LJ" ||
                              key == "ML" || key == "D" || key == "OP" || key == "op" ||
                              key == "OPM" || key == "FL" || key == "SM" || key == "SA" ||
                              key == "BG" || key == "BG2" || key == "UCR" || key == "UCR2" ||
                              key == "TK";
                if (!allowed)
                    return false;
            }
            return true;
        });
    }

    bool XObject(const Value& value, const Value& around)
    {
        return Once(kXObject, value, [&](const Value& object, int number) {
            if (object.Get("Subtype").IsName("Image"))
                return Image(object);
            if (!object.Get("Subtype").IsName("Form") || Transparent(At(object.Get("Group"))) ||
                object.Has("OPI") || object.Has("PS") || object.Has("Ref") ||
                object.Get("Subtype2").IsName("PS"))
                return false;
            const Value own = At(object.Get("Resources"));
            return Resources(object.Get("Resources")) &&
                   StreamContent(number, own.Is(Value::kDictionary) ? own : around);
        });
    }

    // An image of an allowed colour space (or a stencil mask), neither interpolated nor
    // masked softly, nor coded in a filter PDF/A-1b refuses.
    bool Image(const Value& image)
    {
        if (At(image.Get("Interpolate")).Boolean() || image.Has("SMask") ||
            image.Has("Alternates") || image.Has("OPI") || IsForbiddenFilter(At(image.Get("Filter"))))
            return false;
        if (image.Has("Intent") && !IsRenderingIntent(At(image.Get("Intent"))))
            return false;
        const Value mask = image.Get("Mask");
        if (mask.Is(Value::kReference) && !XObject(mask, Value::Null()))
            return false;
        return At(image.Get("ImageMask")).Boolean() || Space(image.Get("ColorSpace"));
    }

    bool Pattern(const Value& value)
    {
        return Once(kPattern, value, [&](const Value& pattern, int number) {
            const Value type = At(pattern.Get("PatternType"));
            if (type.Integer() == 2)
                return Shading(pattern.Get("Shading")) &&
                       (!pattern.Has("ExtGState") || State(pattern.Get("ExtGState"), Value::Null()));
            return type.Integer() == 1 && Resources(pattern.Get("Resources")) &&
                   StreamContent(number, At(pattern.Get("Resources")));
        });
    }

    bool Shading(const Value& value)
    {
        return Once(kShading, value, [&](const Value& shading, int) {
            return Space(shading.Get("ColorSpace")) &&
                   (!shading.Has("Function") || Function(shading.Get("Function")));
        });
    }

    // Sampled, exponential and stitching functions; PDF/A-1b refuses PostScript ones.
    bool Function(const Value& value)
    {
        return Once(kFunction, value, [&](const Value& function, int) {
            if (function.Is(Value::kArray)) {
                for (const Value& item : function.Items()) {
                    if (!Function(item))
                        return false;
                }
                return true;
            }
            const std::int64_t type = At(function.Get("FunctionType")).Integer();
            if (type == 3)
                return Function(function.Get("Functions"));
            return (type == 0 || type == 2) && function.Has("FunctionType");
        });
    }

    // A colour space our RGB intent covers, or one a profile or calibration defines.
    bool Space(const Value& value)
    {
        return Once(kSpace, value, [&](const Value& space, int) {
            if (space.Is(Value::kName))
                return IsAllowedSpaceName(space);
            const std::vector<Value>& items = space.Items();
            if (items.empty())
                return false;
            const Value family = At(items[0]);
            if (family.IsName("ICCBased") || family.IsName("CalGray") ||
                family.IsName("CalRGB") || family.IsName("Lab"))
                return items.size() == 2;
            if (family.IsName("Indexed") || family.IsName("I"))
                return items.size() == 4 && Space(items[1]);
            if (family.IsName("Pattern"))
                return items.size() == 1 || Space(items[1]);
            if (family.IsName("Separation"))
                return items.size() == 4 && Space(items[2]) && Function(items[3]);
            if (family.IsName("DeviceN")) {
                if (items.size() < 4 || items.size() > 5 || !Space(items[2]) || !Function(items[3]))
                    return false;
                return items.size() == 4 ||
                       EachValue(At(items[4]).Get("Colorants"), [&](const Value& v) { return Space(v); });
            }
            return false;
        });
    }

    // Marked-content properties: anything but optional content, which PDF/A-1b refuses.
    static bool Property(const Value& property)
    {
        return !property.Get("Type").IsName("OCG") && !property.Get("Type").IsName("OCMD");
    }

    // Whether the resources hold an entry of the kind and name a content operand names.
    bool HasResource(const Value& resources, std::string_view kind, const Value& name) const
    {
        return name.Is(Value::kName) && At(resources.Get(kind)).Has(name.Bytes());
    }

    // An inline image's dictionary, its abbreviations read as readers read them.
    bool InlineImage(const Value& image, const Value& resources)
    {
        const auto get = [&](std::string_view full, std::string_view brief) {
            return image.Has(full) ? image.Get(full) : image.Get(brief);
        };
        if (get("Interpolate", "I").Boolean() || IsForbiddenFilter(get("Filter", "F")))
            return false;
        if (image.Has("Intent") && !IsRenderingIntent(image.Get("Intent")))
            return false;
        return get("ImageMask", "IM").Boolean() || InlineSpace(get("ColorSpace", "CS"), resources);
    }

    // An inline image's colour space: a device space by its short name or its own, one of
    // the resources, or an indexed space over one of these.
    bool InlineSpace(const Value& space, const Value& resources)
    {
        if (space.Is(Value::kName)) {
            if (space.IsName("G") || space.IsName("RGB") || IsAllowedSpaceName(space))
                return true;
            return !space.IsName("CMYK") && !space.IsName("DeviceCMYK") &&
                   HasResource(resources, "ColorSpace", space);
        }
        const std::vector<Value>& items = space.Items();
        if (items.size() == 4 && (items[0].IsName("I") || items[0].IsName("Indexed")))
            return InlineSpace(items[1], resources);
        return Space(space);
    }

    // Each operator of the content, and each resource its operands name, allowed.
    bool Content(const Bytes& bytes, const Value& resources)
    {
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        std::vector<SyntaxToken> operands;
        std::size_t at = 0;
        while (true) {
            const SyntaxToken token = NextValue(text, at);
            at = token.end;
            if (token.kind == SyntaxToken::kNone)
                return true;
            if (token.kind == SyntaxToken::kComment)
                continue;
            if (token.kind == SyntaxToken::kStray || token.kind == SyntaxToken::kReference)
                return false;
            const std::string_view word = token.In(text);
            if (token.kind != SyntaxToken::kWord || IsOperandWord(word)) {
                operands.push_back(token);
                continue;
            }
            if (!IsAllowedOperator(word))
                return false;
            const Value last = operands.empty() ? Value() : ParseValue(operands.back().In(text));
            bool allowed = true;
            if (word == "cs" || word == "CS")
                allowed = IsAllowedSpaceName(last) || HasResource(resources, "ColorSpace", last);
            else if (word == "gs")
                allowed = HasResource(resources, "ExtGState", last);
            else if (word == "Do")
                allowed = HasResource(resources, "XObject", last);
            else if (word == "sh")
                allowed = HasResource(resources, "Shading", last);
            else if (word == "ri")
                allowed = IsRenderingIntent(last);
            else if (word == "Tf")
                allowed = operands.size() >= 2 &&
                          HasResource(resources, "Font", ParseValue(operands[operands.size() - 2].In(text)));
            else if ((word == "BDC" || word == "DP") && last.Is(Value::kName))
                allowed = HasResource(resources, "Properties", last);
            else if (word == "BDC" || word == "DP")
                allowed = Property(last);
            else if (word == "BI")
                allowed = SkipInlineImage(text, at, resources);
            if (!allowed)
                return false;
            operands.clear();
        }
    }

    // The inline image that begins at `at` (after "BI"), judged and passed over: its
    // dictionary up to "ID", then its data up to an "EI" between white space.
    bool SkipInlineImage(std::string_view text, std::size_t& at, const Value& resources)
    {
        const std::size_t start = at;
        while (true) {
            const SyntaxToken token = NextValue(text, at);
            if (token.kind == SyntaxToken::kNone)
                return false;
            at = token.end;
            if (token.kind == SyntaxToken::kWord && token.In(text) == "ID")
                break;
        }
        const std::string dictionary = "<<" + std::string(text.substr(start, at - 2 - start)) + ">>";
        if (!InlineImage(ParseValue(dictionary), resources))
            return false;
        for (std::size_t k = at + 1; k + 1 < text.size(); ++k) {
            if (text[k] == 'E' && text[k + 1] == 'I' && IsWhite(text[k - 1]) &&
                (k + 2 == text.size() || IsWhite(text[k + 2]))) {
                at = k + 2;
                return true;
            }
        }
        return false;
    }

    const PdfaSource& mSource;
    std::set<std::pair<Role, int>> mJudged;
    int mNesting = 0;
};

}  // namespace

bool UsesOnlyPdfaAllowed(const Value& page, const Value& resources,
                         const std::optional<Bytes>& content, const PdfaSource& source)
{
    return AllowedWalk(source).Page(page, resources, content);
}

}  // namespace pdf
