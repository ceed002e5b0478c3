// Values of the scanner: names, arrays, dictionaries, strings, numbers and references, and
// the lookup of a key in a dictionary.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "pdf/core/error.h"
#include "pdf/core/text_utils.h"
#include "pdf/reader/scanner.h"
#include "pdf/reader/string_tokens.h"

namespace pdf {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string WholeText(double value)
{
    return std::to_string(WholeNumber(value));
}

}  // namespace

std::string Scanner::ReadResolved()
{
    const int number = WholeNumber(ReadNumber());
    if (!IsDigit(Current()))
        return std::to_string(number);
    ReadNumber();
    SkipWhiteSpace();
    if (Current() != 'R')
        return {};
    return NormaliseText(mResolve ? mResolve(number) : std::string());
}

std::string Scanner::ReadValue(bool resolve)
{
    SkipWhiteSpace();
    const char c = Current();
    if (c == '/')
        return ReadName();
    if (c == '[')
        return ReadNested("[", "]");
    if (c == '<' && At(mPos + 1) == '<')
        return ReadNested("<<", ">>");
    if (c == '(')
        return ReadLiteral();
    if (c == '<')
        return ReadHex();
    if (NumberStartsAt(mPos))
        return ReadNumberOrRef(resolve);
    return {};
}

// A name runs to the next blank, line end or delimiter that starts another token.
std::string Scanner::ReadName()
{
    const int start = mPos++;
    for (; mPos <= Length(); ++mPos) {
        const char c = Current();
        if (c == ' ' || c == '[' || c == '/' || c == '(' || c == '<' || c == '>' || c == '\r' ||
            c == '\n')
            break;
    }
    return Mid(mPos - start, start);
}

// An array or dictionary to its matching close (or to the end of the text), counted by
// its delimiters alone.
std::string Scanner::ReadNested(std::string_view open, std::string_view close)
{
    const int start = mPos;
    const int width = static_cast<int>(open.size());
    mPos += width;
    int depth = 1;
    while (depth > 0 && mPos <= Length()) {
        const std::string_view here(mText.data() + mPos - 1,
                                    std::min<std::size_t>(open.size(), mText.size() - mPos + 1));
        if (here == open) {
            ++depth;
            mPos += width;
        } else if (here == close) {
            --depth;
            mPos += width;
        } else {
            ++mPos;
        }
    }
    return NormaliseText(Mid(mPos - start, start));
}

// Parentheses balance inside a literal string; its bytes come back with every escape
// applied.
std::string Scanner::ReadLiteral()
{
    const std::size_t start = static_cast<std::size_t>(mPos) - 1;
    const std::size_t end = LiteralStringEnd(mText, start);
    mPos = static_cast<int>(end) + 1;
    return LiteralStringBytes(std::string_view(mText).substr(start, end - start));
}

// Every byte of a hexadecimal string; white space between the digits is passed over.
std::string Scanner::ReadHex()
{
    ++mPos;
    const int close = Find(">");
    if (close == 0)
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
    const std::string digits = Mid(close - mPos, mPos);
    mPos = close + 1;
    for (const char c : digits) {
        if (HexDigitValue(c) < 0 && c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\0')
            throw Error(err::kTypeMismatch, "Type mismatch");
    }
    return HexStringBytes(digits);
}

// Moves one character further in every case: past the "R" of a reference.
std::string Scanner::ReadNumberOrRef(bool resolve)
{
    std::string text;
    if (resolve) {
        text = ReadResolved();
    } else {
        const double number = ReadNumber();
        if (IsDigit(Current())) {
            const double generation = ReadNumber();
            if (Current() == 'R')
                text = WholeText(number) + " " + WholeText(generation) + " R";
        } else {
            text = WholeText(number);
        }
    }
    ++mPos;
    return text;
}

bool Scanner::GetDictValue(std::string_view key, int start)
{
    const std::string slashed = "/" + std::string(key);
    int i = start == 0 ? mPos : start;
    const int length = Length();
    int depth = 0;
    while (i < length) {
        if (depth == 0) {
            const int open = Find("<<", i);
            if (open == 0)
                return false;
            depth = 1;
            i = open + 1;
        } else if (depth == 1) {
            const int inner = Find("<<", i);
            const int found = Find(slashed, i);
            if (found == 0)
                return false;
            if (inner == 0 || found < inner) {
                mPos = found + static_cast<int>(slashed.size());
                return true;
            }
            depth = 2;
            i = inner + 1;
        } else {
            const int close = Find(">>", i);
            if (close == 0)
                return false;
            depth = 1;
            i = close + 1;
        }
        ++i;
    }
    return false;
}

std::array<double, 4> ParseBox(const std::string& value)
{
    std::vector<std::string> pieces;
    SplitText(TrimSpaces(NormaliseText(ReplaceText(ReplaceText(value, "[", " "), "]", " "))),
              pieces, " ");
    if (pieces.size() < 4)
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
    std::array<double, 4> corners{};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        corners[i] = LeadingNumber(pieces[i]);
        if (!(std::abs(corners[i]) <= kMaxBoxCoordinate))
            throw Error(err::kInvalidArgument, "A page box corner that is no number or lies beyond " +
                                                   std::to_string(static_cast<long>(kMaxBoxCoordinate)));
    }
    const std::array<double, 4> box{std::min(corners[0], corners[2]), std::min(corners[1], corners[3]),
                                    std::max(corners[0], corners[2]), std::max(corners[1], corners[3])};
    if (box[0] == box[2] || box[1] == box[3])
        throw Error(err::kInvalidArgument, "A page box that encloses no area");
    return box;
}

int PageRotation(const std::string& value)
{
    const double degrees = LeadingNumber(value);
    if (!std::isfinite(degrees) || std::fmod(degrees, 90) != 0)
        return 0;
    const double turn = std::fmod(degrees, 360);
    return static_cast<int>(turn < 0 ? turn + 360 : turn);
}

}  // namespace pdf
