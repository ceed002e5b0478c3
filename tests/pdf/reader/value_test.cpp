// Values parsed from the bytes of objects, written again as syntax, and references resolved.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "pdf/core/error.h"
#include "pdf/reader/value.h"

namespace pdf {
namespace {

// What a reader of the written syntax finds is what the source said: each case's text is
// parsed and written again.
TEST(Value, ParsedOnceAndWrittenAgainAsTheSourceSaidIt)
{
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, std::string>> cases{
        {"<< /Type /Page /Rotate 90 /MediaBox [0 0 612.5 792] >>",
         "<< /Type /Page /Rotate 90 /MediaBox [ 0 0 612.5 792 ] >>"},
        // NUL separates tokens; a comment is no value.
        {"<< /Rotate 9\0"s "0 >>", "<< /Rotate 9 >>"},
        {"[1 %comment\n 2]", "[ 1 2 ]"},
        // Strings keep every byte; a hexadecimal string gives its bytes.
        {"(a  b\nc\0d)"s, "(a  b\nc\0d)"s},
        {"(x\\) \\\\ \\r)", "(x\\) \\\\ \\r)"},
        {"<48 49>", "(HI)"},
        // Of a key given twice the last counts, written once; null is no entry.
        {"<< /Title (a) /Names [/Length 7] /Title (b) /N null >>", "<< /Title (b) /Names [ /Length 7 ] >>"},
        {"<< /Type /Length /Length 10 >>", "<< /Type /Length /Length 10 >>"},
        {"[3 0 R -1 0 R 4]", "[ 3 0 R -1 0 4 ]"},
        {"[123456789012345678901.0 -99999999999999999999 2.50]", "[ 123456789012345683968.0 -100000000000000000000.0 2.5 ]"},
        {"<< /A#20B true /C false >>", "<< /A#20B true /C false >>"},
        // A word that is no value is passed over, and so is a key it stands for the value of.
        {"<< /A 1 endobj /B 2 >>", "<< /A 1 /B 2 >>"},
        {"<< /K [4 0 R 5!0 R 6 0 R] /L x#y /M 3 >>", "<< /K [ 4 0 R 6 0 R ] /M 3 >>"},
        {"[1 2", "[ 1 2 ]"},
        {"", "null"},
    };
    for (const auto& [text, written] : cases)
        EXPECT_EQ(Serialise(ParseValue(text)), written) << text;

    EXPECT_EQ(ParseValue("+3").Integer(), 3);
    EXPECT_DOUBLE_EQ(ParseValue("-.5").Number(), -0.5);
    EXPECT_TRUE(ParseValue("99999999999999999999").Is(Value::kReal));
    EXPECT_EQ(ParseValue("<< /A#42 1 >>").Get("AB").Integer(), 1);
    // Nested deeper than any producer nests, a value is null, the rest of the text read.
    const Value deep = ParseValue("<< /A " + std::string(1000, '[') + std::string(1000, ']') + " /B 1 >>");
    EXPECT_EQ(deep.Get("B").Integer(), 1);
    EXPECT_NE(Serialise(deep.Get("A")).find("[ null ]"), std::string::npos);
}

// What the tests of the text scanner asked of a dictionary's keys, strings, references and
// numbers, asked of its values: each case's value of the key as syntax, or "(absent)".
TEST(Value, KeysStringsAndNumbersAsTheSyntaxMakesThem)
{
    using namespace std::string_literals;
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        {"<< /A << /B 1 >> /B 2 >>", "B", "2"},
        {"<< /Length1 10 /Length 20 >>", "Length", "20"},
        {"<< /Length1 10 >>", "Length", "(absent)"},
        {"<< /Rotate 0 /Type /Page /Rotate 90 >>", "Rotate", "90"},
        {"<< /Rotate 90 /Type /Page /Rotate null >>", "Rotate", "(absent)"},
        {"<< /Rotate null /Rotate 90 >>", "Rotate", "90"},
        {"<< /Author (Jean <<Dupont) /Title (T) >>", "Title", "(T)"},
        {"<< /Subject (Sujet /Title x) >>", "Title", "(absent)"},
        {"<< /Subject <2F5469746C65> /K [/Title (x\\) /Title] /D << /Title 1 >> >>", "Title", "(absent)"},
        {"<< /P 3 0 R /S /Title /Title (x) >>", "Title", "(x)"},
        {"<< /A 1 >> << /Title (after) >>", "Title", "(absent)"},
        {"<< /K [(a]) 1] /L 2 >>", "K", "[ (a]) 1 ]"},
        {"<< /A [< 6 0 R >] >>", "A", "[ 6 0 R ]"},
        {"<< /A [<41> 8 0 R %6 0 R\n 9 0 R] >>", "A", "[ (A) 8 0 R 9 0 R ]"},
        {"<< /T (a\\051b\\)c) >>", "T", "(a\\)b\\)c)"},
        {"<< /T (\\0A\\101\\376) >>", "T", "(\0AA\xFE)"s},
        {"<< /T (one\\\r\ntwo\rthree) >>", "T", "(onetwo\nthree)"},
        {"<< /T <414> /U (a(b)c) >>", "T", "(A@)"},
        {"<< /T <414> /U (a(b)c) >>", "U", "(a\\(b\\)c)"},
        {"<< /W 16777217 /X 2147483647 >>", "W", "16777217"},
        {"<< /W 595.3 /X 2147483647 >>", "W", "595.3"},
    };
    for (const auto& [text, key, value] : cases) {
        const Value dictionary = ParseValue(text);
        EXPECT_EQ(dictionary.Has(key) ? Serialise(dictionary.Get(key)) : "(absent)", value) << text;
    }
    // Texts that end inside a token end the value, which is then not sound.
    for (const char* open : {"[1 2 [3", "<< /A << /B 1", "(abc\\", "<41", "[", "<<"}) {
        bool sound = true;
        std::size_t at = 0;
        ParseValue(open, at, &sound);
        EXPECT_FALSE(sound) << open;
        EXPECT_EQ(at, std::string_view(open).size()) << open;
    }
}

TEST(Value, ResolvedThroughChainsOfReferencesWithoutLooping)
{
    const std::map<int, std::string> objects{{1, "2 0 R"}, {2, "<< /N 5 >>"}, {3, "4 0 R"}, {4, "3 0 R"}, {5, "9 0 R"}};
    const ObjectLookup lookup = [&](int number) {
        const auto found = objects.find(number);
        return found == objects.end() ? Value() : ParseValue(found->second);
    };
    const std::vector<std::tuple<std::string, std::string>> cases{
        {"1 0 R", "<< /N 5 >>"}, {"3 0 R", "null"}, {"5 0 R", "null"}, {"7", "7"}, {"0 0 R", "null"}};
    for (const auto& [text, resolved] : cases)
        EXPECT_EQ(Serialise(Resolve(ParseValue(text), lookup)), resolved) << text;
}

// Objects each nested as deep as a file may nest them, each holding the next: made one value,
// they nest no deeper than one object may, and the value can be written.
TEST(Value, MadeDirectNoDeeperThanOneObjectNests)
{
    const auto nested = [](int number) {
        return ParseValue(std::string(200, '[') + std::to_string(number + 1) + " 0 R" + std::string(200, ']'));
    };
    int objects = 64;
    const std::string written = Serialise(Direct(nested(0), nested, objects));
    int depth = 0;
    int deepest = 0;
    for (const char c : written) {
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
        deepest = std::max(deepest, depth);
    }
    EXPECT_GT(deepest, 200);
    EXPECT_LE(deepest, 2 * 256);
}

}  // namespace
}  // namespace pdf
