// Rich text: words in the fonts and colours of the tags the client defined, broken into
// lines inside a box and drawn run by run.  What does not fit is given back with the tags
// still open at its start, so that a further box goes on in the same style.
#include <string_view>

#include "pdf/core/colour.h"
#include "pdf/draw/text_layout.h"
#include "pdf/fonts/font_encoding.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kNoFrame = 1;
constexpr int kFrameStroked = 0;
constexpr int kFilledNoStroke = 5;
constexpr int kAllSides = 15;
constexpr int kRight = 2;
constexpr int kCentred = 4;

// In the laid-out text each defined tag is one of these followed by the byte of its index.
constexpr char kOpenMarker = '\x01';
constexpr char kCloseMarker = '\x02';
// As the first byte of a text: it goes on with a paragraph begun in an earlier box.
constexpr char kRichContinued = '\xff';

// A box holds the lines whose heights add up to its own, float rounding aside.
constexpr float kFitSlack = 1e-4f;

bool IsMarker(char c)
{
    return c == kOpenMarker || c == kCloseMarker;
}

// The bytes of the UTF-8 character at `at`; a marker never counts as part of it.
std::size_t CharLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t wanted = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t length = 1;
    while (length < wanted && at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

// "<name>" (prefix "<") or "</name>" (prefix "</") stands at the start of `text`.
bool StartsWithTag(std::string_view text, std::string_view prefix, const std::string& name)
{
    const std::size_t end = prefix.size() + name.size();
    return text.size() > end && text.starts_with(prefix) &&
           text.substr(prefix.size()).starts_with(name) && text[end] == '>';
}

// Every line end made one CR, and each defined tag its marker and index (the first defined
// name wins).  Markers already in the text, as in a rest given back, are kept as they are.
std::string MarkTags(std::string_view text, const std::vector<TextTagRecord>& tags, int count)
{
    std::string marked;
    marked.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (IsMarker(c)) {
            marked += text.substr(i, 2);
            i += 2;
            continue;
        }
        if (c == '\r' || c == '\n') {
            marked += '\r';
            i += c == '\r' && text.substr(i + 1).starts_with('\n') ? 2 : 1;
            continue;
        }
        std::size_t tagLength = 0;
        for (int index = 1; c == '<' && index <= count && tagLength == 0; ++index) {
            const std::string& name = tags[static_cast<std::size_t>(index - 1)].Name;
            const std::string_view here = text.substr(i);
            const bool closing = StartsWithTag(here, "</", name);
            if (closing || StartsWithTag(here, "<", name)) {
                marked += closing ? kCloseMarker : kOpenMarker;
                marked += static_cast<char>(index);
                tagLength = name.size() + (closing ? 3 : 2);
            }
        }
        if (tagLength == 0) {
            marked += c;
            tagLength = 1;
        }
        i += tagLength;
    }
    return marked;
}

// The opening markers of the tags open at `at`, outermost first.  A closing marker with no
// tag open is passed over, as the layout passes it over.
std::string OpenMarkersAt(std::string_view text, std::size_t at)
{
    std::string open;
    for (std::size_t i = 0; i + 1 < at;) {
        if (!IsMarker(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == kOpenMarker)
            open += text.substr(i, 2);
        else if (!open.empty())
            open.resize(open.size() - 2);
        i += 2;
    }
    return open;
}

void DropTrailingSpace(RichLineRecord& line)
{
    if (line.Runs.empty() || line.Runs.back().Text.back() != ' ')
        return;
    RichRunRecord& run = line.Runs.back();
    run.Text.pop_back();
    run.Width -= run.SpaceWidth;
    line.Width -= run.SpaceWidth;
    --line.Spaces;
    run.SpaceWidth = 0;
    run.SpaceAfterTag = false;
}

// A space is kept after a word, and after a run that ends in none: runs of spaces, and
// spaces at the start of a line, come to nothing.
bool TakesSpace(const RichLineRecord& line, const std::string& word)
{
    return !word.empty() || (!line.Runs.empty() && line.Runs.back().Text.back() != ' ');
}

}  // namespace

