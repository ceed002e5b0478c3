// Real inputs for the codec benchmarks, gathered from files of the machine.  A file that is
// missing is reported on stderr and left out: the benchmark goes on with what it found.
#pragma once

#include <string>
#include <vector>

#include "pdf/codec/filters.h"

namespace bench {

// One kind of input: one or many streams, each compressed on its own as a PDF stream is.
// No streams when none of its files could be read.
struct Input {
    std::string name;
    std::vector<pdf::Bytes> streams;

    std::size_t TotalSize() const;
};

// The file's bytes; empty (and reported) when it cannot be read.  Reads .gz files through
// gunzip.
pdf::Bytes ReadFile(const std::string& path);

// The page content of the PDF files under /usr/share/doc (compressed ones too), decoded by
// our reader, one stream a page.
Input PdfPageContents();

// The Liberation TrueType fonts, one stream a file.
Input FontFiles();

// The pixels of a large photo-like picture written by scripts/image_samples.py, three
// bytes a pixel, row after row: what an image stream holds.
Input PhotoPixels();

// The same picture's image data as its PNG file holds it (the IDAT chunks joined): one zlib
// stream of rows filtered for compression, as a PNG writer makes it.
Input PhotoPng();

// A licence text of the system: plain English prose.
Input LicenceText();

}  // namespace bench
