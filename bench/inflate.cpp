// Our Inflate against zlib's one-shot uncompress, with libdeflate as the ceiling, on zlib
// streams (level 6, one per stream as a PDF holds them) of real inputs: the page content of
// the PDFs under /usr/share/doc, the Liberation font files, a photo-like picture's PNG data
// as its writer compressed it, a licence text; and of generated page content.
//
// Equal work: each side decodes every stream of a kind into a new buffer of its own (ours
// sizes it as it goes; zlib and libdeflate are given the decoded size), through malloc
// alike.  The verdict is taken with malloc keeping large blocks from run to run, as a
// long-running reader's are, so that the times are those of decoding.  The ratio with every
// large buffer mapped afresh is printed too: there each first write to a page is a fault,
// which costs both sides alike and, on a virtual machine, can cost more than decoding the
// page.  Before timing, every side's output is checked against the original bytes.  Prints
// MB/s of decoded output and, per kind, our time / zlib's; exits 2 on a disagreement, 1
// when Inflate takes more than 0.7 of zlib's time on any kind.
#include "best_time.h"
#include "real_inputs.h"
#include "pdf/codec/inflate.h"

#include <libdeflate.h>
#include <malloc.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr double kGoal = 0.7;

struct Stream {
    pdf::Bytes zlib;
    pdf::Bytes plain;
};

pdf::Bytes ZlibCompressed(const pdf::Bytes& data)
{
    pdf::Bytes out(compressBound(data.size()));
    uLongf size = out.size();
    compress2(out.data(), &size, data.data(), data.size(), 6);
    out.resize(size);
    return out;
}

// The zlib stream's decoded bytes, by zlib, for a stream given already compressed.
pdf::Bytes ZlibDecoded(const pdf::Bytes& stream)
{
    pdf::Bytes out;
    z_stream z{};
    inflateInit(&z);
    z.next_in = const_cast<std::uint8_t*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    std::uint8_t chunk[1 << 16];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), chunk, chunk + (sizeof chunk - z.avail_out));
    }
    inflateEnd(&z);
    return out;
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

struct Kind {
    std::string name;
    std::vector<Stream> streams;
};

Kind Compressed(const bench::Input& input)
{
    Kind kind{input.name, {}};
    for (const pdf::Bytes& plain : input.streams)
        kind.streams.push_back({ZlibCompressed(plain), plain});
    return kind;
}

Kind AlreadyCompressed(const bench::Input& input)
{
    Kind kind{input.name, {}};
    for (const pdf::Bytes& stream : input.streams)
        kind.streams.push_back({stream, ZlibDecoded(stream)});
    return kind;
}

pdf::Bytes Ours(const Stream& s)
{
    return pdf::Inflate(std::span(s.zlib).subspan(2));
}

pdf::Bytes Zlib(const Stream& s)
{
    pdf::Bytes out(s.plain.size());
    uLongf size = out.size();
    if (uncompress(out.data(), &size, s.zlib.data(), s.zlib.size()) != Z_OK)
        out.clear();
    return out;
}

pdf::Bytes Libdeflate(libdeflate_decompressor* decompressor, const Stream& s)
{
    pdf::Bytes out(s.plain.size());
    if (libdeflate_zlib_decompress(decompressor, s.zlib.data(), s.zlib.size(), out.data(),
                                   out.size(), nullptr) != LIBDEFLATE_SUCCESS)
        out.clear();
    return out;
}

bool SameAsPlain(const Kind& kind, const auto& decode)
{
    for (const Stream& s : kind.streams)
        if (decode(s) != s.plain)
            return false;
    return true;
}

// How malloc gives out large blocks: mapped afresh for every allocation and unmapped when
// freed, or kept in its heap for the next one.
enum class Pages { Fresh, Recycled };

void UsePages(Pages pages)
{
    constexpr int kMallocDefault = 128 * 1024;
    const int threshold = pages == Pages::Fresh ? kMallocDefault : 1 << 30;
    mallopt(M_MMAP_THRESHOLD, threshold);
    mallopt(M_TRIM_THRESHOLD, threshold);
    malloc_trim(0);
}

// Best seconds of decoding every stream of the kind, over that many rounds of short turns:
// ours, zlib's, libdeflate's.  The more turns, the likelier each side has some on a quiet
// core; a licence text decodes in tens of microseconds.
std::vector<double> Times(const Kind& kind, const auto& libdeflate, int rounds)
{
    const auto each = [&kind](const auto& decode) {
        return [&kind, decode] {
            for (const Stream& s : kind.streams)
                decode(s);
        };
    };
    return bench::BestSeconds({{"ours", each(Ours)}, {"zlib", each(Zlib)},
                               {"libdeflate", each(libdeflate)}},
                              rounds, std::chrono::milliseconds(10));
}

}  // namespace

int main()
{
    bench::Verdict verdict;
    libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
    const auto libdeflate = [&](const Stream& s) { return Libdeflate(decompressor, s); };

    std::vector<Kind> kinds = {
        Compressed(bench::PdfPageContents()), Compressed(bench::FontFiles()),
        AlreadyCompressed(bench::PhotoPng()), Compressed(bench::LicenceText()),
        Compressed({"generated-pages", {PageContents()}})};
    std::vector<Kind> measured;
    for (Kind& kind : kinds) {
        if (kind.streams.empty()) {
            std::printf("%-16s skipped: no input\n", kind.name.c_str());
            continue;
        }
        const bool agree = verdict.Agree(SameAsPlain(kind, Ours), kind.name + ": Inflate") &
                           verdict.Agree(SameAsPlain(kind, Zlib), kind.name + ": zlib") &
                           verdict.Agree(SameAsPlain(kind, libdeflate), kind.name + ": libdeflate");
        if (agree)
            measured.push_back(std::move(kind));
    }

    // Fresh pages first: blocks kept from the recycled runs would be reused.
    std::vector<std::vector<double>> fresh;
    UsePages(Pages::Fresh);
    for (const Kind& kind : measured)
        fresh.push_back(Times(kind, libdeflate, 9));
    UsePages(Pages::Recycled);
    for (std::size_t k = 0; k < measured.size(); ++k) {
        const Kind& kind = measured[k];
        const std::vector<double> best = Times(kind, libdeflate, 25);
        std::size_t plainSize = 0;
        for (const Stream& s : kind.streams)
            plainSize += s.plain.size();
        const double megabytes = static_cast<double>(plainSize) / 1e6;
        std::printf("%-16s %4zu streams %10zu bytes  ours %7.1f MB/s  zlib %7.1f  libdeflate %7.1f"
                    "  | libdeflate/zlib %.2f  on fresh pages: ours/zlib %.2f, libdeflate/zlib %.2f\n",
                    kind.name.c_str(), kind.streams.size(), plainSize, megabytes / best[0],
                    megabytes / best[1], megabytes / best[2], best[2] / best[1],
                    fresh[k][0] / fresh[k][1], fresh[k][2] / fresh[k][1]);
        verdict.Goal(kind.name + ", Inflate / zlib", best[0] / best[1], kGoal);
    }
    libdeflate_free_decompressor(decompressor);
    return verdict.ExitCode();
}
