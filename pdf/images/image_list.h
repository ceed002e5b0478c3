// The document's raster images: one record per loaded image, numbered from 1 in loading
// order, and what a loader hands over to be written as an image object.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "pdf/codec/filters.h"

namespace pdf {

// Row order of the pixel data a loader wrote, which the placement must know.
namespace image_kind {
constexpr int kTopRowFirst = 0;     // JPEG, PNG
constexpr int kTga = 1;
constexpr int kPixelRows = 2;       // AddImagePattern: rows top first
constexpr int kGif = 3;
constexpr int kBmp = 4;
// What WriteImageObject is told of PNG data: with and without a palette.
constexpr int kPngPalette = 5;
constexpr int kPng = 6;
}  // namespace image_kind

struct ImageRecord {
    std::string Name;  // the file or caller's name as given: the lookup key with Frame
    int Width = 0;     // pixels; 0 while nothing was loaded
    int Height = 0;
    int Frame = 1;     // the GIF frame; 1 for the other formats
    int Kind = 0;      // image_kind of the written rows
};

struct ImageList {
    std::vector<ImageRecord> Images;  // entry n at index n - 1
    int Count = 0;
    // Of each name and frame (ImageKey), the first entry's number.
    std::unordered_map<std::string, int> Numbers;
};

inline std::string ImageKey(const std::string& name, int frame)
{
    return std::to_string(frame) + "|" + name;
}

// A colour made transparent: red, green, blue.
using ColourKey = std::optional<std::array<std::uint8_t, 3>>;

// An image ready to be written: the arguments of WriteImageObject.
struct PreparedImage {
    int Kind = 0;
    Bytes Data;
    Bytes Palette;  // red, green, blue per entry
    int Width = 0;
    int Height = 0;
    int Bits = 8;
    std::string ColorSpace;
    std::string Filter;  // what the data already went through, or empty
    std::string Mask;    // the content of a colour-key /Mask array, or empty
    std::string Decode;  // the content of a /Decode array, or empty
    std::string DecodeParms;  // the filter's parameters dictionary, or empty
};

}  // namespace pdf
