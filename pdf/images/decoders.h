// The image formats: each turns a file's bytes into an image ready to be written.  A file
// that is damaged, or of a variant we do not read, raises Error with the reason.
#pragma once

#include "pdf/images/image_list.h"

namespace pdf {

// Windows bitmaps: 1, 4 and 8 bits per pixel as indexed images (RLE8 and RLE4 included),
// 16, 24 and 32 bits as RGB; rows bottom first.  `key` becomes a colour-key mask.
PreparedImage DecodeBmp(const Bytes& data, const ColourKey& key);

// One frame of a GIF (counted from 1) on a canvas of the logical screen, bottom row first;
// the colour index its graphic control extension declares transparent is masked.
PreparedImage DecodeGif(const Bytes& data, int frame);

// A JPEG file, embedded from its start of image once it shows a picture that readers decode
// whole: a baseline, extended or progressive Huffman-coded frame of 8 bits per sample,
// sampling factors 1 to 4 and sides up to 65500 pixels that its data can describe, a first
// scan whose components and tables are those of the frame and the data, and scans whose
// coded data cover the frame and are followed by a marker, with nothing between segments
// but the markers readers know.  An Adobe segment tells that its CMYK data are stored
// inverted; components named R, G and B with neither JFIF nor Adobe segment are RGB.
PreparedImage DecodeJpeg(const Bytes& data);

// A non-interlaced PNG of up to 8 bits per sample, grey, RGB or paletted: its compressed
// data are embedded as they are, once the CRCs of the chunks read and the data's own
// checksum hold and the data decode to exactly the rows of its header.
PreparedImage DecodePng(const Bytes& data);

// A true-colour TGA of 24 or 32 bits, plain or run-length encoded, as RGB rows bottom
// first; fully transparent pixels give the colour-key mask.
PreparedImage DecodeTga(const Bytes& data);

}  // namespace pdf
