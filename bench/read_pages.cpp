// Our reader against poppler's on the same files: the page count and every page size of a
// 1,000- and an 8,000-page document written by our writer (one /Kids array of all the
// pages, each page of its own size, with a line of text).  Each run starts from the file
// name, as a client opening the file would: ours is GetInfo then GetInfoPage for each page
// with a new Pagelith, poppler's is load_from_file then each page's media box.  The sides
// take turns on the same files.  Prints the time ratio per size; exits 2 when the two
// disagree on a page count or size, 1 when ours takes longer than poppler's at 8,000 pages.
// Then pages that take their box from the one node above them, 10,000 and 40,000 of them:
// exits 1 when a page costs us more than 1.5 times as much in the larger tree, where a
// copy of the node for each page would make it four times.  The files stay in a temporary
// folder.
#include "best_time.h"
#include "pdf/pagelith.h"

#include <poppler-document.h>
#include <poppler-page.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kGoal = 0.6;
constexpr int kGoalPages = 8000;
constexpr double kInheritedGoal = 1.5;

struct Size {
    float width = 0;
    float height = 0;
};

// Page n is (200.5 + n mod 400) x (150.25 + n mod 300) points.
Size PageSize(int n)
{
    return {200 + static_cast<float>(n % 400) + 0.5f, 150 + static_cast<float>(n % 300) + 0.25f};
}

std::string WrittenDocument(const std::filesystem::path& folder, int pages)
{
    std::string path = (folder / ("pages-" + std::to_string(pages) + ".pdf")).string();
    pdf::Pagelith writer;
    writer.BeginDoc(path);
    for (int n = 1; n <= pages; ++n) {
        const Size size = PageSize(n);
        writer.SetPaperSize(255, size.width, size.height);
        int page = 0;
        writer.BeginPage(page);
        writer.SetFont("Helvetica", 12, 0, 0);
        writer.DrawText(20, 40, "Page " + std::to_string(n));
    }
    writer.EndDoc();
    return path;
}

// `pages` pages of no box of their own under one node of the box 300 x 200.
std::string InheritedBoxDocument(const std::filesystem::path& folder, int pages)
{
    std::string kids;
    for (int n = 0; n < pages; ++n)
        kids += std::to_string(n + 3) + " 0 R ";
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /MediaBox [0 0 300 200] /Count " + std::to_string(pages) + " /Kids [" + kids + "] >>"};
    for (int n = 0; n < pages; ++n)
        objects.push_back("<< /Type /Page /Parent 2 0 R >>");
    std::string bytes = "%PDF-1.4\n";
    std::string table = "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t n = 0; n < objects.size(); ++n) {
        char row[21];
        std::snprintf(row, sizeof row, "%010zu 00000 n \n", bytes.size());
        table += row;
        bytes += std::to_string(n + 1) + " 0 obj\n" + objects[n] + "\nendobj\n";
    }
    const std::size_t start = bytes.size();
    bytes += table + "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
             std::to_string(start) + "\n%%EOF\n";
    const std::string path = (folder / ("inherited-" + std::to_string(pages) + ".pdf")).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::vector<Size> Ours(const std::string& path)
{
    pdf::Pagelith reader;
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    const int count = reader.GetInfo(path, title, subject, author, encrypted, pdfa, version);
    std::vector<Size> sizes(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        Size& size = sizes[static_cast<std::size_t>(n - 1)];
        int rotation = 0;
        reader.GetInfoPage(path, n, size.width, size.height, rotation);
    }
    return sizes;
}

std::vector<Size> Poppler(const std::string& path)
{
    const std::unique_ptr<poppler::document> document(poppler::document::load_from_file(path));
    if (!document)
        return {};
    std::vector<Size> sizes(static_cast<std::size_t>(document->pages()));
    for (int n = 0; n < document->pages(); ++n) {
        const std::unique_ptr<poppler::page> page(document->create_page(n));
        const poppler::rectf box = page->page_rect(poppler::media_box);
        sizes[static_cast<std::size_t>(n)] = {static_cast<float>(box.width()), static_cast<float>(box.height())};
    }
    return sizes;
}

// Ours are truncated to one decimal, poppler's are not.
bool SameSizes(const std::vector<Size>& ours, const std::vector<Size>& theirs)
{
    if (ours.size() != theirs.size())
        return false;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (std::fabs(ours[i].width - theirs[i].width) >= 0.1f || std::fabs(ours[i].height - theirs[i].height) >= 0.1f)
            return false;
    }
    return true;
}

// Whether we read `pages` pages of the sizes poppler reads, told to the verdict.
bool ReadAlike(bench::Verdict& verdict, const std::string& path, int pages, const std::string& label)
{
    const std::vector<Size> ours = Ours(path);
    return verdict.Agree(ours.size() == static_cast<std::size_t>(pages) && SameSizes(ours, Poppler(path)),
                         label + ": page count and sizes");
}

}  // namespace

int main()
{
    bench::Verdict verdict;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorvane-read-pages";
    std::filesystem::create_directories(folder);
    for (const int pages : {1000, kGoalPages}) {
        const std::string path = WrittenDocument(folder, pages);
        const std::string label = std::to_string(pages) + " pages";
        if (!ReadAlike(verdict, path, pages, label))
            continue;
        const std::vector<double> best = bench::BestSeconds({
            {"ours", [&] { Ours(path); }},
            {"poppler", [&] { Poppler(path); }},
        });
        std::printf("%-12s ours %8.2f ms  poppler %8.2f ms  ours/poppler %.3f  (%.2f us a page ours)\n",
                    label.c_str(), best[0] * 1e3, best[1] * 1e3, best[0] / best[1], best[0] * 1e6 / pages);
        if (pages == kGoalPages)
            verdict.Goal(label + ", ours / poppler", best[0] / best[1], kGoal);
    }
    std::vector<double> perPage;
    for (const int pages : {10000, 40000}) {
        const std::string path = InheritedBoxDocument(folder, pages);
        const std::string label = std::to_string(pages) + " pages of an inherited box";
        if (!ReadAlike(verdict, path, pages, label))
            continue;
        const double seconds = bench::BestSeconds([&] { Ours(path); });
        perPage.push_back(seconds / pages);
        std::printf("%-30s ours %8.2f ms  (%.2f us a page)\n", label.c_str(), seconds * 1e3, seconds * 1e6 / pages);
    }
    if (perPage.size() == 2)
        verdict.Goal("inherited box, a page at 40000 / at 10000", perPage[1] / perPage[0], kInheritedGoal);
    return verdict.ExitCode();
}
