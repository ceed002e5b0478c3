// The PDF reader on any bytes: information, page sizes, content and page import end with
// values or a recorded or raised Error, never a crash, a hang or unbounded memory.
#include "pdf/pagelith.h"

#include <string>

#include "memory_file.h"

namespace {

// Pages looked at in each input; the reader's cost per page is what is being tried.
constexpr int kMaxPages = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static fuzzing::MemoryFile input("quorvane-fuzz-reader-in");
    static fuzzing::MemoryFile written("quorvane-fuzz-reader-out");
    input.Fill(data, size);
    const std::string source = input.Path();

    pdf::Pagelith reader;
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    const int pages = reader.GetInfo(source, title, subject, author, encrypted, pdfa, version);
    std::string output = written.Path();
    reader.BeginDoc(output);
    for (int page = 1; page <= pages && page <= kMaxPages; ++page) {
        try {
            float width = 0, height = 0;
            int rotation = 0;
            reader.GetInfoPage(source, page, width, height, rotation);
            reader.GetContentPage(source, page);
            int outputPage = 0;
            reader.BeginPage(outputPage);
            reader.ImportPage(source, page, 0, 0, 100, 100);
        } catch (const pdf::Error&) {
        }
    }
    try {
        reader.EndDoc();
    } catch (const pdf::Error&) {
    }
    return 0;
}
