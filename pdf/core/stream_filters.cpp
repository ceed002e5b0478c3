#include "pdf/core/stream_filters.h"

namespace pdf {

FilterSetting FilterSettingFrom(int flags)
{
    return {flags & 255, (flags & 3840) / 256};
}

StreamFilterEntries ApplyStreamFilters(Bytes& data, std::string_view callerFilter,
                                       std::string_view callerParms, FilterSetting setting,
                                       bool pdfa)
{
    StreamFilterEntries entries;
    if (callerFilter == "none")
        return entries;

    // Each filter goes in front of the names, so they stand in the order of decoding.
    std::string names(callerFilter);
    if (callerFilter.empty()) {
        if (setting.Mask & filter::kRunLength) {
            EncodeRunLength(data);
            names.insert(0, "/RunLengthDecode ");
        }
        if (setting.Mask & filter::kFlate) {
            EncodeFlate(data, setting.Level);
            names.insert(0, "/FlateDecode ");
        }
        if ((setting.Mask & filter::kLZW) && !pdfa) {
            EncodeLZW(data, setting.Level);
            names.insert(0, "/LZWDecode ");
        }
    }
    int asciiFilters = 0;
    if (setting.Mask & filter::kASCII85) {
        EncodeASCII85(data);
        names.insert(0, "/ASCII85Decode ");
        ++asciiFilters;
    }
    if (setting.Mask & filter::kASCIIHex) {
        EncodeASCIIHex(data);
        names.insert(0, "/ASCIIHexDecode ");
        ++asciiFilters;
    }

    if (names.empty())
        return entries;
    const bool array = names.find(' ') != std::string::npos;
    entries.Filter = "/Filter " + (array ? "[" + names + "]" : names);

    // Filters in an array take their parameters in an array too, one entry each: readers
    // take no dictionary for an array of filters.
    if (!callerFilter.empty() && !callerParms.empty()) {
        if (!array) {
            entries.DecodeParms = "/DecodeParms " + std::string(callerParms);
        } else {
            std::string aligned = "[";
            for (int i = 0; i < asciiFilters; ++i)
                aligned += "null ";
            entries.DecodeParms = "/DecodeParms " + aligned + std::string(callerParms) + "]";
        }
    }
    return entries;
}

}  // namespace pdf
