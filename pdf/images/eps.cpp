// Encapsulated PostScript as drawing programs write it: one operator at the end of each
// line.  Lines whose operator means the same in PDF are copied, a few are renamed, and
// everything else (procedures, strings, comments, unknown operators) is dropped.
#include <charconv>

#include "pdf/core/text_utils.h"
#include "pdf/images/byte_reader.h"
#include "pdf/images/vector_import.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(begin, i - begin));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < text.size())
        lines.push_back(text.substr(begin));
    return lines;
}

std::string_view TrimRight(std::string_view line)
{
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

// The four numbers after "%%BoundingBox:"; fewer (as with "(atend)") is the subscript
// failure.
std::array<float, 4> BoxNumbers(std::string_view rest)
{
    std::array<float, 4> box{};
    std::size_t found = 0;
    std::size_t at = 0;
    while (found < 4) {
        while (at < rest.size() && (rest[at] == ' ' || rest[at] == '\t'))
            ++at;
        float value = 0;
        const auto [end, ec] = std::from_chars(rest.data() + at, rest.data() + rest.size(), value);
        if (ec != std::errc() || at == rest.size())
            throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
        box[found++] = value;
        at = static_cast<std::size_t>(end - rest.data());
    }
    return box;
}

// The operator of a line: its last one or two characters after a blank.
std::string_view OperatorOf(std::string_view line)
{
    const std::size_t n = line.size();
    if (n == 1 || (n >= 2 && line[n - 2] == ' '))
        return line.substr(n - 1);
    if (n > 2 && line[n - 3] == ' ')
        return line.substr(n - 2);
    return {};
}

// Translates the drawing's lines; a path is painted once, with the even-odd rule.
void TranslateLines(const std::vector<std::string_view>& lines, std::size_t first,
                    std::size_t last, std::vector<std::string>& out)
{
    bool pending = false;
    bool painted = false;
    for (std::size_t i = first; i < last; ++i) {
        const std::string_view line = TrimRight(lines[i]);
        const std::string trimmed = TrimSpaces(line);
        if (trimmed.empty() || line[0] == '%' || line[0] == '/' || line[0] == '(')
            continue;
        const std::string_view op = OperatorOf(line);
        if (op.empty())
            continue;
        const std::string_view operands = line.substr(0, line.size() - op.size());
        if (op.size() == 1 && std::string_view("mlvycKkgGJjwMdn").find(op) != std::string_view::npos) {
            out.emplace_back(line);
            pending = true;
            painted = false;
        } else if (op == "s" || op == "S") {
            if (!painted)
                out.emplace_back(line);
        } else if (op.size() == 1 && std::string_view("YNLCV").find(op) != std::string_view::npos) {
            std::string lower(line);
            lower.back() = static_cast<char>(lower.back() - 'A' + 'a');
            out.push_back(lower);
            pending = true;
        } else if (op == "f" || op == "F" || op == "b" || op == "B") {
            if (pending && !painted)
                out.push_back(op == "F" ? "f*" : std::string(op) + "*");
            painted = true;
            pending = false;
        } else if (op == "Xa") {
            out.push_back(std::string(operands) + "rg");
        } else if (op == "XR") {
            out.push_back(std::string(operands) + "G");
        }
    }
}

}  // namespace

ImportedDrawing TranslateEps(std::string_view text, float x, float y, float w, float h,
                             const ContentNumbers& numbers)
{
    ImportedDrawing drawing;
    const std::vector<std::string_view> lines = SplitLines(text);
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t boxLine = kNone, setup = kNone, prolog = kNone, trailer = kNone, showpage = kNone;
    std::optional<std::array<float, 4>> box;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (StartsWith(line, "%%BoundingBox:")) {
            boxLine = i;
            try {
                box = BoxNumbers(line.substr(14));
            } catch (const Error& e) {
                drawing.Failure = e;
            }
        } else if (StartsWith(line, "%%EndSetup")) {
            setup = i;
        } else if (StartsWith(line, "%%EndProlog")) {
            prolog = i;
        } else if (StartsWith(line, "%%PageTrailer")) {
            trailer = i;
        } else if (StartsWith(line, "showpage")) {
            showpage = i;
        }
    }
    const std::size_t start = setup != kNone ? setup : prolog != kNone ? prolog : boxLine;
    if (start == kNone) {
        drawing.Failure = FormatError("the file holds no drawing");
        return drawing;
    }
    // Without a box the drawing has no place; a box of the last line that gave one counts.
    if (!box || (*box)[2] == (*box)[0] || (*box)[3] == (*box)[1]) {
        drawing.Failure = FormatError("the drawing has no bounding box");
        return drawing;
    }
    const auto [llx, lly, urx, ury] = *box;
    const float bw = urx - llx;
    const float bh = ury - lly;
    if (w == 0 && h == 0) {
        w = bw / numbers.Scale;
        h = bh / numbers.Scale;
    } else if (w == 0) {
        w = bw * h / bh;
    } else if (h == 0) {
        h = bh * w / bw;
    }
    const float sx = w * numbers.Scale / bw;
    const float sy = h * numbers.Scale / bh;
    drawing.Lines.push_back("q");
    drawing.Lines.push_back(numbers.Real(sx) + " 0 0 " + numbers.Real(sy) + " " +
                            numbers.Coord(x) + " " + numbers.Coord(y) + " cm");
    // The drawing's y axis points up: turn it over and bring its box's corner to the origin.
    drawing.Lines.push_back("1 0 0 -1 " + numbers.Real(-llx) + " " + numbers.Real(ury) + " cm");
    const std::size_t end = trailer != kNone ? trailer : showpage;
    std::vector<std::string> content;
    if (end != kNone && end > start)
        TranslateLines(lines, start + 1, end, content);
    // A picture, compressed content or a procedure set gives no line we can convert.
    if (content.empty()) {
        drawing.Lines.clear();
        drawing.Failure = FormatError("the drawing holds no content we can convert");
        return drawing;
    }
    drawing.Lines.insert(drawing.Lines.end(), content.begin(), content.end());
    drawing.Lines.push_back("Q");
    return drawing;
}

void Pagelith::ImportEps(const std::string& fileName, float x, float y, float w, float h)
{
    ImportDrawing(fileName, [&](const Bytes& data, const ContentNumbers& numbers) {
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        return TranslateEps(text, x, y, w, h, numbers);
    });
}

}  // namespace pdf