std::string Pagelith::DrawTextRich(float x, float y, float w, float h, const std::string& text,
                                   int align, int options)
{
    RequireFinite({x, y, w, h});
    if (!CanDraw("DrawTextRich"))
        return text;
    if (text.find_first_not_of(' ') == std::string::npos)
        return "";
    // Untagged words are in the current font: without one nothing is drawn.
    CurrentFont();
    const float s = mGeometry.scale;
    if (w == 0)
        w = GetPageWidth(true) - x;
    const float left = x + mTextBoxes.style.Left / s;
    const float areaWidth = w - (mTextBoxes.style.Left + mTextBoxes.style.Right) / s;
    const float insets = (mTextBoxes.style.Top + mTextBoxes.style.Bottom) / s;
    float areaHeight = (h != 0 ? h : GetPageHeight(true) - y) - insets;

    const bool continued = text.front() == kRichContinued;
    const TextTagRecord base = BaseRichStyle();
    mTextBoxes.runs.Text = MarkTags(std::string_view(text).substr(continued ? 1 : 0), mTextBoxes.tags,
                              mTextBoxes.tagCount);
    LayOutRichText(base, areaWidth, areaHeight, mTextBoxes.style.Indent / s, continued);

    // Lines are taken from the top while the box holds them, each with its descent.
    const std::vector<RichLineRecord>& lines = mTextBoxes.runs.Lines;
    std::size_t fitting = 0;
    float used = 0;
    for (; fitting < lines.size(); ++fitting) {
        const float height = lines[fitting].Baseline - lines[fitting].Descent;
        if (used + height > areaHeight + kFitSlack)
            break;
        used += height;
    }
    if (h == 0) {
        h = insets + used;
        areaHeight = used;
    }

    if (options != kNoFrame)
        DrawRect(x, y, w, h, options, mTextBoxes.style.BorderMask, mTextBoxes.style.Radius);
    float pen = y + mTextBoxes.style.Top / s;
    if (align & align::kMiddle)
        pen += (areaHeight - used) / 2;
    else if (align & align::kBottom)
        pen += areaHeight - used;
    for (std::size_t i = 0; i < fitting; ++i) {
        pen += lines[i].Baseline;
        DrawRichLine(lines[i], left, areaWidth, pen, align);
        pen -= lines[i].Descent;
    }
    SetFont(base.Font, base.Size, base.Style, base.Charset);
    SetXY(x, options == kFrameStroked ? pen : y + h);

    if (fitting == lines.size())
        return "";
    if (fitting == 0)
        return text;
    // A rest that begins inside a paragraph is marked so that its first line is not indented.
    const RichLineRecord& last = lines[fitting - 1];
    std::string rest = last.ParagraphEnd ? "" : std::string(1, kRichContinued);
    rest += OpenMarkersAt(mTextBoxes.runs.Text, last.ContinueAt);
    rest.append(mTextBoxes.runs.Text, last.ContinueAt);
    return rest;
}

// The style of untagged words: the current font, and the current text and fill colours
// when they are plain colours that are switched on; the fill colour is their background,
// so a caller who wants none sets the fill colour to nothing first.
TextTagRecord Pagelith::BaseRichStyle() const
{
    TextTagRecord base;
    base.Font = mFont.name;
    base.Style = mFont.style;
    base.Charset = mFont.charset;
    base.Size = mFont.size;
    base.FontIndex = mFont.index;
    if (IsColourNotation(mColours.text) && !mColours.noText)
        base.TextColor = mColours.text;
    if (IsColourNotation(mColours.fill) && !mColours.noFill)
        base.FillColor = mColours.fill;
    return base;
}

// A tag takes from the tags around it what it leaves unset; its style bits add to theirs.
// An index that names no tag changes nothing.
TextTagRecord Pagelith::OpenRichTag(const TextTagRecord& outer, int index)
{
    TextTagRecord entry = outer;
    if (index >= 1 && index <= mTextBoxes.tagCount) {
        const TextTagRecord& tag = mTextBoxes.tags[static_cast<std::size_t>(index - 1)];
        if (!tag.Font.empty()) {
            entry.Font = tag.Font;
            entry.Charset = tag.Charset;
        }
        if (tag.Style != -1)
            entry.Style = tag.Style | outer.Style;
        if (tag.Size != 0)
            entry.Size = tag.Size;
        if (!tag.TextColor.empty())
            entry.TextColor = tag.TextColor;
        if (!tag.FillColor.empty())
            entry.FillColor = tag.FillColor;
    }
    SetFont(entry.Font, entry.Size, entry.Style, entry.Charset);
    entry.FontIndex = mFont.index;
    return entry;
}

