// Form fields: their widgets, scripts and the document's /AcroForm dictionary.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::CaseOutputPath;
using testing_support::CountOf;
using testing_support::FinishChecked;
using testing_support::PinnedWriter;
using testing_support::RunTool;

class Fields : public testing_support::DocumentTest {
protected:
    Fields() : DocumentTest("fields_") {}
    void SetUp() override
    {
        DocumentTest::SetUp();
        writer->SetFont("Helvetica", 10.5f, 0, 0);
    }
};

TEST_F(Fields, EachKindWritesItsWidget)
{
    writer->SetColorText("blue");
    writer->DrawField("nom", 0, 10, 20, 100, 15, "Zoë", "20", "Votre nom", 2048);
    writer->SetColorText("black");
    writer->DrawField("ok", 1, 10, 40, 10, 10, "TRUE", "", "", 0);
    writer->DrawField("non", 1, 10, 60, 10, 10, "oui", "", "", 1 << 23);
    writer->DrawField("ville", 3, 10, 80, 100, 15, "Rome|Paris|Oslo", "2", "", 1 + 4 + 16384);
    writer->DrawField("choix", 4, 10, 100, 10, 10, "", "", "", 2 + (1 << 26));
    writer->DrawField("envoyer", 5, 10, 120, 60, 20, "Envoyer", "this.print();", "", 8192);
    const std::string pdf = Finish();

    const std::string da = "/DA (/" + prefix + "Arial 10.5 Tf ";
    // The page object (19) comes right after the widgets (13 to 18); the font is object 4,
    // the toggles' appearances 5 to 8, 10 and 11, the radio group 9, the button's script 12.
    EXPECT_NE(pdf.find("<< /Type /Annot /Subtype /Widget \r /Rect [ 10 822 110 807] /F 4 \r"
                       "/BS << /Type /Border /W 1 /S /S>> /FT /Tx /Ff 0 \r/Q 2  /MaxLen 20  " +
                       da + "0 0 1 rg ) /T (nom) /TU (Votre nom) /MK << /BG [ 1 1 1 ]  "
                            "/BC [ 0 0 0 ] >> \r /V (Zo\xEB) /DV (Zo\xEB)  /P 19 0 R >>"),
              std::string::npos);
    EXPECT_NE(pdf.find("/FT /Btn /Ff 0 /V /Yes /DV /Yes  /AS /Yes /AP << /N << /Yes 5 0 R "
                       "/Off 6 0 R >> >>  " + da + "0 0 0 rg ) /T (ok) "
                       "/MK << /CA (4)  /BG [ 1 1 1 ]  /BC [ 0 0 0 ] >>  /P 19 0 R >>"),
              std::string::npos);
    EXPECT_NE(pdf.find("/FT /Btn /Ff 0 /V /Off  /AS /Off /AP << /N << /Yes 7 0 R /Off 8 0 R "
                       ">> >>  " + da + "0 0 0 rg ) /T (non) /MK << /CA (F) "),
              std::string::npos);
    EXPECT_NE(pdf.find("/Rect [ 10 762 110 747] /F 6  /FT /Ch /Ff 131072  " + da +
                       "0 0 0 rg ) /T (ville) /MK <<>> /Opt [ (Rome)(Paris)(Oslo) ]  /DV (Paris) "
                       "/V (Paris) /P 19 0 R >>"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Parent 9 0 R  /AS /Off /AP << /N << /Choice1 10 0 R /Off 11 0 R >> >>  " +
                       da + "0 0 0 rg ) /MK << /CA (l)  /BG [ 1 1 1 ]  /BC [ 0 0 0 ] /R 90 >>  "
                            "/P 19 0 R >>"),
              std::string::npos);
    EXPECT_NE(pdf.find("<< /FT /Btn /Ff 49152 /T (choix) /V /Off /DV /Off /Kids [ 17 0 R ] >>"),
              std::string::npos);
    EXPECT_NE(pdf.find("/FT /Btn /Ff 65536 /DA (/" + prefix + "Arial 0 Tf 0 0 0 rg ) "
                       "/T (envoyer) /MK << /CA (Envoyer)  /BG [ 1 1 1 ]  /BC [ 0 0 0 ] >>  "
                       "/A << /S /JavaScript /JS 12 0 R >>  /P 19 0 R >>"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Annots [ 13 0 R 14 0 R 15 0 R 16 0 R 17 0 R 18 0 R  ] "),
              std::string::npos);
    EXPECT_NE(pdf.find("/AcroForm <</NeedAppearances true /Fields [9 0 R 13 0 R 14 0 R 15 0 R "
                       "16 0 R 18 0 R ] /CO [] /DR << /Font <<\r/" +
                       prefix + "Arial 4 0 R /ZaDb << /Type /Font /Subtype /Type1 /BaseFont "
                                "/ZapfDingbats >> >> >> >>"),
              std::string::npos);

    const auto fields = RunTool("qpdf --json --json-key=acroform '" + path + "'").output;
    EXPECT_EQ(CountOf(fields, "\"fullname\""), 6) << fields;
    EXPECT_NE(fields.find("\"fullname\": \"ville\""), std::string::npos);
}

// A ticked box shows its mark in both renderers, and every toggle carries the on and off
// appearances a viewer switches between.  Radio buttons of one name are one field.
TEST_F(Fields, TickedBoxesAndRadioButtonsShowTheirMark)
{
    writer->DrawField("ok", 1, 100, 100, 40, 40, "True", "", "", 0);
    writer->DrawField("non", 1, 200, 100, 40, 40, "", "", "", 0);
    writer->DrawField("choix", 4, 100, 200, 40, 40, "", "", "Un choix", 0);
    writer->DrawField("choix", 4, 200, 200, 40, 40, "true", "", "", 0);
    Finish();

    // Dark pixels inside the border of the box whose top-left corner is at (x, y).
    const auto marked = [](const testing_support::Rendering& page, int x, int y) {
        int dark = 0;
        for (int row = y + 4; row < y + 36; ++row)
            for (int column = x + 4; column < x + 36; ++column)
                dark += page.At(column, row)[0] < 128;
        return dark;
    };
    for (const bool mupdf : {false, true}) {
        const auto page = testing_support::RenderPage(path, mupdf);
        EXPECT_GT(marked(page, 100, 100), 20) << mupdf;
        EXPECT_EQ(marked(page, 200, 100), 0) << mupdf;
        EXPECT_EQ(marked(page, 100, 200), 0) << mupdf;
        EXPECT_GT(marked(page, 200, 200), 20) << mupdf;
    }
    EXPECT_EQ(RunTool("pdftoppm -r 10 '" + path + "' > /dev/null").output, "");
    const auto fields = RunTool("qpdf --json --json-key=acroform '" + path + "'").output;
    EXPECT_EQ(CountOf(fields, "\"fullname\": \"choix\""), 2) << fields;  // one per widget
    const std::string form = testing_support::Show(path, "trailer/Root/AcroForm/Fields");
    EXPECT_EQ(CountOf(form, " 0 R"), 3) << form;
    EXPECT_EQ(CountOf(testing_support::Show(path, "trailer/Root/AcroForm/Fields/1/Kids"), " 0 R"),
              2);
    EXPECT_NE(testing_support::Show(path, "trailer/Root/AcroForm/Fields/1/V").find("/Choice2"),
              std::string::npos);
    for (int annot = 1; annot <= 4; ++annot) {
        const std::string widget = "pages/1/Annots/" + std::to_string(annot);
        const std::string states = testing_support::Show(path, widget + "/AP/N");
        EXPECT_NE(states.find("/Off "), std::string::npos) << states;
        EXPECT_EQ(CountOf(states, " 0 R"), 2) << states;
        EXPECT_EQ(testing_support::Show(path, widget + "/AS").find("/Off"),
                  annot == 1 || annot == 4 ? std::string::npos : 0u)
            << annot;
    }
}

// A list box shows its default option highlighted in both renderers: the rows where the
// selected box differs from the same box without a selection hold the second option's text
// and touch neither of the others.  The box without a selection is given from its lower edge
// with a negative height, and shows its options all the same.
TEST_F(Fields, AListBoxShowsItsDefaultOptionHighlighted)
{
    writer->SetFontSize(20);
    writer->DrawField("choisie", 2, 100, 100, 150, 90, "Rome|Paris|Oslo", "2", "", 0);
    writer->DrawField("libre", 2, 300, 190, 150, -90, "Rome|Paris|Oslo", "", "", 0);
    Finish();

    for (const bool mupdf : {false, true}) {
        const auto page = testing_support::RenderPage(path, mupdf);
        ASSERT_GT(page.width, 0) << mupdf;
        std::vector<int> highlighted;
        std::vector<std::pair<int, int>> lines;  // rows of text in the box with no selection
        for (int row = 103; row < 187; ++row) {
            bool differs = false;
            bool dark = false;
            for (int column = 103; column < 247; ++column) {
                const auto selected = page.At(column, row);
                const auto plain = page.At(column + 200, row);
                for (int channel = 0; channel < 3; ++channel)
                    differs = differs || std::abs(selected[channel] - plain[channel]) > 60;
                dark = dark || plain[0] < 128;
            }
            if (differs)
                highlighted.push_back(row);
            if (dark && (lines.empty() || lines.back().second != row - 1))
                lines.emplace_back(row, row);
            else if (dark)
                lines.back().second = row;
        }
        ASSERT_EQ(lines.size(), 3u) << mupdf;
        ASSERT_FALSE(highlighted.empty()) << mupdf;
        EXPECT_GT(highlighted.front(), lines[0].second) << mupdf;
        EXPECT_LE(highlighted.front(), lines[1].first) << mupdf;
        EXPECT_GE(highlighted.back(), lines[1].second) << mupdf;
        EXPECT_LT(highlighted.back(), lines[2].first) << mupdf;
    }
}

TEST_F(Fields, ScriptsReachTheFieldAndItsChildren)
{
    writer->DrawField("total", 0, 0, 0, 10, 10, "", "", "", 0);
    writer->DrawField("total.a", 0, 0, 20, 10, 10, "", "", "", 0);
    writer->DrawField("totalement", 0, 0, 40, 10, 10, "", "", "", 0);
    writer->OnFieldEvent(8, "total", "event.value = 1;");
    writer->OnFieldEvent(0, "total.a", "app.beep();");
    writer->OnFieldEvent(10, "total", "ignored");
    writer->OnFieldEvent(3, "total", "");
    const std::string pdf = Finish();
    EXPECT_NE(pdf.find("/T (total) /MK <<"), std::string::npos);
    EXPECT_NE(pdf.find(" /AA <<  /C << /S /JavaScript /JS 5 0 R >> >>  /P 10 0 R >>"),
              std::string::npos);
    EXPECT_NE(pdf.find(" /AA <<  /C << /S /JavaScript /JS 5 0 R >> >>  /A << /S /JavaScript "
                       "/JS 6 0 R >> /P 10 0 R >>"),
              std::string::npos);
    EXPECT_EQ(CountOf(pdf, "/AA"), 2);
    EXPECT_NE(pdf.find("/CO [7 0 R 8 0 R ]"), std::string::npos);
    EXPECT_EQ(pdf.find("ignored"), std::string::npos);
}

// A trigger given a second script names it once and runs both in order; a second
// activation script replaces the first.
TEST(FieldTriggers, ASecondScriptOfATriggerRunsAfterTheFirst)
{
    struct Case {
        int code;
        const char* action;   // where readers find it, from the field
        const char* scripts;  // as readers run them
    };
    const Case cases[] = {
        {0, "f.A", "second();"},
        {1, "f.AA.D", "first(); second();"},
        {6, "f.AA.K", "first(); second();"},
        {8, "f.AA.C", "first(); second();"},
    };
    for (const Case& c : cases) {
        auto writer = PinnedWriter();
        std::string path = CaseOutputPath("fields_" + std::to_string(c.code) + "_");
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
        writer->DrawField("total", 0, 10, 10, 100, 15, "", "", "", 0);
        writer->OnFieldEvent(c.code, "total", "first();");
        writer->OnFieldEvent(9, "total", "format();");
        writer->OnFieldEvent(c.code, "total", "second();");
        FinishChecked(*writer, path);
        const auto run = RunTool(std::string("/usr/bin/python3 -c \"import pikepdf, sys\n"
                                             "f = pikepdf.open(sys.argv[1]).Root.AcroForm.Fields[0]\n"
                                             "a = ") + c.action + "\n"
                                 "chain = [a] + list(a.get('/Next', []))\n"
                                 "print(' '.join(x.JS.read_bytes().decode() for x in chain))\n"
                                 "print(f.AA.F.JS.read_bytes().decode())\" '" + path + "'");
        EXPECT_EQ(run.output, std::string(c.scripts) + "\nformat();\n") << c.code;
    }
}

TEST_F(Fields, FieldsOfAReopenedPageAreWrittenWhenItCloses)
{
    writer->DrawField("premier", 0, 0, 0, 10, 10, "", "", "", 1024);
    NewPage();
    int first = 1;
    writer->BeginOnPage(first);
    writer->DrawField("ajout", 0, 0, 20, 10, 10, "", "", "", 0);
    writer->EndOnPage();
    const std::string pdf = Finish();
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.5\n");
    // Page 1 is object 6; the added widget names it and joins its annotations.
    EXPECT_NE(pdf.find("/T (ajout) /MK <<"), std::string::npos);
    EXPECT_EQ(CountOf(pdf, "/P 6 0 R >>"), 2);
    EXPECT_NE(pdf.find("/Annots [ 5 0 R 10 0 R  ] "), std::string::npos);
    EXPECT_NE(pdf.find("/Fields [5 0 R 10 0 R ]"), std::string::npos);
}

// A field with no room on the page, of zero size or placed where every edge is written at
// the same far limit, is refused and leaves no trace that readers would have to lay out.
TEST_F(Fields, AFieldWithNoRoomIsRefused)
{
    struct Case {
        int kind;
        float x, y, w, h;
    };
    const Case cases[] = {
        {0, 10, 10, 0, 15},      {0, 40000, 10, 100, 15}, {0, 10, 10, 0.0001f, 15},
        {1, 10, 10, 10, 0},      {2, 10, -40000, 50, 50}, {3, -1e30f, 10, 100, 15},
        {4, 10, 10, 0, 0},       {5, 1e30f, 1e30f, 60, 20},
    };
    for (const Case& c : cases) {
        try {
            writer->DrawField("vide", c.kind, c.x, c.y, c.w, c.h, "\xE2\x82\xAC\xE2\x88\x9E",
                              "", "", 0);
            ADD_FAILURE() << "accepted: kind " << c.kind << " at " << c.x << ", " << c.y;
        } catch (const Error& error) {
            EXPECT_EQ(error.Number(), 5);
        }
    }
    writer->DrawField("nom", 0, 10, 10, 100, 15, "", "", "", 0);
    const std::string pdf = Finish();
    EXPECT_EQ(CountOf(pdf, "/Subtype /Widget"), 1);
    EXPECT_EQ(pdf.find("vide"), std::string::npos);
    EXPECT_EQ(RunTool("pdftoppm -r 20 '" + path + "' '" + path + "'").output, "");
}

// A field drawn before any font is chosen names a font of the form's resources, and a kind
// that is no field is refused before anything is recorded.
TEST(FieldsWithoutFont, TheFieldsFontIsAmongTheFormsResources)
{
    auto writer = PinnedWriter();
    std::string path = CaseOutputPath("fields_");
    writer->BeginDoc(path);
    int page = 0;
    writer->BeginPage(page);
    try {
        writer->DrawField("autre", 6, 10, 10, 50, 15, "", "", "", 0);
        ADD_FAILURE() << "kind 6 accepted";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), 5);
    }
    writer->DrawField("nom", 0, 10, 10, 100, 15, "Zoé", "", "", 0);
    FinishChecked(*writer, path);

    const std::string da = testing_support::Show(path, "trailer/Root/AcroForm/Fields/1/DA");
    const auto name = da.find('/') + 1;
    const std::string font = da.substr(name, da.find(' ', name) - name);
    ASSERT_FALSE(font.empty()) << da;
    EXPECT_NE(testing_support::Show(path, "trailer/Root/AcroForm/DR/Font").find("/" + font + " "),
              std::string::npos)
        << da;
    EXPECT_EQ(CountOf(testing_support::Show(path, "trailer/Root/AcroForm/Fields"), " 0 R"), 1);
}

