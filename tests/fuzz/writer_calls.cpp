// Sequences of the writer's public calls in any order, with plausible arguments and ones at
// the edges: each call ends normally or with a pdf::Error, never with a crash, another
// exception, a hang or unbounded memory.
//
// The bytes are read call by call: one byte chooses the call (its place in kCalls, modulo
// their number), then each argument takes the bytes its kind reads (Choices below).  Bytes
// missing at the end read as 0.  With WRITER_CALLS_TRACE set in the environment, each call
// is printed with its arguments before it runs, to turn a finding into a sequence of calls.
#include "pdf/pagelith.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "memory_file.h"
#include "pdf/codec/checksums.h"
#include "pdf/codec/filters.h"

namespace {

constexpr int kMaxCalls = 300;

// Texts that mean something to some call: font families, colours, dash patterns, link
// targets, layer names, rich text, barcode data, image names, and text in the charsets
// the fonts know.  Names recur so that what one call defines another can use.
const char* const kTexts[] = {
    "",
    "Tpl",
    "tile",
    "grad",
    "Arial",
    "Helvetica",
    "Times",
    "TimesNewRoman",
    "Courier",
    "Symbol",
    "ZapfDingbats",
    "Unknown Face",
    "Zoë à l’été, œuvre",
    "Ελληνικά κείμενα",
    "Русский текст",
    "Łódź Ćma Żółw",
    "İstanbul ğüş",
    "Rīga Ķemeri",
    "€ ∞ ✓ 漢字 \xF0\x9F\x98\x80",
    "\xff\xfe\xc3 bad utf8",
    "Black",
    "Blue",
    "#FF0000",
    "#00FF0080",
    "grad|Red",
    "tile|Blue",
    "%50",
    "DASH",
    "DOT",
    "DASHDOTDOT",
    "1;2;0.5",
    "http://example.com/a?b=c",
    "mailto:a@b.c",
    "script:app.alert('x');",
    "ref:here",
    "page:2",
    "page:#NEXT",
    "page:-1",
    "bookmark:@2",
    "layer:ON(L1) OFF(L2) TOGGLE(L1)",
    "file:other.pdf",
    "here",
    "L1",
    "L2",
    "L1,L2",
    "SCREEN",
    "PRINTER",
    "<b>bold <i>both</i></b> plain </b> <big>big",
    "b",
    "i",
    "big",
    "123456789012",
    "1234567",
    "12345-6789",
    "CODE-39 $%",
    "line one\nline two\r\nthree\tfour",
    "a b  c   d    e",
    "a.png",
    "a.bmp",
    "a.gif",
    "a.tga",
    "a.jpg",
    "a.eps",
    "a.wmf",
    "nom",
    "nom.sous",
    "Tpl|x",
    "(parens) \\back) (",
    "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN"
    "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN",
};
constexpr int kTextCount = static_cast<int>(std::size(kTexts));

// Character sets first, then flags and numbers at the edges.
const int kInts[] = {
    161,   162,    186,   204,     238,     255,     256,   511,    1024,  4095,
    4096,  8191,   32767, 32768,   -32768,  65535,   65536, 1 << 20, INT_MAX, INT_MIN,
    -1000, 100000, 129,   130,     131,     133,     135,   240,    254,   4096 + 4 + 16,
};
constexpr int kIntCount = static_cast<int>(std::size(kInts));

// Scales and ratios first, then numbers at the edges and odd fractions.
const float kReals[] = {
    1,       2,        -1,     0.5f,    -0.5f,     0.001f,  1e-5f,    1e-30f,  1e30f,
    -1e30f,  1e38f,    -1e38f, FLT_MAX, FLT_MIN,   32767,   32768,    -32768,  40000,
    -40000,  14400,    1e9f,   NAN,     INFINITY,  -INFINITY, -0.0f,  0.0001f, 595,
    842,     1000,     100000, 2e7f,    4e7f,      0.55f,   360,      720,     -360,
    1e6f,    1e-7f,    3.3e-39f, 0.3333f, 99.999f, 12.5f,   -12.5f,   7.25f,   1e15f,
    -1e15f,  2.5f,     4e-45f, 1e20f,   -1e-20f,   123456.7f, 8.5e37f, -7.5f,  33,
    -33,     66,       150,    0.1f,    0.9f,      10.5f,   0.25f,    1.75f,   3.5f,
    512,     -512,     2048,   -2048,
};
constexpr int kRealCount = static_cast<int>(std::size(kReals));

// The arguments of the calls, read from the input.
class Choices {
public:
    Choices(const std::uint8_t* data, std::size_t size, bool trace)
        : mData(data), mSize(size), mTrace(trace)
    {
    }

