// Every page of every PDF of the machine's documentation (compressed ones included), imported
// page by page into a document of pages of its own sizes, renders as its source does.  An
// imported page carries its content and resources, not the annotations drawn over it (stamps,
// link borders), so both are rendered without annotations.
// Rendering runs on every core, a file's pages in chunks.  Anti-aliasing and sub-pixel
// placement may move an edge by a pixel: a pixel differs only when no pixel around its place
// in the other rendering is near its grey.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "installed_documents.h"

namespace pdf {
namespace {

using namespace reader_testing;

constexpr int kDotsPerInch = 40;
constexpr int kPagesPerChunk = 40;
constexpr int kGreyTolerance = 64;

struct Grey {
    int width = 0;
    int height = 0;
    std::string pixels;
    int At(int x, int y) const { return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y) * width + x]); }
};

Grey ReadPgm(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    Grey grey;
    in >> magic >> grey.width >> grey.height >> maxValue;
    in.get();
    grey.pixels.resize(static_cast<std::size_t>(grey.width) * grey.height);
    in.read(grey.pixels.data(), static_cast<std::streamsize>(grey.pixels.size()));
    if (magic != "P5" || !in)
        grey = Grey{};
    return grey;
}

// The pixel at (x, y) of `a` has a pixel of near grey in `b` at most one pixel away.
bool Matched(const Grey& a, const Grey& b, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int bx = x + dx, by = y + dy;
            if (bx >= 0 && by >= 0 && bx < b.width && by < b.height && std::abs(a.At(x, y) - b.At(bx, by)) <= kGreyTolerance)
                return true;
        }
    }
    return false;
}

// The pixels wholly inside a page: a page box that ends inside a pixel leaves that pixel
// partly painted, and a renderer paints it from the marks running past the box in the
// source, but clips them at the form's box in the import.
struct WholePixels {
    int width = 0;
    int height = 0;
};

// "" when the renderings agree within the page's whole pixels, else what differs.
std::string Compare(const Grey& source, const Grey& imported, WholePixels whole)
{
    if (source.width == 0 || imported.width == 0)
        return "no rendering";
    if (std::abs(source.width - imported.width) > 1 || std::abs(source.height - imported.height) > 1)
        return "size " + std::to_string(imported.width) + " x " + std::to_string(imported.height) + " pixels, the source's " +
               std::to_string(source.width) + " x " + std::to_string(source.height);
    int count = 0, left = source.width, top = source.height, right = -1, bottom = -1;
    const int width = std::min({source.width, imported.width, whole.width});
    const int height = std::min({source.height, imported.height, whole.height});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (Matched(source, imported, x, y) && Matched(imported, source, x, y))
                continue;
            ++count;
            left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
        }
    }
    if (count == 0)
        return "";
    std::ostringstream what;
    what << count << " pixels differ between (" << left << ", " << top << ") and (" << right << ", " << bottom
         << ") of " << width << " x " << height;
    return what.str();
}

// Each page of the source on a page of its own turned size, whose whole pixels go to
// `whole`.
std::string ImportEveryPage(const std::string& source, int pages, const std::string& output,
                            std::vector<WholePixels>& whole)
{
    auto writer = testing_support::PinnedWriter();
    std::string file = output;
    writer->BeginDoc(file);
    for (int page = 1; page <= pages; ++page) {
        float width = 0, height = 0;
        int rotation = 0;
        if (!writer->GetInfoPage(source, page, width, height, rotation))
            return "page " + std::to_string(page) + " has no size";
        const bool quarter = rotation % 180 != 0;
        const float turnedWidth = quarter ? height : width, turnedHeight = quarter ? width : height;
        writer->SetPaperSize(255, turnedWidth, turnedHeight);
        int outputPage = 0;
        writer->BeginPage(outputPage);
        writer->ImportPage(source, page, 0, 0, 0, 0);
        writer->EndPage();
        whole.push_back({static_cast<int>(turnedWidth * kDotsPerInch / 72), static_cast<int>(turnedHeight * kDotsPerInch / 72)});
    }
    writer->EndDoc();
    return writer->ErrNumber() == 0 ? "" : writer->ErrDescription();
}

struct Chunk {
    std::string pdf;
    std::string folder;
    int first = 0;
    int last = 0;
    std::vector<Grey> pages;
};

