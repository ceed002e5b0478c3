// The reader of existing PDF files: each file's table and its rebuild, its objects and
// object streams, its page tree and page attributes, and what the page import reads.  Each
// file is parsed once into a record, kept until the reader is reset.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "pdf/core/error.h"
#include "pdf/reader/source_records.h"
#include "pdf/reader/value.h"

namespace pdf {

// The size and turn of a source page.
struct PageGeometry {
    std::array<double, 4> box{};  // left, bottom, right, top (points)
    int rotation = 0;
};

// What a page of a source file becomes a form from: its box and turn, its resources, its
// content and the objects its resources need that were not copied before.
struct PageFormSource {
    PageGeometry geometry;
    Value resources;          // a dictionary
    bool hasStream = false;
    Bytes data;               // one stream as stored, or several decoded and joined
    Value filter;             // of one stream kept as stored; null when none
    Value decodeParms;
    std::vector<std::pair<int, SourceObject>> copies;
    bool breaksPdfa = false;  // not all the page draws is known to be allowed in PDF/A
};

class SourceReader {
public:
    // What reading a file for the first time met: each step's failure in order, and, when
    // the file is refused (no record kept), why.
    struct Opening {
        std::vector<Error> failures;
        std::string refusal;
    };

    // Gives up every record and closes the file.
    void Reset();
    // No page is a form any more: the document they were made for is done.
    void ForgetImports();
    // Selects the file's record, reading the file on its first use; none is selected after a
    // refusal.
    Opening Select(const std::string& fileName);
    void Deselect() { mIndex = 0; }
    bool Selected() const { return mIndex != 0; }
    // The selected record's place among the records, from 1.
    int Index() const { return mIndex; }
    // The selected record; subscript error when none is.
    SourceDocRecord& Current();
    // The page exists in the selected, unencrypted file.
    bool PageReadable(int page);

    PageGeometry ReadPageGeometry(const std::string& fileName, int page);
    // The page's content streams decoded and joined.
    Bytes ReadPageContent(const std::string& fileName, int page);
    // Everything is read before the page import writes anything: an import that starts again on a
    // rebuilt table has written nothing, and one whose values cannot be read writes nothing.
    // The objects `copied` tells were copied before are not read again.
    using CopiedTest = std::function<bool(int source)>;
    PageFormSource ReadPageForm(const std::string& fileName, int page, const CopiedTest& copied);

private:
    struct XrefSection;
    std::string ReadSourceFile(std::vector<Error>& failures);
    // The header's place, which the file's offsets count from, and its version.
    void ReadHeader();
    // The offset the file's last "startxref" names.
    std::int64_t StartXref();
    // Runs one step of reading a file, its failure recorded and the next step going on.
    using ReadStep = std::function<void(const std::function<void()>&)>;
    std::string ReadDocument(int root, int info, std::string& failure, const ReadStep& step);
    bool ClaimsPdfA(const Value& catalog);
    LayerView DefaultLayerView(const Value& catalog);
    XrefEntry SourceEntry(int number);
    void ReadXref(std::int64_t offset, int& root, int& info);
    std::vector<std::int64_t> ReadXrefSection(std::int64_t offset, int& root, int& info,
                                              std::vector<XrefSection>& sections);
    std::vector<std::int64_t> ReadXrefStream(std::int64_t offset, int& root, int& info,
                                             std::vector<XrefSection>& sections);
    void ReadTrailerKeys(const Value& trailer, int& root, int& info, int& size,
                         std::vector<std::int64_t>& older);
    // The trailer dictionary after the "trailer" keyword at the offset, read no further than
    // `limit` bytes (trailer.cpp).
    Value ReadTrailer(std::int64_t offset, std::int64_t limit);
    // The catalog and information a trailer or cross-reference stream names, where no newer
    // one named them, and whether it makes the file encrypted.
    void TakeTrailerNames(const Value& trailer, int& root, int& info);
    std::int64_t TrailerNumber(const Value& value);
    // Replaces the table by a scan of the file's objects (xref_rebuild.cpp); root and info
    // still 0 are taken from the newest trailer found.
    void RebuildXref(int& root, int& info);
    int CatalogInObjectStreams();
    // The work, run again on a rebuilt table when it finds an offset of the table wrong.
    void WithSoundTable(const std::function<void()>& work);
    // The one loader of objects: each parsed once, and kept while the cache has room; a
    // stream's data is read from the same parse only when ReadData asks for it.  What it
    // gives stands until the next read.
    const SourceObject& ReadObject(int number);
    // The object that begins at the offset, whatever its number (a cross-reference stream).
    SourceObject ReadObjectAt(std::int64_t offset);
    // False when no "N G obj" of that number (any, for 0) begins at the offset.
    bool ReadObjectFromFile(std::int64_t start, int number, SourceObject& object);
    // The stream's data as stored and its filters, direct; nothing for an object with no stream.
    void ReadData(SourceObject& object);
    const ObjectStreamCache& ReadFromObjectStream(int stream);
    // Lists the pages with the attributes each inherits from the nodes above it.
    void WalkPageTree(int root);
    // The kids the node's /Kids names; an error for a /Kids that names anything else.
    std::vector<int> KidsOf(int number, const Value& node);
    // The page's object, a dictionary; an error for a page whose object is lost or is none.
    Value PageObject(const SourcePageEntry& entry);
    // The one resolution of references of the current file, and the value made direct.
    Value Resolved(const Value& value);
    Value DirectValue(const Value& value);
    // The value the object of the number names, resolved; null for an object there is none of.
    Value ObjectValue(int number);
    // The value of the key in the holder object's dictionary; null when there is no holder.
    Value HeldEntry(int holder, std::string_view key);
    // The page's MediaBox and its turn.
    std::array<double, 4> PageBox(const SourcePageEntry& entry);
    int PageTurn(const SourcePageEntry& entry);
    // The references of a value that lists objects (/Contents, /Kids).
    std::vector<int> ReferenceList(const Value& value);
    // The stream of the number with its data; an error for an object that holds none.
    SourceObject ReadStream(int number);
    // The streams decoded through their filters, in order.
    Bytes JoinedContent(const std::vector<int>& refs);
    std::optional<Bytes> PdfaContent(const PageFormSource& form, const std::vector<int>& refs);
    std::optional<Bytes> PdfaStreamData(int number);
    std::vector<std::pair<int, SourceObject>> ReadObjectTree(const Value& value, const CopiedTest& copied);

    // Records 1..count (index 0 stays empty), the record of the last selection, and the one
    // file handle they are read through.
    std::vector<SourceDocRecord> mRecords;
    int mCount = 0;
    int mIndex = 0;
    SourceFile mFile;
    // Object reads nested inside one another (a /Length that is a reference, an object
    // stream's own objects): bounded, so no file can make the reader recurse without end.
    int mReadDepth = 0;
    std::set<int> mStreamsDecoding;
    // The last object read that the cache had no room for.
    SourceObject mUncached;
};

}  // namespace pdf
