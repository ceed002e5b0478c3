// Breaking a text box's text into paragraphs, words and lines.
#include "pdf/draw/text_layout.h"

#include <algorithm>
#include <cstddef>

#include "pdf/core/text_utils.h"

namespace pdf {

namespace {

// The words of a paragraph, split at its blanks and shortened to the inner width when the
// layout reaches them: a full box spends on the words it gives back only the work of
// giving them back, however long the paragraph.
class ParagraphWords {
public:
    ParagraphWords(std::string_view paragraph, const TextBoxGeometry& box,
                   const TextMeasure& measure)
        : mText(paragraph), mInnerWidth(box.InnerWidth), mSureFitBytes(box.SureFitBytes),
          mMeasure(measure)
    {
        Next();
    }

    bool Done() const { return mDone; }
    const std::string& Word() const { return mWord; }
    float WordWidth() const { return mWordWidth; }

    void Next()
    {
        mDone = mAt > mText.size();
        if (mDone)
            return;
        mWord = ShortenToWidth(std::string(Piece()), mInnerWidth, mMeasure);
        mWordWidth = mMeasure(mWord);
    }

    void DropTheRest() { mDone = true; }

    // The current word and those after it, joined by single blanks.  When no later word
    // can be too wide, they stand in the paragraph as they are given back.
    std::string Rest()
    {
        std::string rest = mWord;
        if (mAt <= mText.size() && LongestPieceFrom(mAt) <= mSureFitBytes) {
            rest += ' ';
            rest += mText.substr(mAt);
            return rest;
        }
        while (mAt <= mText.size()) {
            rest += ' ';
            rest += ShortenToWidth(std::string(Piece()), mInnerWidth, mMeasure);
        }
        return rest;
    }

private:
    std::size_t LongestPieceFrom(std::size_t at) const
    {
        std::size_t longest = 0;
        while (at < mText.size()) {
            const std::size_t blank = mText.find(' ', at);
            const std::size_t end = blank == std::string_view::npos ? mText.size() : blank;
            longest = std::max(longest, end - at);
            at = end + 1;
        }
        return longest;
    }

    // The text up to the next blank, moving past that blank.
    std::string_view Piece()
    {
        const std::size_t blank = mText.find(' ', mAt);
        const std::size_t end = blank == std::string_view::npos ? mText.size() : blank;
        const std::string_view piece = mText.substr(mAt, end - mAt);
        mAt = end + 1;
        return piece;
    }

    std::string_view mText;
    std::size_t mAt = 0;
    float mInnerWidth;
    std::size_t mSureFitBytes;
    const TextMeasure& mMeasure;
    std::string mWord;
    float mWordWidth = 0;
    bool mDone = false;
};

// What a full box leaves: the rest of the paragraph being laid out, marked as continued,
// and every later paragraph.
std::string RestOf(const std::vector<std::string>& paragraphs, std::size_t paragraph,
                   ParagraphWords& words)
{
    std::string rest;
    if (!words.Done())
        rest = kContinuedMark + words.Rest();
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
        ParagraphWords words(paragraphs[p], box, measure);
        bool firstLine = true;
        while (!words.Done()) {
            const bool indented = firstLine && !continued;
            const float available = box.InnerWidth - (indented ? box.Indent : 0);
            std::string line = words.Word();
            float width = words.WordWidth();
            if (width > available) {
                line = ShortenToWidth(std::move(line), available, measure);
                width = measure(line);
            }
            float running = (indented ? box.Indent : 0) + width;
            words.Next();
            for (int added = 0; !words.Done(); ++added, words.Next()) {
                const float candidate =
                    static_cast<float>(added + 1) * box.BlankWidth + running + words.WordWidth();
                if (candidate <= box.InnerWidth || fitted) {
                    line += ' ';
                    line += words.Word();
                    running += words.WordWidth();
                    continue;
                }
                if (oneLine) {
                    line += ' ' + words.Word() + kEllipsis;
                    line = ShortenToWidth(std::move(line), available, measure);
                    words.DropTheRest();
                }
                break;
            }
            layout.Lines.push_back({std::move(line), indented, words.Done()});
            firstLine = false;
            continued = false;

            const float needed = static_cast<float>(layout.Lines.size() + 1) * box.Advance;
            if (!oneLine && needed > box.InnerHeight) {
                layout.Rest = RestOf(paragraphs, p, words);
                return layout;
            }
        }
    }
    return layout;
}

}  // namespace pdf
