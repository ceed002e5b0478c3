// The scanner's text and position, white space, numbers and references.
#include "pdf/reader/scanner.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "pdf/core/error.h"

namespace pdf {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSign(char c)
{
    return c == '-' || c == '+';
}

// An optional sign, then digits with at most one "." among or before them.
bool IsNumberText(std::string_view text)
{
    std::size_t i = text.empty() || !IsSign(text[0]) ? 0 : 1;
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i]))
            digit = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

}  // namespace

Scanner::Scanner(std::string text, Resolver resolve, std::shared_ptr<const DictionaryIndex> dictionary)
    : mText(std::move(text)), mResolve(std::move(resolve)), mDictionary(std::move(dictionary))
{
}

char Scanner::At(int pos) const
{
    if (pos < 1 || pos > Length())
        return '\0';
    return mText[static_cast<std::size_t>(pos) - 1];
}

std::string Scanner::Mid(int length, int start) const
{
    if (start == 0)
        start = mPos;
    if (start < 1 || start > Length() || length <= 0)
        return {};
    return mText.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(length));
}

void Scanner::SkipWhiteSpace()
{
    for (char c = Current(); mPos <= Length() && (c == '\r' || c == '\n' || c == ' ' || c == '\t');
         c = Current())
        ++mPos;
}

double Scanner::ReadNumber()
{
    SkipWhiteSpace();
    const int start = mPos;
    for (char c = Current(); mPos <= Length() && (IsDigit(c) || IsSign(c) || c == '.'); c = Current())
        ++mPos;
    const std::string_view collected(mText.data() + start - 1, static_cast<std::size_t>(mPos - start));
    SkipWhiteSpace();
    if (collected.empty())
        return 0;
    if (!IsNumberText(collected))
        throw Error(err::kTypeMismatch, "Type mismatch");
    // from_chars takes no sign: parse the magnitude.
    const bool negative = collected[0] == '-';
    const std::string_view magnitude = collected.substr(IsSign(collected[0]) ? 1 : 0);
    double value = 0;
    const auto result = std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), value,
                                        std::chars_format::fixed);
    // Digits beyond a double's range: too many before the point, or a fraction too small.
    if (result.ec == std::errc::result_out_of_range)
        value = magnitude.find_first_of("123456789") < magnitude.find('.') ? HUGE_VAL : 0;
    return negative ? -value : value;
}

bool Scanner::NumberStartsAt(int pos) const
{
    const char c = At(pos);
    if (IsSign(c))
        return IsDigit(At(pos + 1)) || (At(pos + 1) == '.' && IsDigit(At(pos + 2)));
    return IsDigit(c) || (c == '.' && IsDigit(At(pos + 1)));
}

int WholeNumber(double value)
{
    const double whole = std::nearbyint(value);
    if (!(whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max()))
        throw Error(err::kOverflow, "Overflow");
    return static_cast<int>(whole);
}

int Scanner::ReadRef()
{
    const int number = WholeNumber(ReadNumber());
    ReadNumber();
    if (Current() != 'R' || mPos > Length())
        return 0;
    ++mPos;
    return std::max(number, 0);
}

void Scanner::ReadRefArray(std::vector<int>& list)
{
    SkipWhiteSpace();
    if (Current() != '[') {
        const int number = ReadRef();
        if (number != 0)
            list.assign(1, number);
        return;
    }
    CollectRefs(list);
}

// From the "[" at the position to its "]": every reference, passing over what is not one
// (nested arrays and dictionaries whole).
void Scanner::CollectRefs(std::vector<int>& list)
{
    const std::string_view text(mText);
    const SyntaxToken array = NextValue(text, static_cast<std::size_t>(mPos) - 1);
    mPos = static_cast<int>(array.end) + 1;
    // An array the text cuts short lists nothing.
    if (array.end == array.start || text[array.end - 1] != ']')
        return;
    std::vector<int> found;
    for (SyntaxToken value = NextValue(text, array.start + 1);
         value.kind != SyntaxToken::kNone && value.kind != SyntaxToken::kArrayClose && value.end <= array.end;
         value = NextValue(text, value.end)) {
        int number = 0;
        const std::string_view digits = value.In(text);
        if (value.kind == SyntaxToken::kReference &&
            std::from_chars(digits.data(), digits.data() + digits.size(), number).ec == std::errc() && number > 0)
            found.push_back(number);
    }
    if (!found.empty())
        list = std::move(found);
}

void ReadArrayToken(const std::string& text, std::vector<int>& list)
{
    Scanner scanner(text);
    scanner.SkipWhiteSpace();
    if (scanner.Mid(1) == "[")
        scanner.ReadRefArray(list);
}

std::string NormaliseText(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
        if (c == ' ' && !result.empty() && result.back() == ' ')
            continue;
        result += c;
    }
    return result;
}

}  // namespace pdf
