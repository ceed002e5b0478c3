// Breaking a text box's text into paragraphs, words and lines.
#include "pdf/draw/text_layout.h"

#include <cstddef>

#include "pdf/core/text_utils.h"

namespace pdf {

namespace {

// The words of a paragraph from `first` on, joined by single blanks.
std::string JoinWords(const std::vector<std::string>& words, std::size_t first)
{
    std::string text;
    for (std::size_t i = first; i < words.size(); ++i) {
        if (i > first)
            text += ' ';
        text += words[i];
    }
    return text;
}

// What a full box leaves: the rest of the paragraph being laid out, marked as continued,
// and every later paragraph.
std::string RestOf(const std::vector<std::string>& paragraphs, std::size_t paragraph,
                   const std::vector<std::string>& words, std::size_t nextWord)
{
    std::string rest;
    if (nextWord < words.size())
        rest = kContinuedMark + JoinWords(words, nextWord);
    for (std::size_t p = paragraph + 1; p < paragraphs.size(); ++p) {
        if (!rest.empty())
            rest += "\r\n";
        rest += paragraphs[p];
    }
    return rest;
}

}  // namespace

std::string CollapseBlanks(std::string text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == ' ' && !result.empty() && result.back() == ' ')
            continue;
        result += c;
    }
    return result;
}

std::vector<std::string> SplitParagraphs(std::string text, int flags, bool& continued)
{
    continued = !text.empty() && text.front() == kContinuedMark;
    if (continued)
        text.erase(0, 1);
    if (flags & align::kJustify)
        text = CollapseBlanks(std::move(text));
    text = ReplaceText(ReplaceText(text, "\r\n", "\r"), "\n", "\r");
    while (text.find("\r\r") != std::string::npos)
        text = ReplaceText(text, "\r\r", "\r \r");
    if (!text.empty() && text.back() == '\r')
        text += ' ';
    if (!text.empty() && text.front() == '\r')
        text.insert(text.begin(), ' ');
    std::vector<std::string> paragraphs;
    SplitText(text, paragraphs, "\r");
    return paragraphs;
}

std::string ShortenToWidth(std::string text, float width, const TextMeasure& measure)
{
    while (!text.empty() && text != std::string(1, kEllipsis) && measure(text) > width) {
        text.resize(text.size() >= 2 ? text.size() - 2 : 0);
        text += kEllipsis;
    }
    return text;
}

TextBoxLayout LayOutTextBox(const std::vector<std::string>& paragraphs, bool continued,
                            const TextBoxGeometry& box, const TextMeasure& measure)
{
    const bool oneLine = box.Flags & align::kOneLinePerParagraph;
    const bool fitted = box.Flags & (align::kFitIfWider | align::kFit);
    TextBoxLayout layout;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        std::vector<std::string> words;
        SplitText(paragraphs[p], words, " ");
        std::vector<float> widths;
        widths.reserve(words.size());
        for (std::string& word : words) {
            word = ShortenToWidth(std::move(word), box.InnerWidth, measure);
            widths.push_back(measure(word));
        }

        bool firstLine = true;
        std::size_t next = 0;
        while (next < words.size()) {
            const bool indented = firstLine && !continued;
            const float available = box.InnerWidth - (indented ? box.Indent : 0);
            std::string line = words[next];
            if (widths[next] > available) {
                line = ShortenToWidth(std::move(line), available, measure);
                widths[next] = measure(line);
            }
            float running = (indented ? box.Indent : 0) + widths[next];
            ++next;
            for (int added = 0; next < words.size(); ++added, ++next) {
                const float candidate =
                    static_cast<float>(added + 1) * box.BlankWidth + running + widths[next];
                if (candidate <= box.InnerWidth || fitted) {
                    line += ' ';
                    line += words[next];
                    running += widths[next];
                    continue;
                }
                if (oneLine) {
                    line += ' ' + words[next] + kEllipsis;
                    line = ShortenToWidth(std::move(line), available, measure);
                    next = words.size();
                }
                break;
            }
            layout.Lines.push_back({std::move(line), indented, next == words.size()});
            firstLine = false;
            continued = false;

            const float needed = static_cast<float>(layout.Lines.size() + 1) * box.Advance;
            if (!oneLine && needed > box.InnerHeight) {
                layout.Rest = RestOf(paragraphs, p, words, next);
                return layout;
            }
        }
    }
    return layout;
}

}  // namespace pdf
