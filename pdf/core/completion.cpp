// Completion of the document: everything kept for the end, then the page tree, catalog,
// information, cross-reference table and trailer.
#include <cstdio>

#include "pdf/core/fixed_objects.h"
#include "pdf/core/icc_profile.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

// The pattern colour spaces and the patterns of `patternRes`, or nothing without patterns.
std::string PatternEntries(const std::string& patternRes)
{
    if (patternRes.empty())
        return {};
    return "/ColorSpace << /CS-RGB [ /Pattern /DeviceRGB ] /CS-CMYK [ /Pattern /DeviceCMYK ] "
           "/CS-GRAY [ /Pattern /DeviceGray ] >> \r/Pattern <<\r" +
           patternRes + ">>\r";
}

}  // namespace

void Pagelith::EndDoc()
{
    if (mPageList.count == 0) {
        int first = 0;
        BeginPage(first);
    }
    EndOpenRecordings();
    CloseOpenPage();

    // The document-level objects kept for the end are written first; each feature that
    // keeps one adds its writer here and its reference to CatalogRefs.
    CatalogRefs refs;
    if (mNav.bookmarks.size() > 1)
        refs.outlines = WriteOutlines();
    if (!mNav.links.empty())
        refs.dests = WriteDestinations();
    WriteRefLinks();
    WriteDocumentScripts(refs);
    WriteLayers();
    WriteRadioGroups();
    refs.metadata = WriteMetadata();
    WriteSharedResources();
    WritePageObjects();
    WritePageTree();
    refs.outputIntent = WriteOutputIntent();
    const int catalog = WriteCatalog(refs);
    const int info = WriteInfo();
    const int encrypt = WriteEncryptionDict();
    WriteXrefAndTrailer(catalog, info, encrypt);
    FinishFile();
    // Written; those set from now on are for the next document.
    mGeometry.labels.clear();
    mScripts.events = {};
    mNav.bookmarks.resize(1);
}

// The XMP packet, never filtered: readers look for it as it is.
int Pagelith::WriteMetadata()
{
    const int object = BeginObj(0);
    WriteLine("<< /Type /Metadata /Subtype /XML");
    const std::string packet = BuildXmpMetadata();
    Bytes data(packet.begin(), packet.end());
    WriteStream(data, 0, "none", 0, StreamKind::Content);
    EndObj();
    return object;
}

// The entries of the resource dictionary that every page shares, without the patterns.
std::string Pagelith::ResourceEntries()
{
    std::string text;
    if (!mResources.fonts.empty())
        text += "/Font <<\r" + mResources.fonts + ">>\r";
    text += "/ProcSet [/PDF /Text";
    if (mImages.Count > 0)
        text += " /ImageB /ImageC /ImageI";
    text += "]\r";
    if (!mLayers.PropertiesRes.empty())
        text += "/Properties <<" + mLayers.PropertiesRes + ">>\r";
    if (!mResources.xObjects.empty())
        text += "/XObject <<\r" + mResources.xObjects + ">>\r";
    if (!mResources.extGStates.empty())
        text += "/ExtGState << " + mResources.extGStates + " >>\r";
    return text;
}

// Object 3 serves tiling cells, which paint with gradients only: of the patterns it holds
// the gradients.  Object 2 serves every page and template.
void Pagelith::WriteSharedResources()
{
    const std::string entries = ResourceEntries();
    BeginObj(kResourcesWithoutPatternsObject);
    WriteLine("<< " + entries + PatternEntries(mResources.shadings) + ">>");
    EndObj();

    BeginObj(kResourcesObject);
    WriteLine("<< " + entries + PatternEntries(mResources.patterns) + ">>");
    EndObj();
}

void Pagelith::WritePageObjects()
{
    for (int position = 1; position <= mPageList.count; ++position) {
        const PageRecord& page = PageAt(position);
        BeginObj(page.PageObject);
        const std::string first = IndirectRef(page.PageObject + 1) + " ";
        WriteLine("<< /Type /Page /Contents " +
                  (page.ExtraContents.empty() ? first : "[" + first + page.ExtraContents + "] "));
        const std::string annots =
            page.HasPlaceholders ? ExpandPlaceholders(page.Annots, mTemplates) : page.Annots;
        if (annots.find_first_not_of(' ') != std::string::npos)
            WriteLine("/Annots [ " + annots + " ] ");
        WriteLine(page.PageDict);
        EndObj();
    }
}

void Pagelith::WritePageTree()
{
    std::string kids;
    for (int position = 1; position <= mPageList.count; ++position) {
        const PageRecord& page = PageAt(position);
        kids += IndirectRef(page.PageObject) + " ";
    }
    BeginObj(kPageTreeObject);
    WriteLine("<<\r/Type /Pages /Count " + std::to_string(mPageList.count) + "\r/Kids [" + kids +
              "] \r>>");
    EndObj();
}

