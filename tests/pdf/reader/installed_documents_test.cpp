// Every PDF of the machine's documentation (compressed ones included) that qpdf accepts is read without a crash or a
// hang, with poppler's page count, or with the reason it cannot be read.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>

#include "source_files.h"

namespace pdf {
namespace {

using namespace reader_testing;

// Keeps the run time bounded on machines with much documentation.
constexpr int kMaxFiles = 40;
constexpr std::uintmax_t kMaxBytes = 50u << 20;

std::vector<std::string> DocumentationPdfs()
{
    std::vector<std::string> paths;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator("/usr/share/doc", error);
         it != std::filesystem::recursive_directory_iterator() && static_cast<int>(paths.size()) < kMaxFiles;
         it.increment(error)) {
        if (error)
            break;
        const auto& path = it->path();
        if (!it->is_regular_file(error) || it->file_size(error) > kMaxBytes)
            continue;
        if (path.extension() == ".pdf") {
            paths.push_back(path.string());
        } else if (path.extension() == ".gz" && path.stem().extension() == ".pdf") {
            const std::string plain = ScratchPath("doc-" + std::to_string(paths.size()) + ".pdf");
            if (RunTool("gunzip -c " + Quoted(path.string()) + " > " + Quoted(plain)).status == 0)
                paths.push_back(plain);
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

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
