// The scanner on the texts a reader meets in dictionaries and arrays, and on texts that
// end in the middle of a token.
#include <gtest/gtest.h>

#include <tuple>

#include "pdf/core/error.h"
#include "pdf/reader/object_copy.h"
#include "pdf/reader/scanner.h"

namespace pdf {
namespace {

std::string ValueOf(const std::string& text, const std::string& key, bool resolve = false)
{
    Scanner scanner(text, [](int number) { return "<<\r\n/N  " + std::to_string(number) + " >>"; });
    if (!scanner.GetDictValue(key, 1))
        return "(absent)";
    return scanner.ReadValue(resolve);
}

int ErrorOf(const std::string& text)
{
    try {
        Scanner(text).ReadValue(false);
    } catch (const Error& e) {
        return e.Number();
    }
    return 0;
}

TEST(Scanner, DictionaryValuesInTheirTextForms)
{
    const std::string page = "<< /Type /Page /Parent 3 0 R /MediaBox [0\r\n0  612 792] /Rotate 90 >>";
    EXPECT_EQ(ValueOf(page, "Type"), "/Page");
    EXPECT_EQ(ValueOf(page, "Parent"), "3 0 R");
    EXPECT_EQ(ValueOf(page, "Parent", true), "<< /N 3 >>");
    EXPECT_EQ(ValueOf(page, "MediaBox"), "[0 0 612 792]");
    EXPECT_EQ(ValueOf(page, "Rotate"), "90");
    EXPECT_EQ(ValueOf(page, "Annots"), "(absent)");
    EXPECT_EQ(ValueOf("<< /R << /A [1 [2]] >> >>", "R"), "<< /A [1 [2]] >>");
    EXPECT_EQ(ValueOf("<< /W 595.3 >>", "W"), "595");
    EXPECT_EQ(ValueOf("<< /X true >>", "X"), "");
    // Numbers with a sign or a leading point; a sign alone is none.
    EXPECT_EQ(ValueOf("<< /W -3 >>", "W"), "-3");
    EXPECT_EQ(ValueOf("<< /W +3 >>", "W"), "3");
    EXPECT_EQ(ValueOf("<< /W -.6 >>", "W"), "-1");
    EXPECT_EQ(ValueOf("<< /W - 3 >>", "W"), "");
    // Whole numbers beyond 32 bits keep their digits; beyond a double they are none.
    EXPECT_EQ(ValueOf("<< /W 99999999990 >>", "W"), "99999999990");
    EXPECT_EQ(ValueOf("<< /W 99999999990 >>", "W", true), "99999999990");
    EXPECT_EQ(ValueOf("<< /W " + std::string(400, '9') + " >>", "W"), "");

    Scanner ref("<< /Parent 3 0 R >>");
    ASSERT_TRUE(ref.GetDictValue("Parent", 1));
    EXPECT_EQ(ref.ReadRef(), 3);
}

// Keys are whole names of the dictionary's own entries, outside strings and nested values;
// of a key given twice, the last counts.
TEST(Scanner, KeysAreWholeNamesOfTheDictionarysOwnEntries)
{
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        {"<< /A << /B 1 >> /B 2 >>", "B", "2"},
        {"<< /Length1 10 /Length 20 >>", "Length", "20"},
        {"<< /Length1 10 >>", "Length", "(absent)"},
        {"<< /Rotate 0 /Type /Page /Rotate 90 >>", "Rotate", "90"},
        {"<< /Author (Jean <<Dupont) /Title (T) >>", "Title", "T"},
        {"<< /Subject (Sujet /Title x) >>", "Title", "(absent)"},
        {"<< /Subject <2F5469746C65> /K [/Title (x\\) /Title] /D << /Title 1 >> >>", "Title", "(absent)"},
        {"<< /Titles (a) /Title (The title) >>", "Title", "The title"},
        {"<< /P 3 0 R /S /Title /Title (x) >>", "Title", "x"},
        {"<< /A 1 >> << /Title (after) >>", "Title", "(absent)"},
        {"<< /Ti#74le (escaped) >>", "Title", "escaped"},
        {"<< /K [(a]) 1] /L 2 >>", "K", "[(a]) 1]"},
        {"<< /A [1 >> /B 2", "B", "(absent)"},
        {"<< /A <x /B 1 >>", "B", "1"},
    };
    for (const auto& [text, key, value] : cases)
        EXPECT_EQ(ValueOf(text, key), value) << text;
    Scanner missing("<< /A 1 >>");
    missing.SetPos(4);
    EXPECT_FALSE(missing.GetDictValue("B", 1));
    EXPECT_EQ(missing.GetPos(), 4);
}

TEST(Scanner, ReferenceListsSkipWhatIsNoReference)
{
    std::vector<int> list{9};
    Scanner array("[1 0 R 2 0 R]");
    array.ReadRefArray(list);
    EXPECT_EQ(list, (std::vector<int>{1, 2}));

    Scanner single("5 0 R");
    single.ReadRefArray(list);
    EXPECT_EQ(list, std::vector<int>{5});

    for (const char* empty : {"[]", "[ ]", "[ null /Name ]", "[ 1 0 R"}) {
        Scanner scanner(empty);
        scanner.ReadRefArray(list);
        EXPECT_EQ(list, std::vector<int>{5}) << empty;
    }
    Scanner mixed("[ /Name null 3 0 R (x) 4 0 R ]");
    mixed.ReadRefArray(list);
    EXPECT_EQ(list, (std::vector<int>{3, 4}));

    ReadArrayToken("  [6 0 R]", list);
    EXPECT_EQ(list, std::vector<int>{6});
    ReadArrayToken("6 0 R", list);
    EXPECT_EQ(list, std::vector<int>{6});
}

// The lookup of a value and the renumbering of an imported object's references read the
// text as the same tokens.
TEST(Scanner, LookupAndRenumberingSeeTheSameReferences)
{
    const std::vector<std::pair<std::string, std::vector<int>>> cases{
        {"<< /A [< 6 0 R >] >>", {6}},
        {"<< /A [(6 0 R) 7 0 R] >>", {7}},
        {"<< /A [<41> 8 0 R <4 0 R] >>", {8, 4}},
        {"<< /A [%6 0 R\n 9 0 R] >>", {9}},
        {"<< /A [/N#20 1 0 R {2 0 R}] >>", {1, 2}},
    };
    for (const auto& [text, refs] : cases) {
        std::vector<int> looked;
        Scanner scanner(text);
        ASSERT_TRUE(scanner.GetDictValue("A", 1)) << text;
        scanner.ReadRefArray(looked);
        std::vector<int> renumbered;
        RenumberReferences(text, [&](int number) {
            renumbered.push_back(number);
            return std::string();
        });
        EXPECT_EQ(looked, refs) << text;
        EXPECT_EQ(renumbered, refs) << text;
    }
}

// Strings come back as the bytes the PDF syntax makes of them.
TEST(Scanner, LiteralAndHexadecimalStrings)
{
    EXPECT_EQ(ValueOf("<< /T (a\\051b) >>", "T"), "a)b");
    EXPECT_EQ(ValueOf("<< /T (a\\)b) >>", "T"), "a)b");
    EXPECT_EQ(ValueOf("<< /T (x\\ny\\t\\\\) >>", "T"), "x\ny\t\\");
    EXPECT_EQ(ValueOf("<< /T (\\0A\\101\\376\\377) >>", "T"), std::string("\0AA\xFE\xFF", 5));
    EXPECT_EQ(ValueOf("<< /T (one\\\r\ntwo\rthree) >>", "T"), "onetwo\nthree");
    EXPECT_EQ(ValueOf("<< /T <FE FF 00 41> >>", "T"), std::string("\xFE\xFF\0A", 4));
    EXPECT_EQ(ValueOf("<< /T <414> >>", "T"), "A@");

    // Parentheses balance: the string ends at the ")" that closes its "(".
    Scanner nested("(a(b)c) /Next");
    EXPECT_EQ(nested.ReadValue(false), "a(b)c");
    EXPECT_EQ(nested.ReadValue(false), "/Next");
}

TEST(Scanner, TextsThatEndInsideATokenEndTheScan)
{
    for (const char* open : {"[1 2 [3", "<< /A << /B 1", "(abc\\", "/Name", "(", "[", "<<"}) {
        Scanner scanner(open);
        scanner.ReadValue(false);
        EXPECT_GT(scanner.GetPos(), scanner.Length()) << open;
    }
    EXPECT_EQ(ErrorOf("<41"), err::kInvalidArgument);
    EXPECT_EQ(ErrorOf("<4G>"), err::kTypeMismatch);
    EXPECT_EQ(ErrorOf("1.2.3"), err::kTypeMismatch);

    Scanner blanks(std::string(" \t\r\n\f%x\n\0/A", 11));
    blanks.SkipWhiteSpace();
    EXPECT_EQ(blanks.GetPos(), 10);
}

TEST(Scanner, IntegersAreExactBeyondSinglePrecision)
{
    Scanner offset("16777217 2147483647");
    EXPECT_EQ(WholeNumber(offset.ReadNumber()), 16777217);
    EXPECT_EQ(WholeNumber(offset.ReadNumber()), 2147483647);
}

}  // namespace
}  // namespace pdf
