// The records of source files, one per file read and kept until the reader is reset, and the
// one the last selection names.
#include <cmath>

#include "pdf/reader/source_reader.h"

namespace pdf {

void SourceReader::Reset()
{
    mFile.Close();
    mCount = 0;
    mIndex = 0;
    mReadDepth = 0;
    mStreamsDecoding.clear();
}

SourceDocRecord& SourceReader::Current()
{
    if (mIndex < 1 || mIndex > mCount)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    return mRecords[static_cast<std::size_t>(mIndex)];
}

// An unreadable or encrypted file keeps no record: the next file takes its place.
SourceReader::Opening SourceReader::Select(const std::string& fileName)
{
    Opening opening;
    mIndex = 0;
    for (int i = 1; i <= mCount; ++i) {
        if (mRecords[static_cast<std::size_t>(i)].fileName == fileName)
            mIndex = i;
    }
    if (mIndex != 0)
        return opening;
    ++mCount;
    if (static_cast<int>(mRecords.size()) <= mCount)
        mRecords.resize(static_cast<std::size_t>(mCount) + 1);
    mIndex = mCount;
    SourceDocRecord& record = mRecords[static_cast<std::size_t>(mIndex)];
    record = SourceDocRecord{};
    record.fileName = fileName;
    std::string reason = fileName;
    bool refused = false;
    try {
        SourceFileSession session(mFile, fileName);
        const std::string unreadable = ReadSourceFile(opening.failures);
        refused = record.encrypted || !unreadable.empty();
        if (record.encrypted)
            reason += ": the file is encrypted";
        else if (!unreadable.empty())
            reason += ": no document catalog or page tree can be read (" + unreadable + ")";
    } catch (const Error& e) {
        opening.failures.push_back(e);
        refused = true;
    } catch (const std::bad_alloc&) {
        opening.failures.emplace_back(err::kOutOfMemory, "Out of memory");
        refused = true;
    }
    if (refused) {
        --mCount;
        mIndex = 0;
        opening.refusal = reason;
    }
    return opening;
}

bool SourceReader::PageReadable(int page)
{
    if (mIndex == 0)
        return false;
    const SourceDocRecord& record = Current();
    return !record.encrypted && page >= 1 && page <= record.pageCount;
}

void SourceReader::ForgetImports()
{
    for (SourceDocRecord& record : mRecords) {
        for (SourcePageEntry& page : record.pages)
            page.object = std::abs(page.object);
    }
}

}  // namespace pdf
