// Our Flate encoder at levels 0 to 5 against zlib at levels 1 to 9, with libdeflate's
// levels 1, 6, 9 and 12 as the ceiling, on the same inputs, each stream compressed on its own as
// Pagelith does.  Real inputs: the page content streams Pagelith writes, the page content
// of the PDFs under /usr/share/doc, a licence text, the Liberation font files; generated
// ones: page content, French text, a raw image, random bytes.
//
// Equal work: each side compresses every stream of an input into a new buffer (zlib and
// libdeflate are given one of the largest size they may need).  Before timing, every
// stream each side writes is inflated by zlib and must give back its input.  For each of
// our levels the report names the zlib level of nearest compressed size.
//
// The goal: on real page content and text, our level 5 takes at most 0.8 of zlib level 6's
// time and writes at most as many bytes.  Exits 2 when a stream does not inflate to its
// input, 1 when the goal is missed on any of those inputs.
#include "best_time.h"
#include "planner_pages.h"
#include "real_inputs.h"
#include "pdf/codec/filters.h"

#include <libdeflate.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kTimeGoal = 0.8;
constexpr double kSizeGoal = 1.0;
constexpr int kOurLevels = 6;     // 0 to 5
constexpr int kZlibLevels = 10;   // 1 to 9; 0 unused
constexpr int kCeilingLevels[] = {1, 6, 9, 12};  // libdeflate's

pdf::Bytes PageContents()
{
    std::string text;
    for (int page = 0; page < 300; ++page) {
        text += "q 0.5 w 0 0 1 RG\n";
        for (int line = 0; line < 50; ++line) {
            int y = 780 - line * 14;
            text += "BT /F1 10 Tf 72 " + std::to_string(y) + " Td (Réunion " + std::to_string(page * 50 + line)
                    + " : chantier de l'entrepôt, étape " + std::to_string(line % 7) + ") Tj ET\n";
            if (line % 4 == 0)
                text += "0.9 0.9 " + std::to_string(0.1 * (line % 10)).substr(0, 3) + " rg 70 "
                        + std::to_string(y - 3) + " 455 13 re f\n72 " + std::to_string(y - 3) + " m 527 "
                        + std::to_string(y - 3) + " l S\n";
        }
        text += "Q\n";
    }
    return pdf::Bytes(text.begin(), text.end());
}

pdf::Bytes FrenchText()
{
    static const char* const kWords[] = {
        "le", "la", "les", "des", "une", "réunion", "équipe", "activité", "ressource", "projet",
        "semaine", "préparer", "vérifier", "matériel", "chantier", "à", "de", "pour", "avec",
        "après", "être", "déjà", "où", "très", "élève", "château", "forêt", "garçon", "cœur", "noël"};
    std::string text;
    std::uint32_t seed = 1;
    while (text.size() < 1500000) {
        seed = seed * 1664525 + 1013904223;
        text += kWords[(seed >> 16) % 30];
        text += (seed >> 8) % 13 == 0 ? ".\n" : " ";
    }
    return pdf::Bytes(text.begin(), text.end());
}

pdf::Bytes RawImage()
{
    pdf::Bytes rgb;
    std::uint32_t seed = 7;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            seed = seed * 1664525 + 1013904223;
            int grain = static_cast<int>(seed >> 29);
            rgb.push_back(static_cast<std::uint8_t>((x * 255 / 800 + grain) & 0xFF));
            rgb.push_back(static_cast<std::uint8_t>(y * 255 / 600));
            rgb.push_back(static_cast<std::uint8_t>((x / 40 + y / 40) % 2 ? 200 : 40 + grain));
        }
    return rgb;
}

pdf::Bytes RandomBytes()
{
    pdf::Bytes out(1000000);
    std::uint32_t seed = 3;
    for (auto& b : out) {
        seed = seed * 1664525 + 1013904223;
        b = static_cast<std::uint8_t>(seed >> 24);
    }
    return out;
}

