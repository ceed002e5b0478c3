// The writer's cost as the work grows: each scenario writes a document of 1,000 and of
// 16,000 items (templates, attachments, layers, destinations, image patterns, scripts,
// field scripts, radio buttons, words of a text box) and the time per item at 16,000 must
// stay within twice that at 1,000.  No peer writes these, so the figures are ours alone; the program
// exits with 1 when a goal is missed, with 2 when a document records an error.  The files
// stay in a temporary folder.
#include "bench/best_time.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pdf/pagelith.h"

namespace {

constexpr int kFew = 1000;
constexpr int kMany = 16000;

struct Scenario {
    const char* name;
    std::function<void(pdf::Pagelith&, int)> write;
};

std::string Numbered(const char* stem, int i)
{
    return stem + std::to_string(i);
}

void NewPage(pdf::Pagelith& w)
{
    int page = 0;
    w.BeginPage(page);
}

void Record(pdf::Pagelith& w, const std::string& name, int flags)
{
    w.BeginObject(name, flags);
    w.DrawRect(0, 0, 5, 5, 0, 15, 0);
    w.EndObject();
}

void Layers(pdf::Pagelith& w, int n, bool nested)
{
    NewPage(w);
    for (int i = 0; i < n; ++i) {
        w.BeginLayer(Numbered("layer", i), true, true,
                     nested && i > 0 ? Numbered("layer", i - 1) : "");
        w.DrawLine(0, 0, 5, 5, 0);
        w.EndLayer();
    }
}

// A chain of `n` templates, each painting the next `paintings` times before it is recorded.
void ChainedTemplates(pdf::Pagelith& w, int n, int paintings)
{
    NewPage(w);
    w.DrawObject(Numbered("t", 0));
    for (int i = 0; i < n; ++i) {
        w.BeginObject(Numbered("t", i), 0);
        w.DrawRect(0, 0, 5, 5, 0, 15, 0);
        for (int painting = 0; painting < paintings; ++painting)
            w.DrawObject(Numbered("t", i + 1));
        w.EndObject();
    }
}

// A paragraph of `n` words, laid out a page-high box after another until none is left.
void LongParagraph(pdf::Pagelith& w, int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += (i > 0 ? " " : "") + Numbered("word", i % 1000);
    w.SetFont("Arial", 10, 0, 0);
    while (!text.empty()) {
        NewPage(w);
        text = w.DrawTextBox(10, 10, 150, 0, text);
    }
}

std::vector<Scenario> Scenarios(const std::string& attached)
{
    return {
        {"templates painted before being recorded",
         [](pdf::Pagelith& w, int n) {
             NewPage(w);
             for (int i = 0; i < n; ++i)
                 w.DrawObject(Numbered("t", i));
             for (int i = 0; i < n; ++i)
                 Record(w, Numbered("t", i), 0);
         }},
        {"attachments",
         [attached](pdf::Pagelith& w, int n) {
             for (int i = 0; i < n; ++i)
                 w.AddAttach(attached, Numbered("file", i) + ".txt", "");
         }},
        {"nested layers", [](pdf::Pagelith& w, int n) { Layers(w, n, true); }},
        {"flat layers", [](pdf::Pagelith& w, int n) { Layers(w, n, false); }},
        {"templates recorded and painted once",
         [](pdf::Pagelith& w, int n) {
             NewPage(w);
             for (int i = 0; i < n; ++i) {
                 Record(w, Numbered("t", i), 0);
                 w.DrawObject(Numbered("t", i));
             }
         }},
        {"a template recorded and painted on each page",
         [](pdf::Pagelith& w, int n) {
             for (int i = 0; i < n; ++i) {
                 NewPage(w);
                 Record(w, Numbered("t", i), 0);
                 w.DrawObject(Numbered("t", i));
                 w.EndPage();
             }
         }},
        {"templates painted in tiling cells",
         [](pdf::Pagelith& w, int n) {
             NewPage(w);
             for (int i = 0; i < n; ++i) {
                 Record(w, Numbered("t", i), 0);
                 w.BeginTiling(Numbered("cell", i), 0, 0, 10, 10, 10, 10, 0);
                 w.DrawObject(Numbered("t", i));
                 w.EndTiling();
                 w.SetColorFill(Numbered("cell", i));
                 w.DrawRect(0, 0, 10, 10, 5, 15, 0);
             }
         }},
        {"templates placed on the first page by their flags",
         [](pdf::Pagelith& w, int n) {
             for (int i = 0; i < n; ++i)
                 Record(w, Numbered("t", i), 1);
             NewPage(w);
         }},
        {"named destinations with links to them",
         [](pdf::Pagelith& w, int n) {
             NewPage(w);
             for (int i = 0; i < n; ++i) {
                 w.DefineRef(Numbered("place", i), 0, 0, 0, 0, 0, 0);
                 w.DrawRect(0, 0, 5, 5, 0, 15, 0);
                 w.LinkTo("ref:" + Numbered("place", n - 1 - i), 0, 0, 0, 0, 0, 0, 0, 0);
             }
         }},
        {"distinct image patterns",
         [](pdf::Pagelith& w, int n) {
             NewPage(w);
             const pdf::Bytes pixels(12, 0x80);
             for (int i = 0; i < n; ++i)
                 w.DrawImage(w.AddImagePattern(Numbered("pattern", i), 2, 2, pixels, {}), 0, 0,
                             5, 5);
         }},
        {"templates painting the next before it is recorded",
         [](pdf::Pagelith& w, int n) { ChainedTemplates(w, n, 1); }},
        {"templates each painting the next twice, unrecorded",
         [](pdf::Pagelith& w, int n) { ChainedTemplates(w, n, 2); }},
        {"field scripts with all fields on one page",
         [](pdf::Pagelith& w, int n) {
             NewPage(w);
             for (int i = 0; i < n; ++i)
                 w.DrawField(Numbered("field", i), 0, 0, 0, 5, 5, "", "", "", 0);
             for (int i = 0; i < n; ++i)
                 w.OnFieldEvent(7, Numbered("field", i), "check();");
         }},
        {"radio buttons of distinct groups",
         [](pdf::Pagelith& w, int n) {
             NewPage(w);
             for (int i = 0; i < n; ++i)
                 w.DrawField(Numbered("group", i), 4, 0, 0, 5, 5, "", "", "", 0);
         }},
        {"words of a paragraph laid out box after box", LongParagraph},
        {"appended document scripts",
         [](pdf::Pagelith& w, int n) {
             NewPage(w);
             for (int i = 0; i < n; ++i)
                 w.OnDocEvent(8, Numbered("step", i) + "();", false);
         }},
    };
}

// Writes the scenario's document of `n` items; false when a call recorded an error.
bool Write(const Scenario& scenario, const std::string& path, int n)
{
    pdf::Pagelith w(nullptr, std::make_shared<pdf::SeededRandom>(1));
    std::string name = path;
    w.BeginDoc(name);
    scenario.write(w, n);
    w.EndDoc();
    return w.ErrNumber() == 0;
}

}  // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "writer_growth";
    std::filesystem::create_directories(folder);
    const std::string attached = (folder / "attached.txt").string();
    std::ofstream(attached) << "a small attached file\n";
    std::printf("time per item at %d and at %d items; files in %s\n", kFew, kMany,
                folder.c_str());
    bench::Verdict verdict;
    for (const Scenario& scenario : Scenarios(attached)) {
        double seconds[2] = {0, 0};
        int run = 0;
        for (const int n : {kFew, kMany}) {
            const std::string path = (folder / ("growth-" + std::to_string(n) + ".pdf")).string();
            if (!verdict.Agree(Write(scenario, path, n),
                               std::string(scenario.name) + ": written with no error"))
                return verdict.ExitCode();
            seconds[run++] = bench::BestSeconds({{"ours", [&] { Write(scenario, path, n); }}}, 3)[0];
        }
        // The ratio is the growth of the time per item, which must stay near 1.
        const double growth = seconds[1] / kMany / (seconds[0] / kFew);
        std::printf("%-50s %6d %8.2f ms  %6d %8.2f ms  ratio %.3f\n", scenario.name, kFew,
                    seconds[0] * 1000, kMany, seconds[1] * 1000, growth);
        verdict.Goal(std::string(scenario.name) + ": time per item at 16000 / at 1000", growth,
                     2.0);
    }
    return verdict.ExitCode();
}