// A field whose value the font's character set holds is written with it, and readers lay
// it out without a word; one whose font lacks a character of the value it shows is refused.
TEST(FieldValues, AFieldShowsItsValueInItsFontOrIsRefused)
{
    struct Case {
        int charset;
        int kind;
        std::string value;
        bool written;
    };
    const Case cases[] = {
        {161, 0, "Müller", false},         {161, 0, "Αθήνα", true},
        {0, 0, "Müller", true},            {238, 0, "Łódź", true},
        {204, 3, "Москва|Müller", false},  {204, 2, "Москва|Киев", true},
        {161, 5, "Müller", false},         {161, 1, "Müller", true},
    };
    for (const Case& c : cases) {
        auto writer = PinnedWriter();
        std::string path = CaseOutputPath("fields_" + std::to_string(&c - cases) + "_");
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
        writer->SetFont("Arial", 10, 0, c.charset);
        bool refused = false;
        try {
            writer->DrawField("nom", c.kind, 10, 10, 100, 15, c.value, "1", "", 0);
        } catch (const Error& error) {
            refused = true;
            EXPECT_EQ(error.Number(), 5);
        }
        writer->DrawField("autre", 0, 10, 40, 100, 15, "x", "", "", 0);
        FinishChecked(*writer, path);
        EXPECT_EQ(refused, !c.written) << c.value;
        EXPECT_EQ(testing_support::PopplerRenderMessages(path), "") << c.value;
        const auto values = RunTool("/usr/bin/python3 -c \"import pikepdf, sys\n"
                                    "pdf = pikepdf.open(sys.argv[1])\n"
                                    "for f in pdf.Root.AcroForm.Fields:\n"
                                    "  print(str(f.T), str(f.V if '/V' in f else f.Opt[0] if '/Opt' in f else ''))\" '" + path + "'");
        const bool shown = values.output.find("nom " + c.value.substr(0, c.value.find('|'))) != std::string::npos;
        EXPECT_EQ(shown, c.written && c.kind != 1 && c.kind != 5) << values.output;
    }
}

