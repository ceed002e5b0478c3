// Our Flate encoder at levels 0 to 5 against zlib at levels 1, 6 and 9 on the same
// inputs: compressed size and speed of each, then ours against zlib at matching effort.
#include "pdf/codec/filters.h"

#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Corpus {
    std::string name;
    pdf::Bytes data;
};

struct Result {
    std::size_t size = 0;
    double seconds = 0;  // per run
};

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

// Runs compress until a quarter of a second has passed, at least twice.
Result Measure(const std::function<std::size_t()>& compress)
{
    using Clock = std::chrono::steady_clock;
    Result result;
    int runs = 0;
    auto start = Clock::now();
    do {
        result.size = compress();
        ++runs;
    } while (runs < 2 || Clock::now() - start < std::chrono::milliseconds(250));
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count() / runs;
    return result;
}

Result Ours(const pdf::Bytes& data, int level)
{
    return Measure([&] {
        pdf::Bytes copy = data;
        pdf::EncodeFlate(copy, level);
        return copy.size();
    });
}

Result Zlib(const pdf::Bytes& data, int level)
{
    pdf::Bytes out(compressBound(data.size()));
    return Measure([&] {
        uLongf size = out.size();
        compress2(out.data(), &size, data.data(), data.size(), level);
        return static_cast<std::size_t>(size);
    });
}

void PrintResult(const std::string& corpus, const std::string& who, const Result& r, std::size_t input)
{
    std::printf("%-14s %-8s %9zu bytes (%5.1f%%) %8.1f MB/s\n", corpus.c_str(), who.c_str(), r.size,
                100.0 * r.size / input, input / r.seconds / 1e6);
}

}  // namespace

int main()
{
    const std::vector<Corpus> corpora = {
        {"page-contents", PageContents()},
        {"french-text", FrenchText()},
        {"raw-image", RawImage()},
        {"random", RandomBytes()},
    };
    // Our level against the zlib level of matching effort.
    const std::vector<std::pair<int, int>> pairs = {{0, 1}, {3, 6}, {5, 9}};

    for (const Corpus& corpus : corpora) {
        std::printf("%s: %zu bytes\n", corpus.name.c_str(), corpus.data.size());
        Result ours[6];
        for (int level = 0; level <= 5; ++level) {
            ours[level] = Ours(corpus.data, level);
            PrintResult(corpus.name, "ours " + std::to_string(level), ours[level], corpus.data.size());
        }
        Result zlib[10];
        for (int level : {1, 6, 9}) {
            zlib[level] = Zlib(corpus.data, level);
            PrintResult(corpus.name, "zlib " + std::to_string(level), zlib[level], corpus.data.size());
        }
        for (auto [our, their] : pairs) {
            std::printf("%s ours %d / zlib %d size ratio %.3f\n", corpus.name.c_str(), our, their,
                        double(ours[our].size) / zlib[their].size);
            std::printf("%s ours %d / zlib %d time ratio %.3f\n", corpus.name.c_str(), our, their,
                        ours[our].seconds / zlib[their].seconds);
        }
        std::printf("\n");
    }
}
