// The scanner's text and position, white space, numbers and references.
#include "pdf/reader/scanner.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "pdf/core/error.h"

namespace pdf {

namespace {

// A chain of objects that each hold only a reference is followed this far.
constexpr int kMaxReferenceChain = 32;

}  // namespace

Scanner::Scanner(std::string text, Resolver resolve, std::shared_ptr<const DictionaryIndex> dictionary)
    : mText(std::make_shared<const std::string>(std::move(text))), mResolve(std::move(resolve)), mDictionary(std::move(dictionary))
{
}

Scanner::Scanner(std::shared_ptr<const std::string> text, Resolver resolve,
                 std::shared_ptr<const DictionaryIndex> dictionary)
    : mText(std::move(text)), mResolve(std::move(resolve)), mDictionary(std::move(dictionary))
{
}

char Scanner::At(int pos) const
{
    if (pos < 1 || pos > Length())
        return '\0';
    return Text()[static_cast<std::size_t>(pos) - 1];
}

std::string Scanner::Mid(int length, int start) const
{
    if (start == 0)
        start = mPos;
    if (start < 1 || start > Length() || length <= 0)
        return {};
    return Text().substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(length));
}

void Scanner::SkipWhiteSpace()
{
    SyntaxToken token = NextToken(Text(), static_cast<std::size_t>(std::max(mPos, 1)) - 1);
    while (token.kind == SyntaxToken::kComment)
        token = NextToken(Text(), token.end);
    mPos = std::max(mPos, static_cast<int>(token.start) + 1);
}

double Scanner::ReadNumber()
{
    SkipWhiteSpace();
    const SyntaxToken word = NextToken(Text(), static_cast<std::size_t>(mPos) - 1);
    if (word.kind != SyntaxToken::kWord)
        return 0;
    double value = 0;
    if (!NumberOfWord(word.In(Text()), value)) {
        const std::string_view text = word.In(Text());
        if (text.find_first_of("0123456789") != std::string_view::npos &&
            text.find_first_not_of("0123456789.+-") == std::string_view::npos)
            throw Error(err::kTypeMismatch, "Type mismatch");
        return 0;
    }
    mPos = static_cast<int>(word.end) + 1;
    SkipWhiteSpace();
    return value;
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
    SkipWhiteSpace();
    const SyntaxToken value = NextValue(Text(), static_cast<std::size_t>(mPos) - 1);
    if (value.kind != SyntaxToken::kReference)
        return 0;
    mPos = static_cast<int>(value.end) + 1;
    return ReferenceNumber(value.In(Text()));
}

std::pair<int, std::string> Scanner::Resolve(int number) const
{
    std::vector<int> followed;
    while (number > 0 && mResolve && followed.size() < kMaxReferenceChain &&
           std::find(followed.begin(), followed.end(), number) == followed.end()) {
        followed.push_back(number);
        std::string text = NormaliseText(mResolve(number));
        const SyntaxToken value = NextValue(text, 0);
        if (value.kind != SyntaxToken::kReference || NextToken(text, value.end).kind != SyntaxToken::kNone)
            return {number, std::move(text)};
        number = ReferenceNumber(value.In(text));
    }
    return {0, {}};
}

void Scanner::ReadRefArray(std::vector<int>& list)
{
    SkipWhiteSpace();
    if (Current() == '[') {
        CollectRefs(list);
        return;
    }
    const int number = ReadRef();
    if (number == 0)
        return;
    if (!mResolve) {
        list.assign(1, number);
        return;
    }
    // A reference to an array lists the array's references.
    const auto [object, text] = Resolve(number);
    if (NextValue(text, 0).kind == SyntaxToken::kArrayOpen)
        ReadArrayToken(text, list);
    else if (object != 0)
        list.assign(1, object);
}

// From the "[" at the position to its "]": every reference, passing over what is not one
// (nested arrays and dictionaries whole).
void Scanner::CollectRefs(std::vector<int>& list)
{
    const std::string_view text(Text());
    const SyntaxToken array = NextValue(text, static_cast<std::size_t>(mPos) - 1);
    mPos = static_cast<int>(array.end) + 1;
    // An array the text cuts short lists nothing.
    if (array.end == array.start || text[array.end - 1] != ']')
        return;
    std::vector<int> found;
    for (SyntaxToken value = NextValue(text, array.start + 1);
         value.kind != SyntaxToken::kNone && value.kind != SyntaxToken::kArrayClose && value.end <= array.end;
         value = NextValue(text, value.end)) {
        const int number = value.kind == SyntaxToken::kReference ? ReferenceNumber(value.In(text)) : 0;
        if (number > 0)
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
