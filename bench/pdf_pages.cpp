// Pagelith against libharu writing the same document: 1,000 A4 pages, each with a few
// filled and framed rectangles and 50 lines of Helvetica text, first without compression,
// then with Flate.  Each library is used the way its own client would: Pagelith draws one
// text line per DrawText from UTF-8, libharu writes the lines of a page in one text object
// from text already in WinAnsiEncoding.  The files stay in a temporary folder.
#include "pdf/pagelith.h"

#include <hpdf.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kPages = 1000;
constexpr int kLines = 50;
constexpr int kRuns = 3;
constexpr float kPageHeight = 842;

struct Rect {
    float x, y, w, h;
    bool filled;
};

// The same text lines for every page, as UTF-8 for Pagelith and in WinAnsiEncoding for
// libharu (é, è, ô and the en dash are the only characters beyond ASCII).
struct PageText {
    std::vector<std::string> utf8;
    std::vector<std::string> winAnsi;
};

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

PageText MakeLines(int page)
{
    static const char* const kSubjects[] = {
        "Réunion d'équipe", "Chantier de l'entrepôt", "Visite client (Lyon)",
        "Préparation du matériel", "Révision des plans – étape 2", "Formation sécurité",
        "Contrôle qualité", "Livraison prévue à 14 h"};
    PageText text;
    for (int line = 0; line < kLines; ++line) {
        const int n = page * kLines + line;
        std::string s = std::to_string(8 + line % 10) + ":" + (line % 2 ? "30" : "00") + "  " +
                        kSubjects[n % 8] + " n° " + std::to_string(n) + ", salle " +
                        std::to_string(n % 17 + 1) + " – responsable : Hélène Côté";
        text.winAnsi.push_back(ToWinAnsi(s));
        text.utf8.push_back(std::move(s));
    }
    return text;
}

std::vector<Rect> MakeRects()
{
    std::vector<Rect> rects;
    for (int band = 0; band < 5; ++band)
        rects.push_back({36.5f, 52.25f + band * 140.0f, 522.75f, 70.125f, true});
    rects.push_back({30, 30, 535.5f, 782, false});
    rects.push_back({300.333f, 40.667f, 240.1f, 20.2f, false});
    return rects;
}

float LineY(int line)
{
    return 60 + line * 14.5f;
}

void WithPagelith(const std::string& path, bool compressed, const std::vector<PageText>& pages,
                  const std::vector<Rect>& rects)
{
    pdf::Pagelith w(std::make_shared<pdf::FixedClock>(pdf::LocalTime{2024, 3, 1, 9, 30, 0}),
                    std::make_shared<pdf::SeededRandom>(7));
    w.SetPaperSize(0, 0, 0);
    if (compressed)
        w.SetCompression(2, 2, 2);
    std::string name = path;
    w.BeginDoc(name);
    if (w.ErrNumber() != 0) {
        std::fprintf(stderr, "%s\n", w.ErrDescription().c_str());
        std::exit(1);
    }
    w.SetFont("Arial", 10, 0, 0);
    for (int p = 0; p < kPages; ++p) {
        int page = 0;
        w.BeginPage(page);
        w.SetColorFill("#E8EEF4");
        w.SetColorLine("#336699");
        for (const Rect& r : rects)
            w.DrawRect(r.x, r.y, r.w, r.h, r.filled ? 5 : 0, 15, 0);
        w.SetColorFill("Black");
        w.SetColorText("Black");
        const PageText& text = pages[static_cast<std::size_t>(p) % pages.size()];
        for (int line = 0; line < kLines; ++line)
            w.DrawText(42, LineY(line), text.utf8[static_cast<std::size_t>(line)]);
        w.EndPage();
    }
    w.EndDoc();
}

void WithLibharu(const std::string& path, bool compressed, const std::vector<PageText>& pages,
                 const std::vector<Rect>& rects)
{
    HPDF_Doc doc = HPDF_New(nullptr, nullptr);
    if (!doc)
        std::exit(1);
    HPDF_SetCompressionMode(doc, compressed ? HPDF_COMP_ALL : HPDF_COMP_NONE);
    HPDF_Font font = HPDF_GetFont(doc, "Helvetica", "WinAnsiEncoding");
    for (int p = 0; p < kPages; ++p) {
        HPDF_Page page = HPDF_AddPage(doc);
        HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
        HPDF_Page_SetRGBFill(page, 0.91f, 0.933f, 0.957f);
        HPDF_Page_SetRGBStroke(page, 0.2f, 0.4f, 0.6f);
        for (const Rect& r : rects) {
            HPDF_Page_Rectangle(page, r.x, kPageHeight - r.y - r.h, r.w, r.h);
            if (r.filled)
                HPDF_Page_Eofill(page);
            else
                HPDF_Page_Stroke(page);
        }
        HPDF_Page_SetRGBFill(page, 0, 0, 0);
        HPDF_Page_BeginText(page);
        HPDF_Page_SetFontAndSize(page, font, 10);
        const PageText& text = pages[static_cast<std::size_t>(p) % pages.size()];
        for (int line = 0; line < kLines; ++line)
            HPDF_Page_TextOut(page, 42, kPageHeight - LineY(line),
                              text.winAnsi[static_cast<std::size_t>(line)].c_str());
        HPDF_Page_EndText(page);
    }
    if (HPDF_SaveToFile(doc, path.c_str()) != HPDF_OK) {
        std::fprintf(stderr, "libharu could not write %s\n", path.c_str());
        std::exit(1);
    }
    HPDF_Free(doc);
}

// The best of a few runs, in seconds.
double Best(const std::function<void()>& run)
{
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                                            start).count());
    }
    return best;
}

}  // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pdf_pages";
    std::filesystem::create_directories(folder);

    // Page texts differ from page to page; a hundred kinds keep the setup short.
    std::vector<PageText> pages;
    for (int p = 0; p < 100; ++p)
        pages.push_back(MakeLines(p));
    const std::vector<Rect> rects = MakeRects();

    std::printf("%d A4 pages, %d text lines and %zu rectangles each; files in %s\n", kPages,
                kLines, rects.size(), folder.c_str());
    for (const bool compressed : {false, true}) {
        const char* kind = compressed ? "compressed" : "uncompressed";
        const std::string ours = (folder / (std::string("pagelith-") + kind + ".pdf")).string();
        const std::string theirs = (folder / (std::string("libharu-") + kind + ".pdf")).string();
        const double ourTime = Best([&] { WithPagelith(ours, compressed, pages, rects); });
        const double theirTime = Best([&] { WithLibharu(theirs, compressed, pages, rects); });
        std::printf("%-12s pagelith %8.1f ms %9ju bytes\n", kind, ourTime * 1000,
                    static_cast<std::uintmax_t>(std::filesystem::file_size(ours)));
        std::printf("%-12s libharu  %8.1f ms %9ju bytes\n", kind, theirTime * 1000,
                    static_cast<std::uintmax_t>(std::filesystem::file_size(theirs)));
        std::printf("%s pagelith / libharu time ratio %.3f\n", kind, ourTime / theirTime);
    }
}
