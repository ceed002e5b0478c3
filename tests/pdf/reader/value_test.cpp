// Values parsed from the bytes of objects, written again as syntax, and references resolved.
#include <gtest/gtest.h>

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
        {"[3 0 R -1 0 R 4]", "[ 3 0 R -1 0 ]"},
        {"<< /A#20B true /C false >>", "<< /A#20B true /C false >>"},
        // A keyword that is no value ends what is open.
        {"<< /A 1 endobj /B 2 >>", "<< /A 1 >>"},
        {"[1 2", "[ 1 2 ]"},
        {"", "null"},
    };
    for (const auto& [text, written] : cases)
        EXPECT_EQ(Serialise(ParseValue(text)), written) << text;

    EXPECT_EQ(ParseValue("+3").Integer(), 3);
    EXPECT_DOUBLE_EQ(ParseValue("-.5").Number(), -0.5);
    EXPECT_TRUE(ParseValue("99999999999999999999").Is(Value::kReal));
    EXPECT_EQ(ParseValue("<< /A#42 1 >>").Get("AB").Integer(), 1);
    EXPECT_THROW(ParseValue(std::string(1000, '[')), Error);
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

}  // namespace
}  // namespace pdf