    bool Done() const { return mAt >= mSize; }

    std::uint8_t Byte() { return mAt < mSize ? mData[mAt++] : 0; }

    // 0-191: -32 to 159; then values at the edges; then single bits.
    int Int()
    {
        const int b = Byte();
        const int value = b < 192 ? b - 32 : b < 224 ? kInts[(b - 192) % kIntCount]
                                                     : static_cast<int>(1u << (b - 224));
        Note(std::to_string(value));
        return value;
    }

    // 0-159: -100 to 536 in steps of 4; then values at the edges and odd fractions.
    float Real()
    {
        const int b = Byte();
        const float value =
            b < 160 ? static_cast<float>(b * 4 - 100) : kReals[(b - 160) % kRealCount];
        Note(std::to_string(value));
        return value;
    }

    bool Flag()
    {
        const bool value = (Byte() & 1) != 0;
        Note(value ? "true" : "false");
        return value;
    }

    // Below kTextCount: a text of kTexts; else a length byte and that many bytes, up to 63.
    std::string Text()
    {
        const int b = Byte();
        std::string value;
        if (b < kTextCount) {
            value = kTexts[b];
        } else {
            const int length = Byte() % 64;
            for (int i = 0; i < length; ++i)
                value += static_cast<char>(Byte());
        }
        Note("\"" + value + "\"");
        return value;
    }

    std::vector<float> Reals()
    {
        std::vector<float> values(Byte() % 9);
        for (float& v : values)
            v = Real();
        return values;
    }

    // Raw bytes, up to 255.
    pdf::Bytes Data()
    {
        pdf::Bytes value(Byte());
        for (std::uint8_t& b : value)
            b = Byte();
        Note(std::to_string(value.size()) + " bytes");
        return value;
    }

    // An argument of type T, read as its kind is.
    template <class T>
    T Next()
    {
        if constexpr (std::is_same_v<T, int>)
            return Int();
        else if constexpr (std::is_same_v<T, float>)
            return Real();
        else if constexpr (std::is_same_v<T, bool>)
            return Flag();
        else if constexpr (std::is_same_v<T, std::string>)
            return Text();
        else if constexpr (std::is_same_v<T, std::vector<float>>)
            return Reals();
        else if constexpr (std::is_same_v<T, pdf::Bytes>)
            return Data();
        else
            static_assert(sizeof(T) == 0, "an argument of a kind Choices does not read");
    }

