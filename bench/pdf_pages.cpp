// Pagelith against libharu writing the same document at equal effort: 1,000 A4 pages, each
// with a few filled and framed rectangles and 50 lines of Helvetica text, first without
// compression, then with Flate at our level 5 against libharu's zlib at its default level
// (the two give page streams of nearly the same size).  Pagelith draws one text line per
// DrawText from UTF-8, so libharu too writes each line in a text object of its own, from
// text already in WinAnsiEncoding.  Before the timing, pdftotext must read the same text
// from both files; then the two take turns.  The report gives the file-size ratio beside
// the time ratio; the program exits with 2 when the texts differ, 1 when Pagelith takes
// longer than libharu.  The files stay in a temporary folder.
#include "bench/best_time.h"
#include "bench/command_output.h"
#include "bench/planner_pages.h"

#include <hpdf.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kPages = 1000;
constexpr float kPageHeight = 842;
constexpr int kFlate = 2;
constexpr int kOurLevel = 5;

// é, è, ô and the en dash are the only characters of the texts beyond ASCII.
std::string ToWinAnsi(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (utf8.compare(i, 3, "\xE2\x80\x93") == 0) {
            out += '\x96';
            i += 2;
        } else {
            out += static_cast<char>(((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F));
            i += 1;
        }
    }
    return out;
}

void WithLibharu(const std::string& path, bool compressed,
                 const std::vector<std::vector<std::string>>& pages,
                 const std::vector<bench::Rect>& rects)
{
    HPDF_Doc doc = HPDF_New(nullptr, nullptr);
    if (!doc)
        std::exit(2);
    HPDF_SetCompressionMode(doc, compressed ? HPDF_COMP_ALL : HPDF_COMP_NONE);
    HPDF_Font font = HPDF_GetFont(doc, "Helvetica", "WinAnsiEncoding");
    for (int p = 0; p < kPages; ++p) {
        HPDF_Page page = HPDF_AddPage(doc);
        HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
        HPDF_Page_SetRGBFill(page, 0.91f, 0.933f, 0.957f);
        HPDF_Page_SetRGBStroke(page, 0.2f, 0.4f, 0.6f);
        for (const bench::Rect& r : rects) {
            HPDF_Page_Rectangle(page, r.x, kPageHeight - r.y - r.h, r.w, r.h);
            if (r.filled)
                HPDF_Page_Eofill(page);
            else
                HPDF_Page_Stroke(page);
        }
        HPDF_Page_SetRGBFill(page, 0, 0, 0);
        const std::vector<std::string>& text = pages[static_cast<std::size_t>(p) % pages.size()];
        for (int line = 0; line < bench::kLines; ++line) {
            HPDF_Page_BeginText(page);
            HPDF_Page_SetFontAndSize(page, font, 10);
            HPDF_Page_TextOut(page, 42, kPageHeight - bench::LineY(line),
                              text[static_cast<std::size_t>(line)].c_str());
            HPDF_Page_EndText(page);
        }
    }
    if (HPDF_SaveToFile(doc, path.c_str()) != HPDF_OK) {
        std::fprintf(stderr, "libharu could not write %s\n", path.c_str());
        std::exit(2);
    }
    HPDF_Free(doc);
}

// The text pdftotext reads from the file; empty when it cannot read it.
std::string TextOf(const std::string& path)
{
    return bench::CommandOutput("pdftotext -q '" + path + "' - 2>/dev/null");
}

}  // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pdf_pages";
    std::filesystem::create_directories(folder);

    // Page texts differ from page to page; a hundred kinds keep the setup short.
    std::vector<std::vector<std::string>> utf8;
    std::vector<std::vector<std::string>> winAnsi;
    for (int p = 0; p < 100; ++p) {
        utf8.push_back(bench::MakeLines(p));
        winAnsi.emplace_back();
        for (const std::string& line : utf8.back())
            winAnsi.back().push_back(ToWinAnsi(line));
    }
    const std::vector<bench::Rect> rects = bench::MakeRects();

    std::printf("%d A4 pages, %d text objects and %zu rectangles each; files in %s\n", kPages,
                bench::kLines, rects.size(), folder.c_str());
    bench::Verdict verdict;
    for (const bool compressed : {false, true}) {
        const char* kind = compressed ? "compressed" : "uncompressed";
        const std::string ours = (folder / (std::string("pagelith-") + kind + ".pdf")).string();
        const std::string theirs = (folder / (std::string("libharu-") + kind + ".pdf")).string();
        const int compression = compressed ? kFlate | kOurLevel << 8 : 0;
        const auto writeOurs = [&] {
            bench::WritePagelithPages(ours, compression, kPages, utf8, rects);
        };
        const auto writeTheirs = [&] { WithLibharu(theirs, compressed, winAnsi, rects); };
        writeOurs();
        writeTheirs();
        const std::string text = TextOf(ours);
        if (!verdict.Agree(!text.empty() && text == TextOf(theirs),
                           std::string(kind) + ": the text pdftotext reads from both files"))
            continue;
        const std::vector<double> best =
            bench::BestSeconds({{"pagelith", writeOurs}, {"libharu", writeTheirs}});
        const auto ourSize = std::filesystem::file_size(ours);
        const auto theirSize = std::filesystem::file_size(theirs);
        std::printf("%-12s pagelith %8.1f ms %9ju bytes\n", kind, best[0] * 1000,
                    static_cast<std::uintmax_t>(ourSize));
        std::printf("%-12s libharu  %8.1f ms %9ju bytes\n", kind, best[1] * 1000,
                    static_cast<std::uintmax_t>(theirSize));
        std::printf("%-12s size ratio %.3f, time ratio %.3f\n", kind,
                    double(ourSize) / double(theirSize), best[0] / best[1]);
        verdict.Goal(std::string(kind) + " pagelith / libharu time", best[0] / best[1], 1.0);
    }
    return verdict.ExitCode();
}