// One pass over the marked text: a word grows character by character, measured as it
// grows, and becomes a run at a space, a tag or a line end; a line is closed before the
// word that would make it wider than the area.  The pass ends with the first line that
// leaves the area, so a long text flowing through many boxes is laid out once per box.
void Pagelith::LayOutRichText(const TextTagRecord& base, float areaWidth, float areaHeight,
                              float indent, bool continued)
{
    const std::string_view text = mTextBoxes.runs.Text;
    std::vector<RichLineRecord>& lines = mTextBoxes.runs.Lines;
    lines.clear();
    const auto openLine = [&](bool paragraphStart) {
        RichLineRecord& line = lines.emplace_back();
        line.ParagraphStart = paragraphStart;
        line.Width = paragraphStart ? indent : 0;
    };
    // True once the lines no longer fit the area: what follows is not laid out.
    float laidOut = 0;
    const auto endLine = [&](std::size_t continueAt, bool paragraphEnd) {
        RichLineRecord& line = lines.back();
        DropTrailingSpace(line);
        line.ParagraphEnd = paragraphEnd;
        line.ContinueAt = continueAt;
        laidOut += line.Baseline - line.Descent;
        return laidOut > areaHeight + kFitSlack;
    };

    std::vector<TextTagRecord> stack{base};
    std::string word;
    float wordWidth = 0;
    std::size_t wordStart = 0;
    const auto closeWord = [&](bool space, bool afterTag) {
        if (word.empty() && !space)
            return;
        RichRunRecord run;
        run.Text = std::move(word);
        if (space)
            run.Text += ' ';
        run.SpaceAfterTag = afterTag;
        MeasureRichRuns(lines.size() - 1, run, stack.back());
        lines.back().Spaces += space;
        lines.back().Runs.push_back(std::move(run));
        word.clear();
        wordWidth = 0;
    };

    openLine(!continued);
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (IsMarker(c)) {
            if (i + 1 == text.size())
                break;
            const int index = static_cast<unsigned char>(text[i + 1]);
            i += 2;
            if (c == kOpenMarker) {
                closeWord(false, false);
                stack.push_back(OpenRichTag(stack.back(), index));
            } else if (stack.size() > 1) {
                // A closing tag closes the innermost open one, whatever its name.
                const bool spaceFollows = i < text.size() && text[i] == ' ';
                if (spaceFollows)
                    ++i;
                const bool space = spaceFollows && TakesSpace(lines.back(), word);
                closeWord(space, space);
                stack.pop_back();
            }
        } else if (c == ' ') {
            if (TakesSpace(lines.back(), word))
                closeWord(true, false);
            ++i;
        } else if (c == '\r') {
            closeWord(false, false);
            ++i;
            if (endLine(i, true))
                return;
            openLine(true);
        } else {
            if (word.empty())
                wordStart = i;
            const std::size_t length = CharLength(text, i);
            const std::string_view character = text.substr(i, length);
            i += length;
            word += character;
            const TextTagRecord& style = stack.back();
            wordWidth += GetStringWidth(
                EncodeFontText(mFont.records[static_cast<std::size_t>(style.FontIndex - 1)], character),
                style.FontIndex, style.Size);
            // A word wider than the whole area stays whole on a line of its own; one that
            // only the indent pushes out starts the next line.
            const RichLineRecord& line = lines.back();
            if ((!line.Runs.empty() || line.Width > 0) && line.Width + wordWidth > areaWidth) {
                if (endLine(wordStart, false))
                    return;
                openLine(false);
            }
        }
    }
    closeWord(false, false);
    endLine(text.size(), true);
}

// Gives the run the style's font and colours and measures it, and grows the line by it: wider,
// and taller when the run's font needs more height than the line had.  Lines after the
// first are spaced by the box style's line spacing.
void Pagelith::MeasureRichRuns(std::size_t line, RichRunRecord& run, const TextTagRecord& style)
{
    const FontRecord& font = mFont.records[static_cast<std::size_t>(style.FontIndex - 1)];
    run.Tag = style;
    run.Width = GetStringWidth(EncodeFontText(font, run.Text), style.FontIndex, style.Size);
    if (run.Text.ends_with(' '))
        run.SpaceWidth = GetStringWidth(" ", style.FontIndex, style.Size);

    RichLineRecord& record = mTextBoxes.runs.Lines[line];
    record.Width += run.Width;
    const float em = style.Size / 1000 / mGeometry.scale;
    const float height = font.LineHeight * em * (line == 0 ? 1 : mText.lineSpacing);
    const float descent = static_cast<float>(font.Descent) * em;
    if (height > record.Baseline - record.Descent) {
        record.Descent = descent;
        record.Baseline = height + descent;
    }
}

// One laid-out line, its baseline at `baseline`: each run in its font and text colour over
// its background, the spaces of a justified line widened to fill the area.
void Pagelith::DrawRichLine(const RichLineRecord& line, float left, float width, float baseline,
                            int align)
{
    const float free = width - line.Width;
    float x = left;
    float extra = 0;
    if (align & kRight)
        x += free;
    else if (align & kCentred)
        x += free / 2;
    else if ((align & align::kJustify) && !line.ParagraphEnd && line.Spaces > 0)
        extra = free / static_cast<float>(line.Spaces);
    if (line.ParagraphStart)
        x += mTextBoxes.style.Indent / mGeometry.scale;

    for (const RichRunRecord& run : line.Runs) {
        const TextTagRecord& tag = run.Tag;
        SetFont(tag.Font, tag.Size, tag.Style, tag.Charset);
        const float advance = run.Width + (run.Text.ends_with(' ') ? extra : 0);
        if (!tag.FillColor.empty()) {
            const std::string fillAlt = mColours.fillAlt;
            const bool noFill = mColours.noFill;
            const float height = GetTextHeight();
            FillColorOperator(tag.FillColor, "");
            DrawRect(x, baseline + height / 4, advance - (run.SpaceAfterTag ? run.SpaceWidth : 0),
                     -height, kFilledNoStroke, kAllSides, 0);
            FillColorOperator(mColours.fill, fillAlt);
            mColours.fillAlt = fillAlt;
            mColours.noFill = noFill;
        }
        const std::string text = mColours.text;
        const std::string textAlt = mColours.textAlt;
        if (!tag.TextColor.empty()) {
            mColours.text = tag.TextColor;
            mColours.textAlt.clear();
        }
        std::string bytes = EncodeText(run.Text);
        WriteTextLine(x, baseline, 0, bytes, 0, 0, false);
        mColours.text = text;
        mColours.textAlt = textAlt;
        x += advance;
    }
}

}  // namespace pdf
