// Any text through the rich-text layout, with tags defined and flowing from box to box:
// drawing ends with text drawn and a rest, or an Error, never a crash, a hang or unbounded
// memory.
#include "pdf/pagelith.h"

#include <string>

#include "memory_file.h"

namespace {

// Boxes a text may flow through; a rest that fits nowhere comes back whole every time.
constexpr int kMaxBoxes = 6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int align = data[0];
    const int options = data[1] & 7;
    std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

    pdf::Pagelith writer;
    static fuzzing::MemoryFile written("quorvane-fuzz-rich-out");
    std::string output = written.Path();
    writer.BeginDoc(output);
    int page = 0;
    writer.BeginPage(page);
    writer.SetFont("Arial", 10, 0, 0);
    writer.SetTextTag("b", "", 0, 1, 0, "", "");
    writer.SetTextTag("big", "Times", 18, -1, 0, "Red", "Yellow");
    writer.SetTextTag("i", "Courier", 0, 2, 0, "", "%20");
    writer.SetBoxStyle(1.5f, 8, 2, 2, 2, 2, 15, 1);
    try {
        for (int box = 0; box < kMaxBoxes && !text.empty(); ++box)
            text = writer.DrawTextRich(10, 10 + 60 * box, 120 - 15 * box, 50 - 8 * box, text,
                                       align, options);
    } catch (const pdf::Error&) {
        // A character the font's code page lacks is refused, as everywhere in text.
    }
    writer.EndDoc();
    return 0;
}
