// The XMP packet: well-formed XML whatever the document texts hold.
#include <gtest/gtest.h>

#include "pdf_test_support.h"

namespace pdf {
namespace {

class Metadata : public testing_support::DocumentTest {
protected:
    Metadata() : DocumentTest("core_") {}
};

// Characters XML forbids become blanks in the packet, which parses as XML, while the
// information dictionary keeps the texts as given.
TEST_F(Metadata, ControlCharactersNeverReachThePacket)
{
    const std::string title = "Plan\x01mai\x08\x0B\x0C\x0E\x1F" "fin \xEF\xBF\xBE\xEF\xBF\xBF<&>";
    const std::string subject = std::string("a\x00", 2) + "b\x1B" "c";
    writer->SetDocProperty(title, subject, "", "", "", "");
    Finish();
    const auto read = testing_support::RunTool(
        "/usr/bin/python3 - '" + path + "' 2>&1 <<'PY'\n"
        "import sys, pikepdf, xml.etree.ElementTree as xml\n"
        "p = pikepdf.open(sys.argv[1])\n"
        "x = xml.fromstring(p.Root.Metadata.read_bytes())\n"
        "for t in 'title', 'description':\n"
        "    print(ascii(x.find('.//{*}' + t + '//{*}li').text))\n"
        "print(ascii(str(p.docinfo.Title)), ascii(str(p.docinfo.Subject)))\n"
        "PY\n");
    EXPECT_EQ(read.output, "'Plan mai     fin   <&>'\n"
                           "'a b c'\n"
                           "'Plan\\x01mai\\x08\\x0b\\x0c\\x0e\\x1ffin \\ufffe\\uffff<&>' "
                           "'a\\x00b\\x1bc'\n");
}

}  // namespace
}  // namespace pdf
