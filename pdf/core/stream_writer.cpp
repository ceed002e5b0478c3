// Streams: the compression setting of each kind, and the writing of a stream's data.
#include <array>

#include "pdf/codec/filters.h"
#include "pdf/core/text_string.h"
#include "pdf/pagelith.h"

namespace pdf {

// A level the chosen encoder has no table for is refused here, with the settings kept,
// rather than when a page is written and its document can no longer be finished.
void Pagelith::SetCompression(int content, int images, int files)
{
    const std::array<FilterSetting, 3> settings = {
        FilterSettingFrom(content), FilterSettingFrom(images), FilterSettingFrom(files)};
    for (const FilterSetting& setting : settings) {
        if (((setting.Mask & filter::kFlate) && setting.Level > kMaxFlateLevel) ||
            ((setting.Mask & filter::kLZW) && setting.Level > kMaxLZWLevel))
            throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
    }
    mOutput.compFilter = settings;
}

// The caller has begun the object and written "<<" and its own entries; this writes the
// filter and length entries, closes the dictionary and writes the data.  `data` holds the
// bytes as written afterwards.
void Pagelith::WriteStream(Bytes& data, int objectNumber, std::string_view filter,
                           int length1, StreamKind kind, std::string_view decodeParms)
{
    const FilterSetting setting = kind == StreamKind::Image          ? mOutput.compFilter[1]
                                  : kind == StreamKind::EmbeddedFile ? mOutput.compFilter[2]
                                                                     : mOutput.compFilter[0];
    const StreamFilterEntries entries =
        ApplyStreamFilters(data, filter, decodeParms, setting, mPdfa.on);
    if (entries.Filter.find("/LZWDecode") != std::string::npos)
        mPdfa.broken = true;
    if (mProtection.Encrypt)
        mProtection.Cipher.Crypt(ObjectKey(objectNumber), data.data(), data.size());
    if (!entries.Filter.empty())
        WriteLine(entries.Filter);
    if (!entries.DecodeParms.empty())
        WriteLine(entries.DecodeParms);
    if (length1 > 0)
        WriteLine("/Length1 " + std::to_string(length1));
    WriteLine("/Length " + std::to_string(data.size()) + " >>\rstream");
    mOutput.file.Write(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    mOutput.file.Write("\n");
    WriteLine("endstream");
}

// Scripts are the only streams of text, written as a PDF text so that readers decode their
// characters.
int Pagelith::WriteStreamObject(std::string_view text)
{
    mPdfa.broken = true;
    const int number = BeginObj(0);
    WriteLine("<<");
    const std::string encoded = EncodeTextString(text);
    Bytes data(encoded.begin(), encoded.end());
    WriteStream(data, 0, {}, 0, StreamKind::Content);
    EndObj();
    return number;
}

}  // namespace pdf
