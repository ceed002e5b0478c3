// The pages both PDF benchmarks write: A4 pages, each with a few filled and framed
// rectangles and 50 lines of Helvetica text that differ from page to page, drawn by
// Pagelith the way the planner draws them (one text line per DrawText, from UTF-8).
#pragma once

#include "pdf/pagelith.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

constexpr int kLines = 50;

struct Rect {
    float x, y, w, h;
    bool filled;
};

inline std::vector<std::string> MakeLines(int page)
{
    static const char* const kSubjects[] = {
        "Réunion d'équipe", "Chantier de l'entrepôt", "Visite client (Lyon)",
        "Préparation du matériel", "Révision des plans – étape 2", "Formation sécurité",
        "Contrôle qualité", "Livraison prévue à 14 h"};
    std::vector<std::string> lines;
    for (int line = 0; line < kLines; ++line) {
        const int n = page * kLines + line;
        lines.push_back(std::to_string(8 + line % 10) + ":" + (line % 2 ? "30" : "00") + "  " +
                        kSubjects[n % 8] + " n° " + std::to_string(n) + ", salle " +
                        std::to_string(n % 17 + 1) + " – responsable : Hélène Côté");
    }
    return lines;
}

inline std::vector<Rect> MakeRects()
{
    std::vector<Rect> rects;
    for (int band = 0; band < 5; ++band)
        rects.push_back({36.5f, 52.25f + band * 140.0f, 522.75f, 70.125f, true});
    rects.push_back({30, 30, 535.5f, 782, false});
    rects.push_back({300.333f, 40.667f, 240.1f, 20.2f, false});
    return rects;
}

inline float LineY(int line)
{
    return 60 + line * 14.5f;
}

// Writes pageCount pages to path, the text of page p being pages[p % pages.size()];
// compression is SetCompression's flags for content streams.
inline void WritePagelithPages(const std::string& path, int compression, int pageCount,
                               const std::vector<std::vector<std::string>>& pages,
                               const std::vector<Rect>& rects)
{
    pdf::Pagelith w(std::make_shared<pdf::FixedClock>(pdf::LocalTime{2024, 3, 1, 9, 30, 0}),
                    std::make_shared<pdf::SeededRandom>(7));
    w.SetPaperSize(0, 0, 0);
    w.SetCompression(compression, compression, compression);
    std::string name = path;
    w.BeginDoc(name);
    w.SetFont("Arial", 10, 0, 0);
    for (int p = 0; p < pageCount; ++p) {
        int page = 0;
        w.BeginPage(page);
        w.SetColorFill("#E8EEF4");
        w.SetColorLine("#336699");
        for (const Rect& r : rects)
            w.DrawRect(r.x, r.y, r.w, r.h, r.filled ? 5 : 0, 15, 0);
        w.SetColorFill("Black");
        w.SetColorText("Black");
        const std::vector<std::string>& text = pages[static_cast<std::size_t>(p) % pages.size()];
        for (int line = 0; line < kLines; ++line)
            w.DrawText(42, LineY(line), text[static_cast<std::size_t>(line)]);
        w.EndPage();
    }
    w.EndDoc();
    if (w.ErrNumber() != 0) {
        std::fprintf(stderr, "Pagelith could not write %s: %s\n", path.c_str(),
                     w.ErrDescription().c_str());
        std::exit(1);
    }
}

}  // namespace bench