// A field whose objects cannot be written, the disk being full, is not listed at all: no
// record, no radio group and no entry of the form.
TEST(FieldsUnwritten, AFieldThatCannotBeWrittenLeavesNoTrace)
{
    struct Case {
        int kind;
        const char* value;
        const char* option;
    };
    const Case cases[] = {{1, "true", ""}, {2, "a|b", "1"}, {4, "true", ""}, {5, "OK", "go();"}};
    for (const Case& c : cases) {
        auto writer = PinnedWriter();
        std::string path = "/dev/full";
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
        writer->SetFont("Helvetica", 10, 0, 0);
        // The output is buffered by blocks: room for a few bytes more before a write
        // reaches the disk.
        struct stat device {};
        ASSERT_EQ(stat(path.c_str(), &device), 0);
        PagelithTestPeer peer(*writer);
        peer.WriteLine(std::string(
            static_cast<std::size_t>(device.st_blksize - 10 - writer->FileSize()), ' '));
        EXPECT_THROW(writer->DrawField("nom", c.kind, 10, 10, 100, 15, c.value, c.option, "", 0),
                     Error)
            << c.kind;
        EXPECT_TRUE(peer.Form().Fields.empty()) << c.kind;
        EXPECT_TRUE(peer.Form().Named.empty()) << c.kind;
        EXPECT_TRUE(peer.Form().Radios.empty()) << c.kind;
        EXPECT_EQ(peer.Form().Refs, "") << c.kind;
        EXPECT_FALSE(peer.Form().Toggles) << c.kind;
    }
}

TEST(FieldsAbsent, NoFieldNoForm)
{
    auto writer = PinnedWriter();
    std::string path = CaseOutputPath("fields_");
    writer->BeginDoc(path);
    writer->OnFieldEvent(0, "x", "app.beep();");
    const std::string pdf = FinishChecked(*writer, path);
    EXPECT_EQ(pdf.find("/AcroForm"), std::string::npos);
    EXPECT_EQ(pdf.find("app.beep"), std::string::npos);
}

}  // namespace
}  // namespace pdf
