// The filters a stream passes through before it is written, and the dictionary entries that
// tell a reader how to undo them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "pdf/codec/filters.h"

namespace pdf {

// The kinds of stream that take their own filter setting.
enum class StreamKind : std::uint8_t { Content = 0, Image = 1, EmbeddedFile = 2 };

// Filter bits of a setting.
namespace filter {
constexpr int kRunLength = 1;
constexpr int kFlate = 2;
constexpr int kLZW = 4;
constexpr int kASCII85 = 8;
constexpr int kASCIIHex = 16;
}  // namespace filter

// A stream kind's filters: the mask (bits above) and the compression level 0 to 15.
struct FilterSetting {
    int Mask = 0;
    int Level = 0;
};

// A setting's mask is its low byte and its level bits 8 to 11; higher bits mean nothing.
FilterSetting FilterSettingFrom(int flags);

struct StreamFilterEntries {
    std::string Filter;       // the /Filter entry, empty for none
    std::string DecodeParms;  // the /DecodeParms entry, empty for none
};

// Applies the setting to `data` and gives the entries naming what the data went through.
// `callerFilter` names a filter the caller already applied ("/FlateDecode"), with its
// parameter dictionary in `callerParms`; it disables the compression filters but not the
// ASCII ones.  "none" asks for no filter at all.  LZW is never used for PDF/A.
StreamFilterEntries ApplyStreamFilters(Bytes& data, std::string_view callerFilter,
                                       std::string_view callerParms, FilterSetting setting,
                                       bool pdfa);

}  // namespace pdf
