// The XMP packet: well-formed XML whatever the document texts hold, and in PDF/A the same
// texts as the information dictionary.
#include <gtest/gtest.h>

#include "pdf_test_support.h"

namespace pdf {
namespace {

class Metadata : public testing_support::DocumentTest {
protected:
    Metadata() : DocumentTest("core_") {}

    // What the lines of Python print, run with the written file open in pikepdf as `p` and
    // its packet parsed as `x`.
    std::string ReadBack(const std::string& lines)
    {
        return testing_support::RunTool(
                   "/usr/bin/python3 - '" + path + "' 2>&1 <<'PY'\n"
                   "import sys, pikepdf, xml.etree.ElementTree as xml\n"
                   "p = pikepdf.open(sys.argv[1])\n"
                   "x = xml.fromstring(p.Root.Metadata.read_bytes())\n" + lines + "PY\n")
            .output;
    }
};

// Characters XML forbids become blanks in the packet, which parses as XML, while the
// information dictionary keeps the texts as given, in PDF/A mode too when the document does
// not claim conformance (encrypted here).
TEST_F(Metadata, ControlCharactersNeverReachThePacket)
{
    for (const bool unclaimedPdfa : {false, true}) {
        SCOPED_TRACE(unclaimedPdfa);
        if (unclaimedPdfa) {
            SetUp();
            writer->SetPDFa(true);
            writer->SetProtection(0, "owner", "");
        }
        const std::string title =
            "Plan\x01mai\x08\x0B\x0C\x0E\x1F" "fin \xEF\xBF\xBE\xEF\xBF\xBF<&>";
        const std::string subject = std::string("a\x00", 2) + "b\x1B" "c";
        writer->SetDocProperty(title, subject, "", "", "", "");
        Finish();
        EXPECT_EQ(ReadBack("for t in 'title', 'description':\n"
                           "    print(ascii(x.find('.//{*}' + t + '//{*}li').text))\n"
                           "print(ascii(str(p.docinfo.Title)), ascii(str(p.docinfo.Subject)))\n"
                           "print(p.open_metadata().pdfa_status)\n"),
                  "'Plan mai     fin   <&>'\n"
                  "'a b c'\n"
                  "'Plan\\x01mai\\x08\\x0b\\x0c\\x0e\\x1ffin \\ufffe\\uffff<&>' "
                  "'a\\x00b\\x1bc'\n\n");
    }
}

// In PDF/A the six texts read the same from the information dictionary and the packet: the
// characters XML forbids are blanks in both, a carriage return stays in both.
TEST_F(Metadata, PdfaInformationAgreesWithThePacket)
{
    // Title, subject, author, creator, producer, keywords: each as given and as read.
    const std::pair<std::string, std::string> texts[] = {
        {"a\x01" "b\x1f" "c", "'a b c'"},
        {"ligne 1\r\nligne 2\rfin", "'ligne 1\\r\\nligne 2\\rfin'"},
        {"Zo\xC3\xAB\tet\x0B\x7F", "'Zo\\xeb\\tet \\x7f'"},
        {"outil \xEF\xBF\xBF<&>'\"", "'outil  <&>\\'\"'"},
        {std::string("pro\x00", 4) + "duit\r", "'pro duit\\r'"},
        {"mots\ncl\xC3\xA9s\x08", "'mots\\ncl\\xe9s '"},
    };
    writer->SetPDFa(true);
    writer->SetDocProperty(texts[0].first, texts[1].first, texts[2].first, texts[3].first,
                           texts[4].first, texts[5].first);
    Finish();
    const std::string read = ReadBack(
        "for key, name in zip(('Title', 'Subject', 'Author', 'Creator', 'Producer', 'Keywords'),\n"
        "        ('title', 'description', 'creator', 'CreatorTool', 'Producer', 'Keywords')):\n"
        "    xmp = ''.join(x.find('.//{*}' + name).itertext())\n"
        "    print(ascii(str(p.docinfo['/' + key])), ascii(xmp))\n"
        "print(p.open_metadata().pdfa_status)\n");
    std::string expected;
    for (const auto& [given, shown] : texts)
        expected += shown + " " + shown + "\n";
    EXPECT_EQ(read, expected + "1B\n");
}

}  // namespace
}  // namespace pdf