void Render(Chunk& chunk)
{
    std::filesystem::create_directories(chunk.folder);
    RunTool("pdftoppm -gray -hide-annotations -r " + std::to_string(kDotsPerInch) + " -f " + std::to_string(chunk.first) + " -l " +
            std::to_string(chunk.last) + " " + Quoted(chunk.pdf) + " " + Quoted(chunk.folder + "/p"));
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(chunk.folder))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        chunk.pages.push_back(ReadPgm(file));
}

// Runs every chunk's rendering, on every core.
void RenderAll(std::vector<Chunk>& chunks)
{
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (unsigned n = 0; n < std::max(1u, std::thread::hardware_concurrency()); ++n) {
        workers.emplace_back([&] {
            for (std::size_t i = next++; i < chunks.size(); i = next++)
                Render(chunks[i]);
        });
    }
    for (std::thread& worker : workers)
        worker.join();
}

TEST(InstalledDocuments, EveryPageImportsAsItsSourceRenders)
{
    if (RunTool("pdftoppm -v").output.find("pdftoppm") == std::string::npos)
        GTEST_SKIP() << "no pdftoppm";
    const std::vector<std::string> paths = DocumentationPdfs();
    if (paths.empty())
        GTEST_SKIP() << "no PDF under /usr/share/doc";

    struct Pair {
        std::string source;
        std::string output;
        int pages = 0;
        std::vector<WholePixels> whole;  // of each page
    };
    const bool qpdf = RunTool("qpdf --version").status == 0;
    std::vector<Pair> pairs;
    for (std::size_t n = 0; n < paths.size(); ++n) {
        Pagelith reader;
        std::string title, subject, author;
        int encrypted = 0, pdfa = 0, version = 0;
        const int pages = reader.GetInfo(paths[n], title, subject, author, encrypted, pdfa, version);
        // An encrypted file is refused, as it should be: there is nothing to import.
        if (pages == 0 && reader.ErrDescription().find("encrypted") != std::string::npos)
            continue;
        ASSERT_GT(pages, 0) << paths[n] << ": " << reader.ErrDescription();
        const std::string output = ScratchPath("installed-import-" + std::to_string(n) + ".pdf");
        std::vector<WholePixels> whole;
        ASSERT_EQ(ImportEveryPage(paths[n], pages, output, whole), "") << paths[n];
        if (qpdf) {
            const auto check = testing_support::QpdfCheck(output);
            EXPECT_EQ(check.status, 0) << paths[n] << "\n" << check.output;
        }
        pairs.push_back({paths[n], output, pages, whole});
    }

    std::vector<Chunk> chunks;
    std::vector<const Pair*> chunkPairs;  // of every other chunk, the source's
    for (std::size_t n = 0; n < pairs.size(); ++n) {
        for (int first = 1; first <= pairs[n].pages; first += kPagesPerChunk) {
            const int last = std::min(pairs[n].pages, first + kPagesPerChunk - 1);
            const std::string folder = ScratchPath("installed-render-" + std::to_string(n) + "-" + std::to_string(first));
            for (const std::string& rendered : {folder + "-source", folder + "-import"})
                std::filesystem::remove_all(rendered);
            chunks.push_back({pairs[n].source, folder + "-source", first, last, {}});
            chunks.push_back({pairs[n].output, folder + "-import", first, last, {}});
            chunkPairs.push_back(&pairs[n]);
        }
    }
    RenderAll(chunks);

    int compared = 0;
    for (std::size_t i = 0; i < chunks.size(); i += 2) {
        const Chunk& source = chunks[i];
        const Chunk& imported = chunks[i + 1];
        ASSERT_EQ(source.pages.size(), static_cast<std::size_t>(source.last - source.first + 1)) << source.pdf;
        ASSERT_EQ(imported.pages.size(), source.pages.size()) << imported.pdf;
        const std::vector<WholePixels>& whole = chunkPairs[i / 2]->whole;
        for (std::size_t p = 0; p < source.pages.size(); ++p, ++compared)
            EXPECT_EQ(Compare(source.pages[p], imported.pages[p], whole[source.first - 1 + p]), "")
                << source.pdf << " page " << source.first + static_cast<int>(p);
    }
    std::cout << compared << " pages of " << pairs.size() << " files compared\n";
}

}  // namespace
}  // namespace pdf
