// Tiling cells that paint a template, at 500 and 2,000 cells: each cell paints the same
// small template, and the page fills one square with each pattern.  No peer writes tiling
// patterns, so the reference is our own document with each cell drawing the template's
// rectangle itself: both must render the same page (pdftoppm), then the two take turns.
// The figures that count are the growth from 500 to 2,000 cells, in time and in size per
// cell, which must stay linear: the program exits with 1 when the time per cell at 2,000
// is more than 1.5 times that at 500, with 2 when the pages differ.  A chain of as many
// levels, each template filling with a pattern whose cell paints the template below, must
// grow linearly too, as each painting checks that nothing paints itself.  The files stay in
// a temporary folder.
#include "bench/best_time.h"
#include "bench/command_output.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pdf/pagelith.h"

namespace {

constexpr int kFewCells = 500;
constexpr int kManyCells = 2000;
constexpr int kPerRow = 50;

std::string CellName(int i)
{
    return "cell" + std::to_string(i);
}

void DrawCellContent(pdf::Pagelith& w)
{
    w.SetColorFill("#336699");
    w.DrawRect(0, 0, 5, 5, 5, 15, 0);
}

// A writer with the document at `path` begun.
std::unique_ptr<pdf::Pagelith> Begun(const std::string& path)
{
    auto w = std::make_unique<pdf::Pagelith>(nullptr, std::make_shared<pdf::SeededRandom>(1));
    std::string name = path;
    w->BeginDoc(name);
    return w;
}

// The document of `cells` tiling cells, each painting the template or, without it, drawing
// the template's content itself.
void WriteCells(const std::string& path, int cells, bool throughTemplate)
{
    const auto w = Begun(path);
    if (throughTemplate) {
        w->BeginObject("mark", 0);
        DrawCellContent(*w);
        w->EndObject();
    }
    for (int i = 0; i < cells; ++i) {
        w->BeginTiling(CellName(i), 0, 0, 10, 10, 10, 10, 0);
        if (throughTemplate)
            w->DrawObject("mark");
        else
            DrawCellContent(*w);
        w->EndTiling();
    }
    int page = 0;
    w->BeginPage(page);
    for (int i = 0; i < cells; ++i) {
        w->SetColorFill(CellName(i));
        w->DrawRect(static_cast<float>(i % kPerRow * 10), static_cast<float>(i / kPerRow * 10),
                    10, 10, 5, 15, 0);
    }
    w->EndDoc();
}

// A chain of `levels` templates, each filling with a tiling pattern whose cell paints the
// template below; the page paints the top one.  False when a call records an error.
bool WriteChain(const std::string& path, int levels)
{
    const auto w = Begun(path);
    for (int i = 0; i < levels; ++i) {
        w->BeginTiling(CellName(i), 0, 0, 10, 10, 10, 10, 0);
        if (i > 0)
            w->DrawObject("level" + std::to_string(i - 1));
        DrawCellContent(*w);
        w->EndTiling();
        w->BeginObject("level" + std::to_string(i), 0);
        w->SetColorFill(CellName(i));
        w->DrawRect(0, 0, 10, 10, 5, 15, 0);
        w->EndObject();
    }
    int page = 0;
    w->BeginPage(page);
    w->DrawObject("level" + std::to_string(levels - 1));
    w->EndDoc();
    return w->ErrNumber() == 0;
}

// The page as pdftoppm renders it, with what it says; empty when it cannot.
std::string Rendered(const std::string& path)
{
    return bench::CommandOutput("pdftoppm -r 36 '" + path + "' 2>&1");
}

}  // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tiling_cells";
    std::filesystem::create_directories(folder);
    std::printf("tiling cells that paint a template against cells drawing it themselves; files in %s\n",
                folder.c_str());
    bench::Verdict verdict;
    double perCell[2] = {0, 0};
    double bytesPerCell[2] = {0, 0};
    int run = 0;
    for (const int cells : {kFewCells, kManyCells}) {
        const std::string ours = (folder / ("template-" + std::to_string(cells) + ".pdf")).string();
        const std::string direct = (folder / ("direct-" + std::to_string(cells) + ".pdf")).string();
        const auto writeOurs = [&] { WriteCells(ours, cells, true); };
        const auto writeDirect = [&] { WriteCells(direct, cells, false); };
        writeOurs();
        writeDirect();
        const std::string page = Rendered(ours);
        if (!verdict.Agree(!page.empty() && page == Rendered(direct),
                           std::to_string(cells) + " cells: the page pdftoppm renders"))
            return verdict.ExitCode();
        const std::vector<double> best =
            bench::BestSeconds({{"template", writeOurs}, {"direct", writeDirect}});
        const auto size = std::filesystem::file_size(ours);
        const auto directSize = std::filesystem::file_size(direct);
        std::printf("%5d cells  through a template %7.2f ms %8ju bytes  drawn in the cell %7.2f ms "
                    "%8ju bytes  ratio %.3f\n",
                    cells, best[0] * 1000, static_cast<std::uintmax_t>(size), best[1] * 1000,
                    static_cast<std::uintmax_t>(directSize), best[0] / best[1]);
        perCell[run] = best[0] / cells;
        bytesPerCell[run] = static_cast<double>(size) / cells;
        ++run;
    }
    std::printf("per cell at %d: %.2f us %.0f bytes; at %d: %.2f us %.0f bytes\n", kFewCells,
                perCell[0] * 1e6, bytesPerCell[0], kManyCells, perCell[1] * 1e6, bytesPerCell[1]);
    verdict.Goal("time per cell at 2000 / at 500", perCell[1] / perCell[0], 1.5);
    verdict.Goal("size per cell at 2000 / at 500", bytesPerCell[1] / bytesPerCell[0], 1.1);

    double perLevel[2] = {0, 0};
    run = 0;
    for (const int levels : {kFewCells, kManyCells}) {
        const std::string chain = (folder / ("chain-" + std::to_string(levels) + ".pdf")).string();
        if (!verdict.Agree(WriteChain(chain, levels),
                           std::to_string(levels) + " levels: written with no error"))
            return verdict.ExitCode();
        perLevel[run] = bench::BestSeconds([&] { WriteChain(chain, levels); }) / levels;
        std::printf("%5d levels of template and cell  %7.2f ms\n", levels,
                    perLevel[run] * levels * 1000);
        ++run;
    }
    verdict.Goal("time per level at 2000 / at 500", perLevel[1] / perLevel[0], 1.5);
    return verdict.ExitCode();
}
