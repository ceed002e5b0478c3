// What the reader keeps of each source PDF file: its objects' places, its pages and its
// information, parsed once per file and object.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <string>
#include <vector>

#include "pdf/codec/filters.h"
#include "pdf/reader/source_file.h"
#include "pdf/reader/value.h"

namespace pdf {

// The texts of the objects a reader keeps of one source file, and of its decoded object
// streams, each all together.
constexpr std::size_t kMaxCachedObjectBytes = 64u << 20;
constexpr std::size_t kMaxObjectStreamBytes = 256u << 20;

// What each object read or found costs an operation besides its bytes, counted in its
// budget: a file of millions of tiny objects ends the operation with an error.
constexpr std::int64_t kObjectReadOverhead = 256;

// Where one object of a source file lies.
struct XrefEntry {
    // kLost: listed in use by the file's table, and not found when the table was rebuilt.
    // kNull: listed in use at offset 0, which holds no object: the object is null, and
    // an older section's entry for it counts for nothing.
    enum Kind { kAbsent = 0, kInFile = 1, kInStream = 2, kLost = 3, kNull = 4 };
    int kind = kAbsent;
    int stream = 0;         // kInStream: the object stream's number
    int index = 0;          // kInStream: the object's place in that stream, from 0
    std::int64_t offset = 0;  // kInFile: byte offset of the object
};

// A decoded object stream: its text from the byte just before /First, and where each of
// its objects begins (offsets relative to /First, one more holding the text's length).
struct ObjectStreamCache {
    std::vector<int> numbers;
    std::vector<std::int64_t> offsets;
    std::string text;
    // Each object's number and place, by number: where a table names the wrong place, the
    // object is found without a walk through the whole header.
    std::vector<std::pair<int, int>> places;
};

// PDF's own limit on object numbers: no table row or object header names a larger one.
constexpr int kMaxObjectNumber = 8388607;

// What each cross-reference entry a section lists costs the operation that reads it, besides
// the bytes that hold it: a section cannot list more entries than its file's budget pays for.
constexpr std::int64_t kXrefEntryCost = 32;

// Thrown where an offset of a source file's table proves wrong: the reader operation unwinds,
// the table is rebuilt once for the file and the operation starts again on it.  No Error, so
// that nothing on the way out takes it for a failure of its own.
struct TableProvedWrong {};

// One object read from a source file: its value parsed once and, of a stream, where its data
// begins, which is read from there only when asked for.
struct SourceObject {
    // The bytes between the "obj" line and "stream" or "endobj", charged on each read.
    std::size_t textBytes = 0;
    Value value;         // parsed from them once; a stream's dictionary
    bool sound = true;   // the value is sound syntax
    std::string type;    // the /Type name without its slash
    bool hasStream = false;
    std::int64_t dataAt = 0;  // the file offset of the stream's first byte
    // Once read: the stream bytes as stored in the file, and the /Filter and /DecodeParms
    // values, direct (null when absent).
    Bytes data;
    Value filter;
    Value decodeParms;
};

struct SourcePageEntry {
    int object = 0;  // the page object's number; negative once the page became a form
    // The nearest objects, the page or a node above it, that hold its /MediaBox, /Rotate
    // and /Resources (0 when none has them), found by the one walk of the page tree.
    int mediaBoxHolder = 0;
    int rotateHolder = 0;
    int resourcesHolder = 0;
    float width = 0;   // points, from the MediaBox, filled by the import
    float height = 0;
    int rotation = 0;
};

// The default view of a file's layers (optional-content groups): every group shown but those
// its /OFF lists or, under /BaseState /OFF, every group hidden but those its /ON lists.
struct LayerView {
    bool baseOff = false;
    std::set<int> exceptions;  // the groups /OFF lists, or under /BaseState /OFF those /ON lists
    bool Hides(int group) const { return baseOff != (exceptions.count(group) != 0); }
};

struct SourceDocRecord {
    int majorVersion = 1;  // of the header's "M.m"
    int minorVersion = 0;
    std::string fileName;  // exactly as given: the cache key
    int pageCount = 0;
    std::vector<SourcePageEntry> pages;  // page n at index n; index 0 unused
    // Entries by object number; numbers from xrefSize on lie beyond the list.
    std::unordered_map<int, XrefEntry> xref;
    int xrefSize = 1;
    // The size of the file's own table; 0 when it had none that could be read.
    int tableSize = 0;
    // Bytes before the header: offsets written in the file count from the header.
    std::int64_t headerOffset = 0;
    // The sections are all read; the table was rebuilt from a scan of the file.
    bool xrefComplete = false;
    bool xrefRebuilt = false;
    std::map<int, ObjectStreamCache> objectStreams;
    std::size_t objectStreamBytes = 0;  // of their texts, all together
    // Objects read, each parsed once while their texts take at most kMaxCachedObjectBytes
    // (many numbers may name one large object); a stream's data is not kept.
    std::unordered_map<int, SourceObject> objects;
    std::size_t cachedObjectBytes = 0;
    // Information strings as their bytes stand in the file.
    std::string title;
    std::string author;
    std::string creator;
    std::string producer;
    std::string subject;
    bool encrypted = false;
    bool pdfa = false;
    LayerView layers;
};

}  // namespace pdf
