// Values of the scanner: names, arrays, dictionaries, strings, numbers and references, and
// the lookup of a key in a dictionary.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "pdf/core/error.h"
#include "pdf/core/text_utils.h"
#include "pdf/reader/scanner.h"

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

// Bytes 0, 254 and 255 never reach a decoded string.
void AppendKept(std::string& text, int code)
{
    if (code >= 1 && code <= 253)
        text += static_cast<char>(code);
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
    if (IsDigit(c))
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

// The first ")" that no backslash escapes ends the string.
std::string Scanner::ReadLiteral()
{
    const int start = ++mPos;
    int end = Length() + 1;
    while (mPos <= Length()) {
        if (Mid(2) == "\\\\")
            mPos += 2;
        if (Mid(2) == "\\(")
            mPos += 2;
        if (Mid(2) == "\\)")
            mPos += 2;
        if (Current() == ')' && mPos <= Length()) {
            end = mPos++;
            break;
        }
        ++mPos;
    }
    return ReadLiteralString(Mid(end - start, start));
}

// Only printable ASCII survives: byte-order marks and the high bytes of UTF-16 drop out.
std::string Scanner::ReadHex()
{
    ++mPos;
    const int close = Find(">");
    if (close == 0)
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
    const std::string digits = Mid(close - mPos, mPos);
    mPos = close + 1;
    std::string text;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        const int high = HexDigitValue(digits[i]);
        const int low = HexDigitValue(digits[i + 1]);
        if (high < 0 || low < 0)
            throw Error(err::kTypeMismatch, "Type mismatch");
        const int code = high * 16 + low;
        if (code >= 32 && code <= 126)
            text += static_cast<char>(code);
    }
    return text;
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

std::string ReadLiteralString(std::string_view raw)
{
    std::string text;
    const std::size_t n = raw.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = raw[i];
        if (c != '\\') {
            AppendKept(text, static_cast<unsigned char>(c));
            ++i;
            continue;
        }
        if (i + 1 == n) {
            text += '\\';
            break;
        }
        const char next = raw[i + 1];
        if (next == '(' || next == ')' || next == '\\') {
            text += next;
            i += 2;
        } else if (IsDigit(next)) {
            // Up to three digits, each taken with its own value in base 8.
            int code = 0;
            int digits = 0;
            i += 1;
            while (digits < 3 && i < n && IsDigit(raw[i])) {
                code = code * 8 + (raw[i] - '0');
                ++digits;
                ++i;
            }
            AppendKept(text, code);
        } else {
            i += 2;
        }
    }
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
    return {LeadingNumber(pieces[0]), LeadingNumber(pieces[1]), LeadingNumber(pieces[2]),
            LeadingNumber(pieces[3])};
}

}  // namespace pdf
