// Source files as a client sees them: information, page sizes and page content, read by the
// reader once per file into a record the page import shares.
#include <cmath>
#include <sys/stat.h>

#include "pdf/core/text_string.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

int Pagelith::GetInfo(std::string fileName, std::string& title, std::string& subject,
                      std::string& author, int& encrypted, int& pdfa, int& version)
{
    if (!SelectSource(fileName))
        return 0;
    const SourceDocRecord& record = mReader.Current();
    title = DecodeTextString(record.title);
    subject = DecodeTextString(record.subject);
    author = DecodeTextString(record.author);
    encrypted = record.encrypted ? -1 : 0;
    pdfa = record.pdfa ? -1 : 0;
    version = record.majorVersion == 1 ? record.minorVersion : record.majorVersion * 10 + record.minorVersion;
    return record.pageCount;
}

// GetInfo's work but for what it writes: every operation on a source file begins with it.
bool Pagelith::SelectSource(const std::string& fileName)
{
    struct stat status{};
    if (::stat(fileName.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        mReader.Deselect();
        RaiseError(Error(err::kFileNotFound, "File not found"), "GetInfo", fileName);
        return false;
    }
    const SourceReader::Opening opening = mReader.Select(fileName);
    for (const Error& failure : opening.failures)
        RaiseError(failure, "GetInfo", fileName);
    if (!mReader.Selected())
        RaiseError(Error(err::kInvalidFileFormat, "Invalid file format"), "GetInfo", opening.refusal);
    return mReader.Selected();
}

bool Pagelith::SourcePageReadable(const std::string& fileName, int page)
{
    return SelectSource(fileName) && mReader.PageReadable(page);
}

bool Pagelith::GetInfoPage(std::string fileName, int page, float& width, float& height, int& rotation)
{
    return WithMemoryErrors([&] {
        if (!SourcePageReadable(fileName, page))
            return false;
        const PageGeometry geometry = mReader.ReadPageGeometry(fileName, page);
        width = std::floor(static_cast<float>(geometry.box[2] - geometry.box[0]) * 10 / mGeometry.scale) / 10;
        height = std::floor(static_cast<float>(geometry.box[3] - geometry.box[1]) * 10 / mGeometry.scale) / 10;
        rotation = geometry.rotation;
        return true;
    });
}

std::string Pagelith::GetContentPage(std::string fileName, int page)
{
    return WithMemoryErrors([&] {
        if (!SourcePageReadable(fileName, page))
            return std::string();
        const Bytes joined = mReader.ReadPageContent(fileName, page);
        return ReplaceText(std::string(joined.begin(), joined.end()), "\r\n", "\n");
    });
}

}  // namespace pdf
