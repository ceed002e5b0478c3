#include "bench/real_inputs.h"

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "pdf/pagelith.h"

namespace bench {

namespace fs = std::filesystem;

std::size_t Input::TotalSize() const
{
    std::size_t total = 0;
    for (const pdf::Bytes& stream : streams)
        total += stream.size();
    return total;
}

namespace {

void ReportMissing(const std::string& what)
{
    std::fprintf(stderr, "missing %s: skipped\n", what.c_str());
}

pdf::Bytes Gunzip(const std::string& path)
{
    pdf::Bytes bytes;
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    std::uint8_t buffer[1 << 16];
    for (int read; (read = gzread(file, buffer, sizeof buffer)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + read);
    gzclose(file);
    return bytes;
}

Input FromFiles(const std::string& name, const std::vector<std::string>& paths)
{
    Input input{name, {}};
    for (const std::string& path : paths)
        if (pdf::Bytes bytes = ReadFile(path); !bytes.empty())
            input.streams.push_back(std::move(bytes));
    return input;
}

// Every page's content of one PDF file, through the reader's public API.  The reader gives
// the content as its bytes with CR LF as LF: the stream's data again, but for those line
// ends.
void AddPageContents(const std::string& path, std::vector<pdf::Bytes>& streams)
{
    pdf::Pagelith reader;
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    const int pages = reader.GetInfo(path, title, subject, author, encrypted, pdfa, version);
    if (pages <= 0) {
        std::fprintf(stderr, "%s: unreadable (%s): skipped\n", path.c_str(),
                     reader.ErrDescription().c_str());
        return;
    }
    try {
        for (int page = 1; page <= pages; ++page) {
            const std::string content = reader.GetContentPage(path, page);
            if (!content.empty())
                streams.emplace_back(content.begin(), content.end());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: damaged (%s): its other pages skipped\n", path.c_str(), error.what());
    }
}

// The folder the photo-like picture is written to, written again when the script changed.
std::string PhotoFolder()
{
    const std::string script = QUORVANE_SOURCE_DIR "/scripts/image_samples.py";
    const fs::path folder = fs::temp_directory_path() / "pagelith-bench-photo";
    std::error_code error;
    const auto written = fs::last_write_time(folder / "photo.rgb", error);
    if (error || written < fs::last_write_time(script, error)) {
        const std::string command = "/usr/bin/python3 '" + script + "' photo '" + folder.string() + "'";
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "%s failed\n", command.c_str());
    }
    return folder.string();
}

std::uint32_t BigEndian32(const pdf::Bytes& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
           std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

}  // namespace

pdf::Bytes ReadFile(const std::string& path)
{
    pdf::Bytes bytes;
    if (path.ends_with(".gz")) {
        bytes = Gunzip(path);
    } else {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (bytes.empty())
        ReportMissing(path);
    return bytes;
}

Input PdfPageContents()
{
    Input input{"pdf-pages", {}};
    const fs::path root = "/usr/share/doc";
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        const std::string path = it->path().string();
        if (path.ends_with(".pdf")) {
            AddPageContents(path, input.streams);
        } else if (path.ends_with(".pdf.gz")) {
            const pdf::Bytes file = Gunzip(path);
            // One name per process: benchmarks running at once must not read each other's copy.
            const std::string plain =
                (fs::temp_directory_path() / ("pagelith-bench-" + std::to_string(getpid()) + ".pdf")).string();
            std::ofstream(plain, std::ios::binary)
                .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
            AddPageContents(plain, input.streams);
            fs::remove(plain, error);
        }
    }
    if (input.streams.empty())
        ReportMissing("page content of PDF files under " + root.string());
    return input;
}

Input FontFiles()
{
    std::vector<std::string> paths;
    std::error_code error;
    for (fs::directory_iterator it("/usr/share/fonts/truetype", error), end; !error && it != end;
         it.increment(error))
        if (it->path().filename().string().starts_with("liberation"))
            for (const fs::directory_entry& font : fs::directory_iterator(it->path(), error))
                if (font.path().extension() == ".ttf")
                    paths.push_back(font.path().string());
    std::sort(paths.begin(), paths.end());
    Input input = FromFiles("font-files", paths);
    if (input.streams.empty())
        ReportMissing("Liberation fonts under /usr/share/fonts/truetype");
    return input;
}

Input PhotoPixels()
{
    return FromFiles("photo-pixels", {PhotoFolder() + "/photo.rgb"});
}

Input PhotoPng()
{
    Input input{"photo-png", {}};
    const pdf::Bytes png = ReadFile(PhotoFolder() + "/photo.png");
    pdf::Bytes data;
    // Chunks after the 8-byte signature: length, type, data, CRC.
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t length = BigEndian32(png, at);
        if (at + 12 + length > png.size())
            break;
        if (std::equal(png.begin() + at + 4, png.begin() + at + 8, "IDAT"))
            data.insert(data.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        at += 12 + length;
    }
    if (!data.empty())
        input.streams.push_back(std::move(data));
    return input;
}

Input LicenceText()
{
    return FromFiles("licence-text", {"/usr/share/common-licenses/GPL-3"});
}

}  // namespace bench
