// The values of PDF syntax, each object of a source file parsed once into them, and the one
// resolution of a reference into the value it names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pdf {

class Value {
public:
    enum Kind : unsigned char { kNull, kBoolean, kInteger, kReal, kString, kName, kArray, kDictionary, kReference };
    using Entry = std::pair<std::string, Value>;

    Value() = default;
    static Value Boolean(bool value);
    static Value Integer(std::int64_t value);
    static Value Real(double value);
    static Value String(std::string bytes);
    // The name's bytes, its "#" codes read, without the "/".
    static Value Name(std::string bytes);
    static Value Reference(int number, int generation);
    static Value Array(std::vector<Value> items);
    // Of a key given twice, the last entry counts, in the place of the first.
    static Value Dictionary(std::vector<Entry> entries);

    Kind GetKind() const { return mKind; }
    bool Is(Kind kind) const { return mKind == kind; }
    bool IsNumber() const { return mKind == kInteger || mKind == kReal; }
    bool IsName(std::string_view name) const { return mKind == kName && mBytes == name; }
    // An integer's or a real's number; 0 for any other value.
    double Number() const;
    std::int64_t Integer() const { return mKind == kInteger ? mInteger : 0; }
    bool Boolean() const { return mKind == kBoolean && mInteger != 0; }
    // A string's or a name's bytes; "" for any other value.
    const std::string& Bytes() const { return mBytes; }
    // A reference's object number and generation; 0 for any other value.
    int ReferenceNumber() const { return mKind == kReference ? static_cast<int>(mInteger) : 0; }
    int Generation() const { return mKind == kReference ? mGeneration : 0; }
    // An array's items; none for any other value.
    const std::vector<Value>& Items() const;
    // A dictionary's entries, each key once; none for any other value.
    const std::vector<Entry>& Entries() const;
    // The dictionary's value of the key; null when it has none or is no dictionary.
    const Value& Get(std::string_view key) const;
    bool Has(std::string_view key) const { return &Get(key) != &Null(); }

    static const Value& Null();

private:
    // An array's items, or a dictionary's entries and their indexes in key order (none for a
    // dictionary of a few keys, which is walked).
    struct Container {
        std::vector<Value> items;
        std::vector<Entry> entries;
        std::vector<std::uint32_t> byKey;
    };

    Kind mKind = kNull;
    int mGeneration = 0;
    union {
        std::int64_t mInteger = 0;
        double mReal;
    };
    std::string mBytes;
    std::shared_ptr<const Container> mContainer;
};

// The value that begins at `at` of the text, or after white space (NUL among it) and
// comments there; `at` moves past it.  A string keeps its bytes exactly, a number is read
// once, "n g R" is a reference.  A word that is no value (a keyword such as "endobj") or a
// stray delimiter is passed over inside an array or a dictionary, and gives null where a
// value begins; the text's end closes what is open.  `sound`, when given, turns false when
// the value is not sound syntax: such a word, a string or a value left open, a key that is
// no name.  An array or dictionary nested deeper than any file needs is null.
Value ParseValue(std::string_view text, std::size_t& at, bool* sound = nullptr);
// The first value of an object's bytes.
Value ParseValue(std::string_view text, bool* sound = nullptr);

// The value as sound syntax: names with "#" codes where they need them, strings byte for
// byte, each dictionary key once, references as `reference` writes them ("n g R" without it)
// and strings' bytes as `string` turns them (unchanged without it).
struct ValueWriters {
    std::function<std::string(int number, int generation)> reference;
    std::function<std::string(const std::string& bytes)> string;
};
std::string Serialise(const Value& value, const ValueWriters& writers = {});
// A name's bytes as a name token: what is no regular printable character as "#xx".
std::string NameSyntax(std::string_view bytes);

// Gives the value of an object by its number; null for an object there is none of.
using ObjectLookup = std::function<Value(int number)>;

// The value a reference names, followed through objects that hold only a reference, a few
// deep and never twice to one object (null when the chain ends in no object or in a circle);
// any other value as it is.
Value Resolve(const Value& value, const ObjectLookup& lookup);

// The value resolved, with every reference inside it replaced by the value it names, and so
// on inside those, while `objects` lasts: a value given in pieces by reference as one.  A
// reference met once the objects are spent stays a reference.
Value Direct(const Value& value, const ObjectLookup& lookup, int& objects);

// Calls `visit` with the number of every reference the value holds, at any depth.
void ForEachReference(const Value& value, const std::function<void(int number)>& visit);

// A whole number from a number read, halves to even; overflow error beyond the 32-bit range.
int WholeNumber(double value);

}  // namespace pdf
