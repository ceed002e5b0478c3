// Reads PDF tokens from one text with a current position counted from 1.  Text read from a
// file holds one character per byte, so positions are byte positions.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/reader/dictionary_index.h"
#include "pdf/reader/string_tokens.h"

namespace pdf {

class Scanner {
public:
    // Gives the normalised text of an object by its number, for references to resolve.
    using Resolver = std::function<std::string(int)>;

    // `dictionary`, when given, is the index of the text's first dictionary.
    explicit Scanner(std::string text = {}, Resolver resolve = {},
                     std::shared_ptr<const DictionaryIndex> dictionary = nullptr);

    // A text shared with the object cache: a scanner of a large object costs no copy of it.
    Scanner(std::shared_ptr<const std::string> text, Resolver resolve,
            std::shared_ptr<const DictionaryIndex> dictionary);

    const std::string& Text() const { return *mText; }
    int GetPos() const { return mPos; }
    void SetPos(int pos) { mPos = pos; }
    int Length() const { return static_cast<int>(mText->size()); }
    // Up to `length` characters from start (0: the current position); "" past the end.
    std::string Mid(int length, int start = 0) const;

    // White space and comments, as the tokenizer reads them.
    void SkipWhiteSpace();
    // The number of the word at the position; 0 when there is none (the position stays), an
    // infinity when it has too many digits for a double.  A word of number characters that
    // is no number fails with the type-mismatch error.
    double ReadNumber();
    // The object number of a reference "n g R"; 0 (the position staying) when the text
    // there is not one.
    int ReadRef();
    // An array of references, or a reference to such an array or to the one object of the
    // list; the list is replaced only when one was found.
    void ReadRefArray(std::vector<int>& list);
    // A number in decimal, or the normalised text of the object a reference names, followed
    // through objects that hold only a reference.
    std::string ReadResolved();
    // One value: a name with its "/", an array or dictionary as normalised text, a
    // string's bytes, a whole number or "n g R"; "" for anything else.
    std::string ReadValue(bool resolve);
    // The value resolved as ReadValue resolves it, with every reference inside it replaced by
    // the text of the object it names, and so on inside those texts a few objects deep: a
    // value given in pieces by reference as one.
    std::string ReadDirect();
    // Looks for the key in the first dictionary that begins at or after start (0: the
    // current position), as DictionaryIndex finds it; on success the position stands after
    // the key.
    bool GetDictValue(std::string_view key, int start);
    // The index of the text's first dictionary, made on first use.
    const std::shared_ptr<const DictionaryIndex>& Dictionary();

private:
    char At(int pos) const;
    char Current() const { return At(mPos); }
    // The object the reference names and its text, followed through objects that hold
    // only a reference, a few deep and never twice to one object: (0, "") when the chain
    // ends in no object.
    std::pair<int, std::string> Resolve(int number) const;
    void CollectRefs(std::vector<int>& list);
    SyntaxToken TokenHere(bool whole) const;
    std::string ReadName();
    std::string ReadNested();
    std::string ReadLiteral();
    std::string ReadHex(const SyntaxToken& hex);
    std::string ReadNumberOrRef(bool resolve);

    std::shared_ptr<const std::string> mText;
    int mPos = 1;
    Resolver mResolve;
    std::shared_ptr<const DictionaryIndex> mDictionary;
};

// The references of an array text that begins (after white space) with "["; the list is
// replaced only when one was found.
void ReadArrayToken(const std::string& text, std::vector<int>& list);

// CR and LF become spaces and every run of spaces one space.
std::string NormaliseText(std::string_view text);

// No page box corner lies further from the origin (points).
constexpr double kMaxBoxCoordinate = 1e7;

// The rectangle of an array text of four numbers (more are passed over) as left, bottom, right and top, whichever
// two opposite corners the text gives.  Invalid-argument error when there are fewer than
// four numbers, one of the four is no number or not finite or lies beyond kMaxBoxCoordinate, or the rectangle
// encloses no area.
std::array<double, 4> ParseBox(const std::string& value);

// A page's /Rotate value as viewers turn the page: a multiple of 90 degrees as 0, 90, 180
// or 270, anything else as 0.
int PageRotation(const std::string& value);

// A whole number from a number the scanner read, halves to even; overflow error beyond
// the 32-bit range.
int WholeNumber(double value);

}  // namespace pdf
