#include "pdf/reader/value.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "pdf/core/error.h"
#include "pdf/reader/lexer.h"

namespace pdf {

namespace {

// Arrays and dictionaries nested deeper than this come from no producer.
constexpr int kMaxNesting = 256;
// A chain of objects that each hold only a reference is followed this far.
constexpr int kMaxReferenceChain = 32;

const std::vector<Value> kNoItems;
const std::vector<Value::Entry> kNoEntries;


// A word that is a whole number within 64 bits is an integer, any other number a real.
Value WordValue(std::string_view word)
{
    if (word == "true" || word == "false")
        return Value::Boolean(word == "true");
    std::int64_t whole = 0;
    const char* begin = word.data() + (word.size() > 1 && word[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, word.data() + word.size(), whole);
    if (error == std::errc() && end == word.data() + word.size())
        return Value::Integer(whole);
    double number = 0;
    return NumberOfWord(word, number) ? Value::Real(number) : Value();
}

// Reads values from one text, noting whether all it read was sound syntax.
class Parser {
public:
    Parser(std::string_view text, bool* sound) : mText(text), mSound(sound) {}

    // What stands where a value should and is none is passed over.
    Value Read(std::size_t& at, int depth)
    {
        const SyntaxToken token = Next(at);
        Value value;
        if (!ValueOf(token, at, depth, value)) {
            Require(token.kind == SyntaxToken::kNone);
            at = token.end;
        }
        return value;
    }

private:
    void Require(bool sound)
    {
        if (!sound && mSound)
            *mSound = false;
    }

    SyntaxToken Next(std::size_t at) const
    {
        SyntaxToken token = NextToken(mText, at);
        while (token.kind == SyntaxToken::kComment)
            token = NextToken(mText, token.end);
        return token;
    }

    // The value the token begins, `at` moved past it; false, `at` left before it, for what
    // begins none: a close, a stray delimiter, a keyword such as "endobj", the text's end.
    bool ValueOf(const SyntaxToken& token, std::size_t& at, int depth, Value& value)
    {
        switch (token.kind) {
        case SyntaxToken::kDictOpen:
        case SyntaxToken::kArrayOpen:
            // Deeper than any producer nests, the value is null, as the peers read it.
            if (depth >= kMaxNesting) {
                Require(false);
                at = NextValue(mText, token.start).end;
                value = Value();
                return true;
            }
            at = token.end;
            value = token.kind == SyntaxToken::kDictOpen ? ReadDictionary(at, depth + 1) : ReadArray(at, depth + 1);
            return true;
        case SyntaxToken::kLiteral:
            at = token.end;
            Require(token.closed);
            value = Value::String(LiteralStringBytes(token.In(mText)));
            return true;
        case SyntaxToken::kHex: {
            at = token.end;
            Require(token.closed);
            value = Value::String(HexStringBytes(mText.substr(token.start + 1, token.end - token.start - (token.closed ? 2 : 1))));
            return true;
        }
        case SyntaxToken::kName:
            at = token.end;
            value = Value::Name(DecodedName(token.In(mText)));
            return true;
        case SyntaxToken::kWord:
            return ReadWord(token, at, value);
        default:
            return false;
        }
    }

    // Past the close of the kind expected; a value that ends otherwise is not sound.
    void Close(const SyntaxToken& token, SyntaxToken::Kind close, std::size_t& at)
    {
        Require(token.kind == close);
        at = token.kind == close ? token.end : token.start;
    }

    // A word that is no value or a stray delimiter, passed over: what follows it is read.
    bool PassedOver(const SyntaxToken& token, std::size_t& at)
    {
        if (token.kind != SyntaxToken::kWord && token.kind != SyntaxToken::kStray)
            return false;
        Require(false);
        at = token.end;
        return true;
    }

    Value ReadArray(std::size_t& at, int depth)
    {
        std::vector<Value> items;
        SyntaxToken token = Next(at);
        for (Value item;; token = Next(at)) {
            if (ValueOf(token, at, depth, item))
                items.push_back(std::move(item));
            else if (!PassedOver(token, at))
                break;
        }
        Close(token, SyntaxToken::kArrayClose, at);
        return Value::Array(std::move(items));
    }

    // What stands where a key should is passed over whole; a key without a value makes no
    // entry.  A key whose last value is null has none: it is dropped once the last value of
    // each key is known, so that "/A 1 /A null" leaves no /A.
    Value ReadDictionary(std::size_t& at, int depth)
    {
        std::vector<Value::Entry> entries;
        entries.reserve(4);
        bool nulls = false;
        SyntaxToken key = Next(at);
        for (Value name;; key = Next(at)) {
            if (!ValueOf(key, at, depth, name)) {
                if (PassedOver(key, at))
                    continue;
                break;
            }
            Require(key.kind == SyntaxToken::kName);
            if (key.kind != SyntaxToken::kName)
                continue;
            const SyntaxToken next = Next(at);
            Value entry;
            if (!ValueOf(next, at, depth, entry)) {
                Require(false);
                PassedOver(next, at);
                continue;
            }
            nulls = nulls || entry.Is(Value::kNull);
            entries.emplace_back(name.Bytes(), std::move(entry));
        }
        Close(key, SyntaxToken::kDictClose, at);
        Value dictionary = Value::Dictionary(std::move(entries));
        if (!nulls)
            return dictionary;
        std::vector<Value::Entry> kept;
        for (const Value::Entry& entry : dictionary.Entries()) {
            if (!entry.second.Is(Value::kNull))
                kept.push_back(entry);
        }
        return Value::Dictionary(std::move(kept));
    }

    bool ReadWord(const SyntaxToken& token, std::size_t& at, Value& value)
    {
        const std::size_t referenceEnd = ReferenceEnd(mText, token);
        if (referenceEnd == 0) {
            const std::string_view word = token.In(mText);
            value = WordValue(word);
            if (value.Is(Value::kNull) && word != "null")
                return false;
            at = token.end;
            return true;
        }
        at = referenceEnd;
        const SyntaxToken generation = NextToken(mText, token.end);
        int number = 0;
        int gen = 0;
        const std::string_view n = token.In(mText);
        const std::string_view g = generation.In(mText);
        value = std::from_chars(n.data(), n.data() + n.size(), number).ec == std::errc() &&
                        std::from_chars(g.data(), g.data() + g.size(), gen).ec == std::errc()
                    ? Value::Reference(number, gen)
                    : Value();
        return true;
    }

    std::string_view mText;
    bool* mSound;
};

// Every byte as it is but those a literal string reads otherwise.
std::string LiteralSyntax(std::string_view bytes)
{
    std::string literal = "(";
    for (const char c : bytes) {
        if (c == '(' || c == ')' || c == '\\')
            literal += '\\';
        if (c == '\r')
            literal += "\\r";
        else
            literal += c;
    }
    return literal + ")";
}

std::string NumberSyntax(double number)
{
    if (!std::isfinite(number))
        return "0";
    std::array<char, 400> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), number + 0.0,
                                      std::chars_format::fixed);
    std::string syntax(digits.data(), result.ptr);
    // Written without a point, a real beyond the 64-bit integers would read as an integer
    // that overflows.
    if (syntax.find('.') == std::string::npos && std::abs(number) >= 0x1p63)
        syntax += ".0";
    return syntax;
}

void Write(const Value& value, const ValueWriters& writers, std::string& out)
{
    switch (value.GetKind()) {
    case Value::kNull:
        out += "null";
        break;
    case Value::kBoolean:
        out += value.Boolean() ? "true" : "false";
        break;
    case Value::kInteger:
        out += std::to_string(value.Integer());
        break;
    case Value::kReal:
        out += NumberSyntax(value.Number());
        break;
    case Value::kString:
        out += LiteralSyntax(writers.string ? writers.string(value.Bytes()) : value.Bytes());
        break;
    case Value::kName:
        out += NameSyntax(value.Bytes());
        break;
    case Value::kReference:
        out += writers.reference ? writers.reference(value.ReferenceNumber(), value.Generation())
                                 : std::to_string(value.ReferenceNumber()) + " " +
                                       std::to_string(value.Generation()) + " R";
        break;
    case Value::kArray:
        out += '[';
        for (const Value& item : value.Items()) {
            out += ' ';
            Write(item, writers, out);
        }
        out += " ]";
        break;
    case Value::kDictionary:
        out += "<<";
        for (const auto& [key, item] : value.Entries()) {
            out += ' ';
            out += NameSyntax(key);
            out += ' ';
            Write(item, writers, out);
        }
        out += " >>";
        break;
    }
}

}  // namespace