// The content streams of pages Pagelith writes without compression: each stream's data
// follows ">>\rstream\n" and its length stands in the "/Length" entry just before.
bench::Input PagelithContentStreams()
{
    const std::string path = (std::filesystem::temp_directory_path() / "deflate-pages.pdf").string();
    std::vector<std::vector<std::string>> texts;
    for (int p = 0; p < 40; ++p)
        texts.push_back(bench::MakeLines(p));
    bench::WritePagelithPages(path, 0, 40, texts, bench::MakeRects());
    const pdf::Bytes file = bench::ReadFile(path);
    const std::string text(file.begin(), file.end());
    bench::Input input{"page-streams", {}};
    const std::string marker = ">>\rstream\n";
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
        const std::size_t length = text.rfind("/Length ", at);
        const std::size_t size = std::stoul(text.substr(length + 8, at - length - 8));
        const auto begin = file.begin() + static_cast<std::ptrdiff_t>(at + marker.size());
        if (size > 1000)  // page contents, not the small streams of the document's other parts
            input.streams.emplace_back(begin, begin + static_cast<std::ptrdiff_t>(size));
    }
    return input;
}

pdf::Bytes Ours(const pdf::Bytes& stream, int level)
{
    pdf::Bytes copy = stream;
    pdf::EncodeFlate(copy, level);
    return copy;
}

pdf::Bytes Zlib(const pdf::Bytes& stream, int level)
{
    pdf::Bytes out(compressBound(stream.size()));
    uLongf size = out.size();
    if (compress2(out.data(), &size, stream.data(), stream.size(), level) != Z_OK)
        size = 0;
    out.resize(size);
    return out;
}

pdf::Bytes Libdeflate(libdeflate_compressor* compressor, const pdf::Bytes& stream)
{
    pdf::Bytes out(libdeflate_zlib_compress_bound(compressor, stream.size()));
    out.resize(libdeflate_zlib_compress(compressor, stream.data(), stream.size(), out.data(), out.size()));
    return out;
}

bool Inflates(const pdf::Bytes& compressed, const pdf::Bytes& input)
{
    pdf::Bytes back(input.size() + 1);
    uLongf size = back.size();
    return uncompress(back.data(), &size, compressed.data(), compressed.size()) == Z_OK
           && size == input.size() && std::equal(input.begin(), input.end(), back.begin());
}

// One side at one level: the work it does on a whole input, and what it wrote.
struct Side {
    std::string name;
    std::function<pdf::Bytes(const pdf::Bytes&)> compress;
    std::size_t size = 0;
    double seconds = 0;
};

// Checks every stream each side writes and sums its sizes; false on a disagreement.
bool CheckSides(const bench::Input& input, std::vector<Side>& sides, bench::Verdict& verdict)
{
    bool agree = true;
    for (Side& side : sides) {
        side.size = 0;
        bool inflates = true;
        for (const pdf::Bytes& stream : input.streams) {
            const pdf::Bytes compressed = side.compress(stream);
            inflates = inflates && Inflates(compressed, stream);
            side.size += compressed.size();
        }
        agree = verdict.Agree(inflates, input.name + " " + side.name + ": does not inflate to its input") && agree;
    }
    return agree;
}

void TimeSides(const bench::Input& input, std::vector<Side>& sides)
{
    std::vector<bench::Contender> contenders;
    for (const Side& side : sides)
        contenders.push_back({side.name, [&input, &side] {
                                  for (const pdf::Bytes& stream : input.streams)
                                      side.compress(stream);
                              }});
    const std::vector<double> best = bench::BestSeconds(contenders, 5);
    for (std::size_t i = 0; i < sides.size(); ++i)
        sides[i].seconds = best[i];
}

