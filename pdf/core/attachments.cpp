// Files embedded in the document: at document level (AddAttach) and behind attachment
// annotations.
#include <algorithm>
#include <utility>
#include <vector>

#include "pdf/core/input_file.h"
#include "pdf/core/list_growth.h"
#include "pdf/core/text_string.h"
#include "pdf/pagelith.h"

namespace pdf {

// The embedded-file stream under the number its /Filespec dictionary already names.  An
// empty file is an empty stream.
void Pagelith::WriteEmbeddedFile(int object, Bytes& data)
{
    mPdfa.broken = true;
    BeginObj(object);
    WriteLine("<< /Type /EmbeddedFile ");
    WriteStream(data, 0, {}, 0, StreamKind::EmbeddedFile);
    EndObj();
}

// The file is read before anything is written, so a file that cannot be read leaves no
// dictionary behind that names a missing stream.
bool Pagelith::AddAttach(const std::string& path, const std::string& name,
                         const std::string& description)
{
    if (mPdfa.on)
        return false;
    if (!IsReadableFile(path)) {
        RaiseError(Error(err::kFileNotFound, "File not found"), "AddAttach", path);
        return false;
    }
    try {
        Bytes data = ReadWholeFile(path);
        const std::string shown = name.empty() ? BareFileName(path) : name;
        const int fileSpec = BeginObj(0);
        std::string dict = "<< /Type /Filespec /F " + PdfDictText(shown) + " /EF <</F " +
                           std::to_string(fileSpec + 1) + " 0 R>>";
        if (!description.empty())
            dict += "\r/Desc " + PdfDictText(description);
        WriteLine(dict + ">>");
        EndObj();
        WriteEmbeddedFile(fileSpec + 1, data);
        // A name attached again shows the later file: the name tree holds each name once.
        const auto [earlier, added] =
            mAttached.keys.try_emplace(EncodeTextString(shown), mAttached.files.size());
        if (!added) {
            mAttached.files[earlier->second].FileSpec = fileSpec;
        } else {
            ReserveFor(mAttached.files, static_cast<int>(mAttached.files.size()) + 1, mOutput.memoryUsage);
            mAttached.files.push_back({shown, fileSpec});
        }
        RequireVersion(1);
        return true;
    } catch (const Error& error) {
        RaiseError(error, "AddAttach", path);
        return false;
    }
}

// The entries of the /EmbeddedFiles name tree, formatted as strings of the object being
// written (the catalog), in the order of their keys' bytes as a name tree wants them.
std::string Pagelith::AttachmentNameEntries() const
{
    std::vector<std::pair<std::string, int>> keys;
    for (const AttachmentRecord& attachment : mAttached.files)
        keys.emplace_back(EncodeTextString(attachment.Name), attachment.FileSpec);
    std::sort(keys.begin(), keys.end());
    std::string entries;
    for (const auto& [key, fileSpec] : keys)
        entries += PdfTextString(key) + " " + std::to_string(fileSpec) + " 0 R ";
    return entries;
}

}  // namespace pdf