std::string NameSyntax(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string name = "/";
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code <= ' ' || code >= 127 || c == '#' || IsDelimiter(c)) {
            name += '#';
            name += kDigits[code >> 4];
            name += kDigits[code & 15];
        } else {
            name += c;
        }
    }
    return name;
}

Value Value::Boolean(bool value)
{
    Value v;
    v.mKind = kBoolean;
    v.mInteger = value ? 1 : 0;
    return v;
}

Value Value::Integer(std::int64_t value)
{
    Value v;
    v.mKind = kInteger;
    v.mInteger = value;
    return v;
}

Value Value::Real(double value)
{
    Value v;
    v.mKind = kReal;
    v.mReal = value;
    return v;
}

Value Value::String(std::string bytes)
{
    Value v;
    v.mKind = kString;
    v.mBytes = std::move(bytes);
    return v;
}

Value Value::Name(std::string bytes)
{
    Value v;
    v.mKind = kName;
    v.mBytes = std::move(bytes);
    return v;
}

Value Value::Reference(int number, int generation)
{
    Value v;
    v.mKind = kReference;
    v.mInteger = number;
    v.mGeneration = generation;
    return v;
}

Value Value::Array(std::vector<Value> items)
{
    Value v;
    v.mKind = kArray;
    auto container = std::make_shared<Container>();
    container->items = std::move(items);
    v.mContainer = std::move(container);
    return v;
}