void PrintSide(const bench::Input& input, const Side& side)
{
    const double total = static_cast<double>(input.TotalSize());
    std::printf("%-14s %-14s %9zu bytes (%5.1f%%) %8.1f MB/s\n", input.name.c_str(), side.name.c_str(),
                side.size, 100.0 * side.size / total, total / side.seconds / 1e6);
}

// The zlib level (1 to 9) whose compressed size is nearest ours.
int NearestBySize(const Side& ours, const std::vector<Side>& zlib)
{
    int nearest = 1;
    for (int level = 2; level < kZlibLevels; ++level)
        if (std::abs(double(zlib[level].size) - double(ours.size))
            < std::abs(double(zlib[nearest].size) - double(ours.size)))
            nearest = level;
    return nearest;
}

}  // namespace

int main()
{
    bench::Verdict verdict;
    std::vector<libdeflate_compressor*> compressors;
    for (int level : kCeilingLevels)
        compressors.push_back(libdeflate_alloc_compressor(level));

    struct Corpus {
        bench::Input input;
        bool goal;  // real page content or text
    };
    const std::vector<Corpus> corpora = {
        {PagelithContentStreams(), true},
        {bench::PdfPageContents(), true},
        {bench::LicenceText(), true},
        {{"page-contents", {PageContents()}}, true},
        {{"french-text", {FrenchText()}}, true},
        {bench::FontFiles(), false},
        {{"raw-image", {RawImage()}}, false},
        {{"random", {RandomBytes()}}, false},
    };
    for (const auto& [input, goal] : corpora) {
        if (input.streams.empty()) {
            std::printf("%s skipped: no input\n\n", input.name.c_str());
            continue;
        }
        std::printf("%s: %zu bytes in %zu streams\n", input.name.c_str(), input.TotalSize(),
                    input.streams.size());
        std::vector<Side> ours(kOurLevels), zlib(kZlibLevels);
        std::vector<Side> sides;
        for (int level = 0; level < kOurLevels; ++level)
            sides.push_back({"ours " + std::to_string(level),
                             [level](const pdf::Bytes& s) { return Ours(s, level); }});
        for (int level = 1; level < kZlibLevels; ++level)
            sides.push_back({"zlib " + std::to_string(level),
                             [level](const pdf::Bytes& s) { return Zlib(s, level); }});
        for (std::size_t i = 0; i < compressors.size(); ++i)
            sides.push_back({"libdeflate " + std::to_string(kCeilingLevels[i]),
                             [c = compressors[i]](const pdf::Bytes& s) { return Libdeflate(c, s); }});
        if (!CheckSides(input, sides, verdict)) {
            std::printf("\n");
            continue;
        }
        TimeSides(input, sides);
        for (const Side& side : sides)
            PrintSide(input, side);
        std::copy(sides.begin(), sides.begin() + kOurLevels, ours.begin());
        std::copy(sides.begin() + kOurLevels, sides.begin() + kOurLevels + kZlibLevels - 1, zlib.begin() + 1);
        for (const Side& side : ours) {
            const Side& their = zlib[NearestBySize(side, zlib)];
            std::printf("%s %s / %s (nearest size): size ratio %.3f, time ratio %.3f\n", input.name.c_str(),
                        side.name.c_str(), their.name.c_str(), double(side.size) / their.size,
                        side.seconds / their.seconds);
        }
        const Side& five = ours[5];
        const Side& six = zlib[6];
        const double sizeRatio = double(five.size) / six.size;
        std::printf("%s ours 5 / zlib 6: size ratio %.3f\n", input.name.c_str(), sizeRatio);
        if (goal) {
            verdict.Goal(input.name + ", ours 5 / zlib 6 time", five.seconds / six.seconds, kTimeGoal);
            verdict.Goal(input.name + ", ours 5 / zlib 6 size", sizeRatio, kSizeGoal);
        }
        std::printf("\n");
    }
    for (libdeflate_compressor* compressor : compressors)
        libdeflate_free_compressor(compressor);
    return verdict.ExitCode();
}
