// Values of the scanner: names, arrays, dictionaries, strings, numbers and references, and
// the lookup of a key in a dictionary.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "pdf/core/error.h"
#include "pdf/core/text_utils.h"
#include "pdf/reader/object_copy.h"
#include "pdf/reader/scanner.h"
#include "pdf/reader/string_tokens.h"

namespace pdf {

namespace {

// Halves to even; "" for a number too large to be one.
std::string WholeText(double value)
{
    if (!std::isfinite(value))
        return {};
    // Room for every digit of the largest double.
    std::array<char, 320> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), std::nearbyint(value) + 0.0,
                                      std::chars_format::fixed, 0);
    return std::string(digits.data(), result.ptr);
}

// A value given in pieces takes at most this many objects, and this many bytes of their
// texts, a few each: objects that name one another over and over end the resolution, whose
// references then stay references.
constexpr int kMaxDirectObjects = 64;
constexpr std::size_t kMaxDirectBytes = 1u << 16;

struct DirectBudget {
    int objects = kMaxDirectObjects;
    std::size_t bytes = kMaxDirectBytes;
};

// The text with every reference replaced by the text of the object it names (null for an
// object there is none of), and so on inside that text, while the budget lasts.
std::string WithObjectsNamed(std::string_view text, const Scanner::Resolver& resolve, DirectBudget& budget)
{
    return RenumberReferences(text, [&](int number) {
        if (budget.objects == 0)
            return std::to_string(number) + " 0 R";
        --budget.objects;
        const std::string object = TrimSpaces(NormaliseText(resolve(number)));
        if (object.size() > budget.bytes) {
            budget.objects = 0;
            return std::to_string(number) + " 0 R";
        }
        budget.bytes -= object.size();
        return " " + (object.empty() ? std::string("null") : WithObjectsNamed(object, resolve, budget)) + " ";
    });
}

}  // namespace

std::string Scanner::ReadResolved()
{
    SkipWhiteSpace();
    return ReadNumberOrRef(true);
}

std::string Scanner::ReadDirect()
{
    const std::string value = ReadValue(true);
    DirectBudget budget;
    return mResolve ? WithObjectsNamed(value, mResolve, budget) : value;
}

// What the value is, the tokenizer says, as it says it for every other reading of the text.
std::string Scanner::ReadValue(bool resolve)
{
    SkipWhiteSpace();
    if (mPos > Length())
        return {};
    const SyntaxToken token = TokenHere(false);
    if (token.start != static_cast<std::size_t>(mPos) - 1)
        return {};
    switch (token.kind) {
    case SyntaxToken::kName:
        return ReadName();
    case SyntaxToken::kArrayOpen:
    case SyntaxToken::kDictOpen:
        return ReadNested();
    case SyntaxToken::kLiteral:
        return ReadLiteral();
    case SyntaxToken::kHex:
        return ReadHex(token);
    case SyntaxToken::kStray:
        // A "<" whose digits end at no ">".
        if (Current() == '<')
            throw Error(err::kTypeMismatch, "Type mismatch");
        return {};
    default:
        return ReadNumberOrRef(resolve);
    }
}

// The name or the array or dictionary at the position, to its end (or the end of the
// text); brackets inside strings are the strings' own.
SyntaxToken Scanner::TokenHere(bool whole) const
{
    const std::size_t at = static_cast<std::size_t>(mPos) - 1;
    return whole ? NextValue(Text(), at) : NextToken(Text(), at);
}

std::string Scanner::ReadName()
{
    const SyntaxToken name = TokenHere(false);
    mPos = static_cast<int>(name.end) + 1;
    return std::string(name.In(Text()));
}

std::string Scanner::ReadNested()
{
    const SyntaxToken nested = TokenHere(true);
    mPos = static_cast<int>(nested.end) + 1;
    return NormaliseText(nested.In(Text()));
}

// Parentheses balance inside a literal string; its bytes come back with every escape
// applied.
std::string Scanner::ReadLiteral()
{
    const std::size_t start = static_cast<std::size_t>(mPos) - 1;
    const std::size_t end = LiteralStringEnd(Text(), start);
    mPos = static_cast<int>(end) + 1;
    return LiteralStringBytes(std::string_view(Text()).substr(start, end - start));
}

// Every byte of a hexadecimal string; white space between the digits is passed over.
std::string Scanner::ReadHex(const SyntaxToken& hex)
{
    const std::string_view token = hex.In(Text());
    if (token.size() < 2 || token.back() != '>')
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
    mPos = static_cast<int>(hex.end) + 1;
    return HexStringBytes(token.substr(1, token.size() - 2));
}

// A number in decimal, or a reference as its text or, resolved, as the text of the object it
// names; "" for any other word, which the position stays before.
std::string Scanner::ReadNumberOrRef(bool resolve)
{
    const SyntaxToken value = NextValue(Text(), static_cast<std::size_t>(mPos) - 1);
    if (value.kind == SyntaxToken::kReference) {
        mPos = static_cast<int>(value.end) + 1;
        const int number = ReferenceNumber(value.In(Text()));
        if (number < 1)
            return {};
        if (resolve)
            return Resolve(number).second;
        const SyntaxToken generation = NextToken(Text(), NextToken(Text(), value.start).end);
        return std::to_string(number) + " " + std::string(generation.In(Text())) + " R";
    }
    const double number = ReadNumber();
    return value.kind == SyntaxToken::kWord && mPos > static_cast<int>(value.start) + 1 ? WholeText(number)
                                                                                          : std::string();
}

// The dictionary read from position 1 is parsed once for every key looked up in it.
bool Scanner::GetDictValue(std::string_view key, int start)
{
    const std::size_t from = static_cast<std::size_t>(std::max(start == 0 ? mPos : start, 1)) - 1;
    const std::size_t found = from == 0 ? Dictionary()->ValueAt(key) : DictionaryIndex(Text(), from).ValueAt(key);
    if (found == std::string_view::npos)
        return false;
    mPos = static_cast<int>(found) + 1;
    return true;
}

const std::shared_ptr<const DictionaryIndex>& Scanner::Dictionary()
{
    if (!mDictionary)
        mDictionary = std::make_shared<const DictionaryIndex>(Text(), 0);
    return mDictionary;
}

std::array<double, 4> ParseBox(const std::string& value)
{
    std::array<double, 4> corners{};
    std::size_t count = 0;
    const SyntaxToken array = NextToken(value, 0);
    for (SyntaxToken token = NextToken(value, array.end);
         array.kind == SyntaxToken::kArrayOpen && count < corners.size() && token.kind == SyntaxToken::kWord;
         token = NextToken(value, token.end)) {
        if (!NumberOfWord(token.In(value), corners[count]))
            break;
        if (!(std::abs(corners[count]) <= kMaxBoxCoordinate))
            throw Error(err::kInvalidArgument, "A page box corner that is no number or lies beyond " +
                                                   std::to_string(static_cast<long>(kMaxBoxCoordinate)));
        ++count;
    }
    if (count < corners.size())
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
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