// Dictionaries of a few keys are looked up and freed of a key given twice by a walk; larger
// ones through their keys sorted once, so that a dictionary of a million keys costs n log n.
constexpr std::size_t kSmallDictionary = 12;

Value Value::Dictionary(std::vector<Entry> entries)
{
    Container dict;
    if (entries.size() <= kSmallDictionary) {
        dict.entries = std::move(entries);
        for (std::size_t i = 1; i < dict.entries.size();) {
            const auto given = std::find_if(dict.entries.begin(), dict.entries.begin() + static_cast<std::ptrdiff_t>(i),
                                            [&](const Entry& e) { return e.first == dict.entries[i].first; });
            if (given == dict.entries.begin() + static_cast<std::ptrdiff_t>(i)) {
                ++i;
                continue;
            }
            given->second = std::move(dict.entries[i].second);
            dict.entries.erase(dict.entries.begin() + static_cast<std::ptrdiff_t>(i));
        }
    } else {
        dict.entries.reserve(entries.size());
        std::vector<std::uint32_t> order(entries.size());
        for (std::uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return entries[a].first < entries[b].first; });
        // Of a run of one key, the first place takes the last value.
        std::vector<bool> kept(entries.size(), true);
        for (std::size_t i = 0; i < order.size();) {
            std::size_t j = i + 1;
            while (j < order.size() && entries[order[j]].first == entries[order[i]].first)
                ++j;
            if (j - i > 1) {
                entries[order[i]].second = std::move(entries[order[j - 1]].second);
                for (std::size_t k = i + 1; k < j; ++k)
                    kept[order[k]] = false;
            }
            i = j;
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (kept[i])
                dict.entries.push_back(std::move(entries[i]));
        }
        dict.byKey.resize(dict.entries.size());
        for (std::uint32_t i = 0; i < dict.byKey.size(); ++i)
            dict.byKey[i] = i;
        std::sort(dict.byKey.begin(), dict.byKey.end(),
                  [&](std::uint32_t a, std::uint32_t b) { return dict.entries[a].first < dict.entries[b].first; });
    }
    Value v;
    v.mKind = kDictionary;
    v.mContainer = std::make_shared<const Container>(std::move(dict));
    return v;
}

double Value::Number() const
{
    if (mKind == kReal)
        return mReal;
    return static_cast<double>(Integer());
}