// In PDF/A mode: the output intent and the RGB profile it names.
int Pagelith::WriteOutputIntent()
{
    if (!mPdfa.on)
        return 0;
    const int intent = BeginObj(0);
    WriteLine("<<\r/Type /OutputIntent /S /GTS_PDFA1 /OutputConditionIdentifier " +
              PdfTextString("Custom") + " /Info " + PdfTextString("AdobeRGB1998") +
              " /DestOutputProfile " + IndirectRef(intent + 1) + "\r>>");
    EndObj();
    BeginObj(intent + 1);
    WriteLine("<</N 3 ");
    Bytes profile = BuildRgbDisplayProfile();
    WriteStream(profile, 0, {}, 0, StreamKind::Content);
    EndObj();
    return intent;
}

int Pagelith::WriteCatalog(const CatalogRefs& refs)
{
    const int catalog = BeginObj(0);
    WriteLine("<< /Type /Catalog\r/Pages " + IndirectRef(kPageTreeObject));
    if (refs.outputIntent != 0)
        WriteLine("/OutputIntents [" + IndirectRef(refs.outputIntent) + "]");
    if (refs.outlines != 0)
        WriteLine("/Outlines " + IndirectRef(refs.outlines));
    if (refs.dests != 0)
        WriteLine("/Dests " + IndirectRef(refs.dests));
    if (!mGeometry.labels.empty())
        WriteLine("/PageLabels << /Nums [ " + PageLabelEntries() + " ] >>");
    WriteLine("/Metadata " + IndirectRef(refs.metadata));
    WriteNamesAndActionLines(refs);
    if (HasLayers())
        WriteLine(OCPropertiesLine());
    WriteViewerOptionLines();
    WriteLine(">>");
    EndObj();
    return catalog;
}

int Pagelith::WriteInfo()
{
    const auto text = [this](const std::string& given) { return PdfDictText(InfoText(given)); };
    const int info = BeginObj(0);
    WriteLine("<<\r/Title " + text(mInfo.title) + "\r/Author " + text(mInfo.author) + "\r/Creator " +
              text(mInfo.creator) + "\r/Producer " + text(mInfo.producer) + "\r/CreationDate " +
              PdfTextString(mInfo.creationDate) + "\r/Subject " + text(mInfo.subject) + "\r/Keywords " +
              text(mInfo.keywords) + "\r>>");
    EndObj();
    return info;
}

// Under protection: the encryption dictionary, whose strings are never enciphered.
int Pagelith::WriteEncryptionDict()
{
    if (!mProtection.Encrypt)
        return 0;
    const int object = BeginObj(0);
    WriteLine(EncryptionDictionary(mProtection));
    EndObj();
    return object;
}

// Numbers allocated but never written are free entries, chained from entry 0.
void Pagelith::WriteXrefAndTrailer(int catalog, int info, int encrypt)
{
    const std::int64_t offset = mOutput.file.Position();
    mOutput.xref.resize(static_cast<std::size_t>(mOutput.objCount) + 1);
    int nextFree = 0;
    for (int number = mOutput.objCount; number >= 1; --number) {
        std::string& entry = mOutput.xref[static_cast<std::size_t>(number)];
        if (entry.empty()) {
            char text[32];
            std::snprintf(text, sizeof text, "%010d 00001 f\r", nextFree);
            entry = text;
            nextFree = number;
        }
    }
    char first[32];
    std::snprintf(first, sizeof first, "%010d 65535 f\r", nextFree);
    WriteLine("xref\n0 " + std::to_string(mOutput.objCount + 1) + "\n" + first);
    for (int number = 1; number <= mOutput.objCount; ++number)
        WriteLine(mOutput.xref[static_cast<std::size_t>(number)]);

    Bytes id(mInfo.docId.begin(), mInfo.docId.end());
    EncodeASCIIHex(id);
    const std::string hex(id.begin(), id.end());
    const std::string encryptEntry = encrypt != 0 ? " /Encrypt " + IndirectRef(encrypt) : "";
    WriteLine("trailer\n<< /Size " + std::to_string(mOutput.objCount + 1) + " /Info " + IndirectRef(info) +
              " /Root " + IndirectRef(catalog) + encryptEntry + "/ID [<" + hex + "><" + hex + ">] >>\nstartxref\n" +
              std::to_string(offset) + "\n%%EOF");
}

void Pagelith::FinishFile()
{
    if (mOutput.versionInc != 0)
        mOutput.file.WriteAt(0, "%PDF-1." + std::to_string(3 + mOutput.versionInc) + "\n");
    mOutput.fileLen = mOutput.file.Position();
    mOutput.file.Close();
}

}  // namespace pdf
