// Our Inflate against zlib's uncompress on the same zlib streams: page content, a font
// file and a licence text, each compressed by zlib at level 6 and by our Deflate at
// level 3.  Prints MB/s of decoded output and, per stream, "ratio" (our time / zlib's).
// Exits with status 1 when Inflate is slower than zlib on any stream.
#include "best_time.h"
#include "pdf/codec/filters.h"
#include "pdf/codec/inflate.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Corpus {
    std::string name;
    pdf::Bytes data;
};

pdf::Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    pdf::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        std::fprintf(stderr, "missing %s\n", path.c_str());
    return bytes;
}

pdf::Bytes PageContents()
{
    std::string text;
    for (int page = 0; page < 100; ++page) {
        text += "q 0.5 w 0 0 1 RG\n";
        for (int line = 0; line < 50; ++line) {
            int y = 780 - line * 14;
            text += "BT /F1 10 Tf 72 " + std::to_string(y) + " Td (Réunion " +
                    std::to_string(page * 50 + line) + " : chantier, étape " +
                    std::to_string(line % 7) + ") Tj ET\n";
            if (line % 4 == 0)
                text += "70 " + std::to_string(y - 3) + " 455 13 re f\n";
        }
        text += "Q\n";
    }
    return pdf::Bytes(text.begin(), text.end());
}

pdf::Bytes ZlibCompressed(const pdf::Bytes& data)
{
    pdf::Bytes out(compressBound(data.size()));
    uLongf size = out.size();
    compress2(out.data(), &size, data.data(), data.size(), 6);
    out.resize(size);
    return out;
}

pdf::Bytes OurCompressed(const pdf::Bytes& data)
{
    pdf::Bytes out = data;
    pdf::EncodeFlate(out, 3);
    return out;
}

}  // namespace

int main()
{
    const std::vector<Corpus> corpora = {
        {"page-content", PageContents()},
        {"font-file", ReadFile("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf")},
        {"licence-text", ReadFile("/usr/share/common-licenses/GPL-3")},
    };
    bool missed = false;
    for (const Corpus& corpus : corpora) {
        for (const auto& [how, stream] : {std::pair{"zlib-6", ZlibCompressed(corpus.data)},
                                          std::pair{"ours-3", OurCompressed(corpus.data)}}) {
            const std::span<const std::uint8_t> deflate = std::span(stream).subspan(2);
            if (pdf::Inflate(deflate) != corpus.data) {
                std::printf("%s %s: Inflate gave other bytes\n", corpus.name.c_str(), how);
                return 2;
            }
            pdf::Bytes out(corpus.data.size());
            const double ours = bench::BestSeconds([&] { pdf::Inflate(deflate); });
            const double zlib = bench::BestSeconds([&] {
                uLongf size = out.size();
                uncompress(out.data(), &size, stream.data(), stream.size());
            });
            const double megabytes = corpus.data.size() / 1e6;
            std::printf("%-13s %-7s %8zu -> %8zu bytes  ours %7.1f MB/s  zlib %7.1f MB/s  ratio %.3f\n",
                        corpus.name.c_str(), how, stream.size(), corpus.data.size(),
                        megabytes / ours, megabytes / zlib, ours / zlib);
            missed = missed || ours > zlib;
        }
    }
    if (missed)
        std::printf("goal missed: Inflate is slower than zlib on some stream\n");
    return missed ? 1 : 0;
}
