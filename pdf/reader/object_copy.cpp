#include "pdf/reader/object_copy.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "pdf/core/error.h"
#include "pdf/core/text_utils.h"
#include "pdf/reader/string_tokens.h"
#include "pdf/reader/value.h"

namespace pdf {

namespace {

// Calls onReference for "n g R" (with n) and onString for a string token (its text); both
// give the replacement.  Every other byte is copied, white space and comments included.
std::string RewriteTokens(std::string_view text, const std::function<std::string(int)>& onReference,
                          const std::function<std::string(std::string_view)>& onString)
{
    std::string out;
    out.reserve(text.size());
    std::size_t copied = 0;
    for (SyntaxToken token = NextToken(text, 0); token.kind != SyntaxToken::kNone; token = NextToken(text, token.end)) {
        std::string replacement;
        if (onString && (token.kind == SyntaxToken::kLiteral || token.kind == SyntaxToken::kHex)) {
            replacement = onString(token.In(text));
        } else if (onReference && token.kind == SyntaxToken::kWord) {
            const SyntaxToken value = NextValue(text, token.start);
            int number = 0;
            const std::string_view digits = token.In(text);
            if (value.kind != SyntaxToken::kReference ||
                std::from_chars(digits.data(), digits.data() + digits.size(), number).ec != std::errc())
                continue;
            replacement = onReference(number);
            token.end = value.end;
        } else {
            continue;
        }
        out.append(text.substr(copied, token.start - copied));
        out += replacement;
        copied = token.end;
    }
    out.append(text.substr(copied));
    return out;
}

}  // namespace

namespace {

[[noreturn]] void Unreadable(std::string_view token)
{
    throw Error(err::kInvalidFileFormat, "A value that cannot be read: " + std::string(token.substr(0, 40)));
}

bool LiteralClosed(std::string_view literal)
{
    int depth = 0;
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] == '\\')
            ++i;
        else if (literal[i] == '(')
            ++depth;
        else if (literal[i] == ')' && --depth == 0)
            return i + 1 == literal.size();
    }
    return false;
}

}  // namespace

std::string SoundSyntax(std::string_view text)
{
    std::string out;
    std::vector<SyntaxToken::Kind> open;
    for (SyntaxToken token = NextToken(text, 0); token.kind != SyntaxToken::kNone; token = NextToken(text, token.end)) {
        const std::string_view piece = token.In(text);
        std::string sound(piece);
        switch (token.kind) {
        case SyntaxToken::kComment:
            continue;
        case SyntaxToken::kLiteral:
            if (!LiteralClosed(piece))
                Unreadable(piece);
            break;
        case SyntaxToken::kHex:
            if (piece.back() != '>')
                Unreadable(piece);
            break;
        case SyntaxToken::kName:
            sound = NameSyntax(DecodedName(piece));
            break;
        case SyntaxToken::kDictOpen:
        case SyntaxToken::kArrayOpen:
            open.push_back(token.kind);
            break;
        case SyntaxToken::kDictClose:
        case SyntaxToken::kArrayClose:
            if (open.empty() || (open.back() == SyntaxToken::kDictOpen) != (token.kind == SyntaxToken::kDictClose))
                Unreadable(piece);
            open.pop_back();
            break;
        case SyntaxToken::kWord: {
            double number = 0;
            if (!NumberOfWord(piece, number) && piece != "true" && piece != "false" && piece != "null" && piece != "R")
                Unreadable(piece);
            break;
        }
        default:
            Unreadable(piece);
        }
        if (!out.empty())
            out += ' ';
        out += sound;
    }
    if (!open.empty())
        Unreadable(text.substr(text.size() - std::min<std::size_t>(text.size(), 40)));
    return out;
}

std::string RenumberReferences(std::string_view text, const std::function<std::string(int)>& renumber)
{
    return RewriteTokens(text, renumber, nullptr);
}

std::string EncipherStrings(std::string_view text,
                            const std::function<std::string(std::string)>& encipher)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return RewriteTokens(text, nullptr, [&](std::string_view token) {
        const std::string cipher = encipher(token[0] == '(' ? LiteralStringBytes(token) : HexStringBytes(token));
        std::string hex = "<";
        for (const char c : cipher) {
            hex += kDigits[static_cast<unsigned char>(c) >> 4];
            hex += kDigits[static_cast<unsigned char>(c) & 15];
        }
        return hex + ">";
    });
}

std::string WithLength(std::string_view dictionary, std::size_t length)
{
    const std::string value = std::to_string(length);
    int depth = 0;
    for (SyntaxToken token = NextToken(dictionary, 0); token.kind != SyntaxToken::kNone;
         token = NextToken(dictionary, token.end)) {
        if (token.kind == SyntaxToken::kDictOpen || token.kind == SyntaxToken::kDictClose) {
            depth += token.kind == SyntaxToken::kDictOpen ? 1 : -1;
        } else if (depth == 1 && token.kind == SyntaxToken::kName && DecodedName(token.In(dictionary)) == "Length") {
            // The number, or the reference, after the key gives way to the length.
            const SyntaxToken old = NextValue(dictionary, token.end);
            const bool number = old.kind == SyntaxToken::kReference ||
                                (old.kind == SyntaxToken::kWord && old.In(dictionary).find_first_not_of("0123456789.+-") ==
                                                                       std::string_view::npos);
            const std::size_t start = number ? old.start : token.end;
            const std::size_t end = number ? old.end : token.end;
            return std::string(dictionary.substr(0, start)) + (start == token.end ? " " : "") + value +
                   std::string(dictionary.substr(end));
        }
    }
    const std::size_t open = dictionary.find("<<");
    if (open == std::string_view::npos)
        return std::string(dictionary);
    return std::string(dictionary.substr(0, open + 2)) + " /Length " + value + std::string(dictionary.substr(open + 2));
}

}  // namespace pdf