    void Note(const std::string& argument)
    {
        if (mTrace)
            mArguments += (mArguments.empty() ? "" : ", ") + argument;
    }
    std::string TakeArguments() { return std::exchange(mArguments, {}); }

private:
    const std::uint8_t* mData;
    std::size_t mSize;
    std::size_t mAt = 0;
    bool mTrace;
    std::string mArguments;
};

void AppendBE(pdf::Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendLE(pdf::Bytes& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void AppendChunk(pdf::Bytes& png, const char* type, pdf::Bytes body)
{
    AppendBE(png, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    AppendBE(png, pdf::Crc32(std::span(png).subspan(start)));
}

// A sound 2 x 2 RGB PNG.
pdf::Bytes SmallPng()
{
    pdf::Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AppendChunk(png, "IHDR", {0, 0, 0, 2, 0, 0, 0, 2, 8, 2, 0, 0, 0});
    pdf::Bytes rows = {0, 255, 0, 0, 0, 255, 0, 1, 0, 0, 255, 9, 9, 9};
    pdf::EncodeFlate(rows, 1);
    AppendChunk(png, "IDAT", rows);
    AppendChunk(png, "IEND", {});
    return png;
}

// A sound 2 x 2 BMP of 24 bits.
pdf::Bytes SmallBmp()
{
    pdf::Bytes bmp = {'B', 'M'};
    AppendLE(bmp, 54 + 16, 4);
    AppendLE(bmp, 0, 4);
    AppendLE(bmp, 54, 4);
    AppendLE(bmp, 40, 4);
    AppendLE(bmp, 2, 4);
    AppendLE(bmp, 2, 4);
    AppendLE(bmp, 1, 2);
    AppendLE(bmp, 24, 2);
    for (int i = 0; i < 6; ++i)
        AppendLE(bmp, 0, 4);
    for (int row = 0; row < 2; ++row) {
        for (int b : {0, 0, 255, 255, 0, 0, 0, 0})
            bmp.push_back(static_cast<std::uint8_t>(b));
    }
    return bmp;
}

// A sound 1 x 1 GIF.
pdf::Bytes SmallGif()
{
    return {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 255, 255, 255, 0, 0, 0,
            '!', 0xF9, 4, 1, 0, 0, 0, 0, ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};
}

// A sound 2 x 1 TGA of 24 bits.
pdf::Bytes SmallTga()
{
    pdf::Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 24, 0};
    for (int b : {255, 0, 0, 0, 255, 0})
        tga.push_back(static_cast<std::uint8_t>(b));
    return tga;
}

// What one input works with: the writer, its choices and the files it may name.
struct Run {
    pdf::Pagelith& w;
    Choices& in;
    std::string docs[2];
    std::string attachment;

    // One of the two documents' files or a path that cannot be written (an empty one would
    // make a file of its own in the working folder).
    std::string DocPath()
    {
        const int b = in.Byte() % 3;
        std::string path = b < 2 ? docs[b] : "/no/such/folder/out.pdf";
        in.Note(b < 2 ? std::string(1, static_cast<char>('a' + b)) : "\"" + path + "\"");
        return path;
    }

    // A file to embed: a small one, the first document, or none.
    std::string FilePath()
    {
        const int b = in.Byte() % 3;
        std::string path = b == 0 ? attachment : b == 1 ? docs[0] : "/no/such/file.txt";
        in.Note("\"" + path + "\"");
        return path;
    }

    // A font file (the smallest at hand: embedding compresses it, slowly under the
    // sanitizers), a file that is no font, or none.
    std::string FontPath()
    {
        const int b = in.Byte() % 3;
        std::string path = b == 0   ? "/usr/share/fonts/truetype/liberation/LiberationMono-Bold.ttf"
                           : b == 1 ? attachment
                                    : "/no/such/font.ttf";
        in.Note("\"" + path + "\"");
        return path;
    }

    pdf::Bytes ImageData()
    {
        switch (in.Byte() % 5) {
        case 0:
            return SmallPng();
        case 1:
            return SmallBmp();
        case 2:
            return SmallGif();
        case 3:
            return SmallTga();
        default:
            return in.Data();
        }
    }
};

struct Call {
    const char* name;
    void (*run)(Run&);
};

// The arguments of a call, read in order (a braced list is evaluated left to right).
template <class R, class... Args>
std::tuple<std::decay_t<Args>...> ReadArguments(Choices& in, R (pdf::Pagelith::*)(Args...))
{
    return {in.Next<std::decay_t<Args>>()...};
}

template <class R, class... Args>
std::tuple<std::decay_t<Args>...> ReadArguments(Choices& in, R (pdf::Pagelith::*)(Args...) const)
{
    return {in.Next<std::decay_t<Args>>()...};
}

// A call all of whose arguments are of the kinds Choices reads.
template <auto method>
void Plain(Run& r)
{
    auto arguments = ReadArguments(r.in, method);
    std::apply([&](auto&... a) { (r.w.*method)(a...); }, arguments);
}

const Call kCalls[] = {
    {"BeginDoc", [](Run& r) { std::string path = r.DocPath(); r.w.BeginDoc(path); }},
    {"EndDoc", Plain<&pdf::Pagelith::EndDoc>},
    {"BeginPage", Plain<&pdf::Pagelith::BeginPage>},
    {"EndPage", Plain<&pdf::Pagelith::EndPage>},
    {"BeginOnPage", Plain<&pdf::Pagelith::BeginOnPage>},
    {"EndOnPage", Plain<&pdf::Pagelith::EndOnPage>},
    {"Abort", Plain<&pdf::Pagelith::Abort>},
    {"Queries", [](Run& r) {
         r.w.FileSize();
         r.w.GetPage();
         r.w.GetPages();
         r.w.GetPageHeight(r.in.Flag());
         r.w.GetPageWidth(r.in.Flag());
         r.w.GetX();
         r.w.GetY();
         r.w.GetTextHeight();
         r.w.ErrNumber();
     }},
    {"SetColorFill", Plain<&pdf::Pagelith::SetColorFill>},
    {"SetColorLine", Plain<&pdf::Pagelith::SetColorLine>},
    {"SetColorText", Plain<&pdf::Pagelith::SetColorText>},
    {"SetCompression", Plain<&pdf::Pagelith::SetCompression>},
    {"SetDocProperty", Plain<&pdf::Pagelith::SetDocProperty>},
    {"SetLabel", Plain<&pdf::Pagelith::SetLabel>},
    {"SetMargins", Plain<&pdf::Pagelith::SetMargins>},
    {"SetMemoryUsage", Plain<&pdf::Pagelith::SetMemoryUsage>},
    {"SetPageTransition", Plain<&pdf::Pagelith::SetPageTransition>},
    {"SetPageView", Plain<&pdf::Pagelith::SetPageView>},
    {"SetPaperSize", Plain<&pdf::Pagelith::SetPaperSize>},
    {"SetPDFa", Plain<&pdf::Pagelith::SetPDFa>},
    {"SetPrecision", Plain<&pdf::Pagelith::SetPrecision>},
    {"SetScale", Plain<&pdf::Pagelith::SetScale>},
    {"SetViewerPreferences", Plain<&pdf::Pagelith::SetViewerPreferences>},
    {"SwapPages", Plain<&pdf::Pagelith::SwapPages>},
    {"DefineRef", Plain<&pdf::Pagelith::DefineRef>},
    {"LinkTo", Plain<&pdf::Pagelith::LinkTo>},
    {"AddBookmark", Plain<&pdf::Pagelith::AddBookmark>},
    {"DrawNote", Plain<&pdf::Pagelith::DrawNote>},
    {"DrawPlaceHolder", [](Run& r) {
         std::string text = r.in.Text();
         const int icon = r.in.Int();
         if (icon >= 512 && icon <= 515)
             text = r.FilePath() + "|" + text;
         const float x = r.in.Real(), y = r.in.Real(), w = r.in.Real(), h = r.in.Real();
         r.w.DrawPlaceHolder(text, icon, x, y, w, h, r.in.Int());
     }},
    {"AddAttach", [](Run& r) {
         const std::string path = r.FilePath(), name = r.in.Text();
         r.w.AddAttach(path, name, r.in.Text());
     }},
    {"DrawField", [](Run& r) {
         const std::string name = r.in.Text();
         const int kind = r.in.Int() % 8;
         const float x = r.in.Real(), y = r.in.Real(), w = r.in.Real(), h = r.in.Real();
         const std::string value = r.in.Text(), option = r.in.Text(), tooltip = r.in.Text();
         r.w.DrawField(name, kind, x, y, w, h, value, option, tooltip, r.in.Int());
     }},
    {"OnFieldEvent", Plain<&pdf::Pagelith::OnFieldEvent>},
    {"OnDocEvent", Plain<&pdf::Pagelith::OnDocEvent>},
    {"DrawLine", Plain<&pdf::Pagelith::DrawLine>},
    {"DrawLineTo", Plain<&pdf::Pagelith::DrawLineTo>},
    {"DrawPolygon", Plain<&pdf::Pagelith::DrawPolygon>},
    {"DrawPolyline", Plain<&pdf::Pagelith::DrawPolyline>},
    {"DrawRect", Plain<&pdf::Pagelith::DrawRect>},
    {"SetXY", Plain<&pdf::Pagelith::SetXY>},
    {"SetFont", Plain<&pdf::Pagelith::SetFont>},
    {"SetFontSize", Plain<&pdf::Pagelith::SetFontSize>},
    {"SetAlpha", Plain<&pdf::Pagelith::SetAlpha>},
    {"SetAlphaFill", Plain<&pdf::Pagelith::SetAlphaFill>},
    {"SetAlphaLine", Plain<&pdf::Pagelith::SetAlphaLine>},
    {"SetBlend", Plain<&pdf::Pagelith::SetBlend>},
    {"SetLineStyle", Plain<&pdf::Pagelith::SetLineStyle>},
    {"SetLineWidth", Plain<&pdf::Pagelith::SetLineWidth>},
    {"SetDash", Plain<&pdf::Pagelith::SetDash>},
    {"AxisRotation", Plain<&pdf::Pagelith::AxisRotation>},
    {"AxisScaling", Plain<&pdf::Pagelith::AxisScaling>},
    {"AxisSkewing", Plain<&pdf::Pagelith::AxisSkewing>},
    {"AxisTranslation", Plain<&pdf::Pagelith::AxisTranslation>},
    {"BeginSpace", Plain<&pdf::Pagelith::BeginSpace>},
    {"EndSpace", Plain<&pdf::Pagelith::EndSpace>},
    {"MoveTo", Plain<&pdf::Pagelith::MoveTo>},
    {"SetCharSpacing", Plain<&pdf::Pagelith::SetCharSpacing>},
    {"SetWordSpacing", Plain<&pdf::Pagelith::SetWordSpacing>},
    {"SetTextHorizontalScaling", Plain<&pdf::Pagelith::SetTextHorizontalScaling>},
    {"SetTextMode", Plain<&pdf::Pagelith::SetTextMode>},
    {"SetBoxStyle", Plain<&pdf::Pagelith::SetBoxStyle>},
    {"SetTextTag", Plain<&pdf::Pagelith::SetTextTag>},
    {"AddFont", [](Run& r) {
         const std::string path = r.FontPath(), name = r.in.Text();
         const bool embed = r.in.Flag();
         r.w.AddFont(path, name, embed, r.in.Int());
     }},
    {"GetTextWidth", Plain<&pdf::Pagelith::GetTextWidth>},
    {"SetProtection", Plain<&pdf::Pagelith::SetProtection>},
    {"DrawText", Plain<&pdf::Pagelith::DrawText>},
    {"DrawTextBox", Plain<&pdf::Pagelith::DrawTextBox>},
    {"DrawTextRich", Plain<&pdf::Pagelith::DrawTextRich>},
    {"DrawBarCode", Plain<&pdf::Pagelith::DrawBarCode>},
    {"WriteText", Plain<&pdf::Pagelith::WriteText>},
    {"WriteTextLn", Plain<&pdf::Pagelith::WriteTextLn>},
    {"DrawTextCircular", Plain<&pdf::Pagelith::DrawTextCircular>},
    {"AddGradient", Plain<&pdf::Pagelith::AddGradient>},
    {"BeginTiling", Plain<&pdf::Pagelith::BeginTiling>},
    {"EndTiling", Plain<&pdf::Pagelith::EndTiling>},
    {"DrawArc", Plain<&pdf::Pagelith::DrawArc>},
    {"DrawCurve", Plain<&pdf::Pagelith::DrawCurve>},
    {"DrawEllipse", Plain<&pdf::Pagelith::DrawEllipse>},
    {"DrawCircle", Plain<&pdf::Pagelith::DrawCircle>},
    {"BeginTable", Plain<&pdf::Pagelith::BeginTable>},
    {"TableCell", Plain<&pdf::Pagelith::TableCell>},
    {"TableRowHeight", Plain<&pdf::Pagelith::TableRowHeight>},
    {"EndTable", Plain<&pdf::Pagelith::EndTable>},
    {"AddImage", [](Run& r) {
         const std::string name = r.in.Text();
         const pdf::Bytes data = r.ImageData();
         const int frame = r.in.Int();
         r.w.AddImage(name, data, frame, r.in.Text());
     }},
    {"DrawImage", Plain<&pdf::Pagelith::DrawImage>},
    {"AddImagePattern", Plain<&pdf::Pagelith::AddImagePattern>},
    {"BeginObject", Plain<&pdf::Pagelith::BeginObject>},
    {"EndObject", Plain<&pdf::Pagelith::EndObject>},
    {"DrawObject", Plain<&pdf::Pagelith::DrawObject>},
    {"BeginLayer", Plain<&pdf::Pagelith::BeginLayer>},
    {"EndLayer", Plain<&pdf::Pagelith::EndLayer>},
    {"BeginConditionalLayer", Plain<&pdf::Pagelith::BeginConditionalLayer>},
    {"EndConditionalLayer", Plain<&pdf::Pagelith::EndConditionalLayer>},
    {"GetInfo", [](Run& r) {
         std::string title, subject, author;
         int encrypted = 0, pdfa = 0, version = 0;
         r.w.GetInfo(r.DocPath(), title, subject, author, encrypted, pdfa, version);
     }},
    {"GetInfoPage", [](Run& r) {
         float width = 0, height = 0;
         int rotation = 0;
         const std::string path = r.DocPath();
         r.w.GetInfoPage(path, r.in.Int(), width, height, rotation);
     }},
    {"GetContentPage", [](Run& r) {
         const std::string path = r.DocPath();
         r.w.GetContentPage(path, r.in.Int());
     }},
    {"ImportPage", [](Run& r) {
         const std::string path = r.DocPath();
         const int page = r.in.Int();
         const float x = r.in.Real(), y = r.in.Real(), w = r.in.Real();
         r.w.ImportPage(path, page, x, y, w, r.in.Real());
     }},
};
constexpr int kCallCount = static_cast<int>(std::size(kCalls));

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static fuzzing::MemoryFile first("quorvane-fuzz-writer-a");
    static fuzzing::MemoryFile second("quorvane-fuzz-writer-b");
    static fuzzing::MemoryFile attachment("quorvane-fuzz-writer-attachment");
    static const bool trace = std::getenv("WRITER_CALLS_TRACE") != nullptr;
    first.Fill(nullptr, 0);
    second.Fill(nullptr, 0);
    static const std::uint8_t kAttached[] = "attached text\n";
    attachment.Fill(kAttached, sizeof kAttached - 1);

    pdf::Pagelith writer(std::make_shared<pdf::FixedClock>(pdf::LocalTime{2024, 5, 17, 9, 30, 5}),
                         std::make_shared<pdf::SeededRandom>(1));
    Choices in(data, size, trace);
    Run run{writer, in, {first.Path(), second.Path()}, attachment.Path()};
    for (int calls = 0; calls < kMaxCalls && !in.Done(); ++calls) {
        const Call& call = kCalls[in.Byte() % kCallCount];
        if (trace)
            std::fprintf(stderr, "%s", call.name);
        std::string outcome;
        try {
            call.run(run);
        } catch (const pdf::Error& error) {
            outcome = " -> error " + std::to_string(error.Number());
        }
        if (trace)
            std::fprintf(stderr, "(%s)%s\n", in.TakeArguments().c_str(), outcome.c_str());
    }
    return 0;
}
