// Every PDF of the machine's documentation (compressed ones included) that qpdf accepts is read without a crash or a
// hang, with poppler's page count, or with the reason it cannot be read.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include "installed_documents.h"

namespace pdf {
namespace {

using namespace reader_testing;

TEST(InstalledDocuments, PageCountsMatchPdfinfoOrTheReasonIsGiven)
{
    const std::vector<std::string> paths = DocumentationPdfs();
    if (paths.empty())
        GTEST_SKIP() << "no PDF under /usr/share/doc";
    for (const std::string& path : paths) {
        const auto check = RunTool("qpdf --check " + Quoted(path));
        // 0: clean, 3: warnings only.
        if (WEXITSTATUS(check.status) != 0 && WEXITSTATUS(check.status) != 3)
            continue;
        Pagelith reader;
        std::string title, subject, author;
        int encrypted = 0, pdfa = 0, version = 0;
        const int pages = reader.GetInfo(path, title, subject, author, encrypted, pdfa, version);
        const int expected = static_cast<int>(PdfInfoValue(path, "Pages"));
        if (pages != expected) {
            EXPECT_NE(reader.ErrNumber(), 0) << path << ": " << pages << " pages, pdfinfo " << expected;
            EXPECT_FALSE(reader.ErrDescription().empty()) << path;
            continue;
        }
        float width = 0, height = 0;
        int rotation = 0;
        if (pages == 0)
            continue;
        EXPECT_TRUE(reader.GetInfoPage(path, 1, width, height, rotation)) << path;
        EXPECT_GT(width * height, 0) << path;
    }
}

}  // namespace
}  // namespace pdf