const std::vector<Value>& Value::Items() const
{
    return mKind == kArray ? mContainer->items : kNoItems;
}

const std::vector<Value::Entry>& Value::Entries() const
{
    return mKind == kDictionary ? mContainer->entries : kNoEntries;
}

const Value& Value::Get(std::string_view key) const
{
    if (mKind != kDictionary)
        return Null();
    const auto& entries = mContainer->entries;
    const auto& byKey = mContainer->byKey;
    if (byKey.empty()) {
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.first == key; });
        return found != entries.end() ? found->second : Null();
    }
    const auto found = std::lower_bound(byKey.begin(), byKey.end(), key,
                                        [&](std::uint32_t index, std::string_view k) { return entries[index].first < k; });
    return found != byKey.end() && entries[*found].first == key ? entries[*found].second : Null();
}

const Value& Value::Null()
{
    static const Value kNull{};
    return kNull;
}

Value ParseValue(std::string_view text, std::size_t& at, bool* sound)
{
    return Parser(text, sound).Read(at, 0);
}

Value ParseValue(std::string_view text, bool* sound)
{
    std::size_t at = 0;
    return Parser(text, sound).Read(at, 0);
}

std::string Serialise(const Value& value, const ValueWriters& writers)
{
    std::string out;
    Write(value, writers, out);
    return out;
}

Value Resolve(const Value& value, const ObjectLookup& lookup)
{
    if (!value.Is(Value::kReference))
        return value;
    Value current = value;
    std::array<int, kMaxReferenceChain> followed{};
    std::size_t count = 0;
    while (current.Is(Value::kReference)) {
        const int number = current.ReferenceNumber();
        const auto end = followed.begin() + static_cast<std::ptrdiff_t>(count);
        if (number < 1 || count == followed.size() || std::find(followed.begin(), end, number) != end)
            return {};
        followed[count++] = number;
        current = lookup(number);
    }
    return current;
}

namespace {

bool HoldsReference(const Value& value)
{
    if (value.Is(Value::kReference))
        return true;
    for (const Value& item : value.Items()) {
        if (HoldsReference(item))
            return true;
    }
    for (const auto& entry : value.Entries()) {
        if (HoldsReference(entry.second))
            return true;
    }
    return false;
}

// Objects each nested within the nesting limit could, put one inside another, nest as deep
// as the objects are many: past the limit an array or dictionary that still holds a
// reference is null, as one parsed that deep is, so that no walk of the value runs out of
// stack.
Value DirectAt(const Value& value, const ObjectLookup& lookup, int& objects, int depth)
{
    if (!HoldsReference(value))
        return value;
    if (value.Is(Value::kReference)) {
        if (objects <= 0)
            return value;
        --objects;
        return DirectAt(Resolve(value, lookup), lookup, objects, depth);
    }
    if (depth >= kMaxNesting)
        return {};
    if (value.Is(Value::kArray)) {
        std::vector<Value> items;
        items.reserve(value.Items().size());
        for (const Value& item : value.Items())
            items.push_back(DirectAt(item, lookup, objects, depth + 1));
        return Value::Array(std::move(items));
    }
    std::vector<Value::Entry> entries;
    entries.reserve(value.Entries().size());
    for (const auto& [key, item] : value.Entries())
        entries.emplace_back(key, DirectAt(item, lookup, objects, depth + 1));
    return Value::Dictionary(std::move(entries));
}

}  // namespace

Value Direct(const Value& value, const ObjectLookup& lookup, int& objects)
{
    return DirectAt(value, lookup, objects, 0);
}

void ForEachReference(const Value& value, const std::function<void(int number)>& visit)
{
    if (value.Is(Value::kReference))
        visit(value.ReferenceNumber());
    for (const Value& item : value.Items())
        ForEachReference(item, visit);
    for (const auto& entry : value.Entries())
        ForEachReference(entry.second, visit);
}

int WholeNumber(double value)
{
    const double whole = std::nearbyint(value);
    if (!(whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max()))
        throw Error(err::kOverflow, "Overflow");
    return static_cast<int>(whole);
}

}  // namespace pdf
