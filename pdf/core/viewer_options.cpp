// Document options that become catalog entries and metadata: PDF/A mode, viewer options,
// page view, page labels and the XMP packet.
#include <algorithm>
#include <array>
#include <vector>

#include "pdf/core/text_string.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

// Page-mode bits that need optional content or attachments, which PDF/A forbids, and two
// bits that mean nothing.
constexpr int kPdfaClearedPrefs = 8 | 16 | 1024 | 2048;

constexpr std::array<const char*, 6> kLabelStyles{{"", " /S /D", " /S /R", " /S /r", " /S /A", " /S /a"}};

// The length in bytes of the character at `at` when XML forbids it, 0 otherwise: the C0
// controls other than tab, line feed and carriage return, and U+FFFE and U+FFFF.
std::size_t ForbiddenXmlCharacter(std::string_view utf8, std::size_t at)
{
    const char c = utf8[at];
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
        return 1;
    const std::string_view rest = utf8.substr(at);
    return rest.starts_with("\xEF\xBF\xBE") || rest.starts_with("\xEF\xBF\xBF") ? 3 : 0;
}

// The text as valid UTF-8 of characters XML allows: each one it forbids becomes a blank
// rather than nothing, so that the words it parted stay apart.
std::string XmlAllowedText(const std::string& text)
{
    const std::string valid = ValidUtf8(text);
    std::string out;
    out.reserve(valid.size());
    for (std::size_t i = 0; i < valid.size(); ++i) {
        if (const std::size_t forbidden = ForbiddenXmlCharacter(valid, i)) {
            out += ' ';
            i += forbidden - 1;
            continue;
        }
        out += valid[i];
    }
    return out;
}

// The text as XML character data.
std::string XmlEscape(const std::string& text)
{
    const std::string allowed = XmlAllowedText(text);
    std::string out;
    out.reserve(allowed.size());
    for (const char c : allowed) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        // XML readers take a carriage return written as it is for a line feed.
        case '\r': out += "&#13;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

void Pagelith::SetPDFa(bool on)
{
    mPdfa.on = on;
    if (on)
        RequireVersion(1);
}

void Pagelith::SetViewerPreferences(int value)
{
    mGeometry.viewerPrefs = mPdfa.on ? value & ~kPdfaClearedPrefs : value;
}

void Pagelith::SetPageView(int code)
{
    if (mContent.pageOpen)
        mGeometry.view = code;
    else
        mGeometry.defaultView = code;
}

void Pagelith::SetLabel(int style, const std::string& prefix, int start)
{
    if (style < 1 || style > 5)
        return;
    // Between documents a label is for the next document's first page on.
    const int pageIndex = !mOutput.file.IsOpen() ? 0 : mContent.pageOpen ? mPageList.current - 1 : mPageList.current;
    mGeometry.labels.push_back({pageIndex, style, prefix, start});
}

// The /Nums entries, in ascending page order as a number tree must be: a range set again
// for the same page replaces the earlier one.
std::string Pagelith::PageLabelEntries() const
{
    std::vector<PageLabel> labels = mGeometry.labels;
    std::stable_sort(labels.begin(), labels.end(), [](const PageLabel& a, const PageLabel& b) {
        return a.PageIndex < b.PageIndex;
    });
    std::string text;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const PageLabel& label = labels[i];
        if (i + 1 < labels.size() && labels[i + 1].PageIndex == label.PageIndex)
            continue;
        text += std::to_string(label.PageIndex) + " << " +
                kLabelStyles[static_cast<std::size_t>(label.Style)];
        if (!label.Prefix.empty())
            text += " /P " + PdfDictText(label.Prefix);
        if (label.Start != -1)
            text += " /St " + std::to_string(label.Start);
        text += " >> ";
    }
    return text;
}

// The page layout, page mode and viewer preference lines of the catalog.
void Pagelith::WriteViewerOptionLines()
{
    switch (mGeometry.viewerPrefs & ~8191) {
    case 16384: WriteLine("/PageLayout /OneColumn"); break;
    case -32768: WriteLine("/PageLayout /TwoColumnLeft"); break;
    case 65536: WriteLine("/PageLayout /TwoColumnRight"); break;
    default: break;
    }

    switch (mGeometry.viewerPrefs & 31) {
    case 1: WriteLine("/PageMode /FullScreen"); break;
    case 2:
        if (mNav.bookmarks.size() > 1)
            WriteLine("/PageMode /UseOutlines");
        break;
    case 4: WriteLine("/PageMode /UseThumbs"); break;
    case 8:
        if (HasLayers()) {
            WriteLine("/PageMode /UseOC");
            RequireVersion(2);
        }
        break;
    case 16:
        WriteLine("/PageMode /UseAttachments");
        RequireVersion(3);
        break;
    default: break;
    }

    std::string prefs;
    if (mGeometry.viewerPrefs & 32)
        prefs += "/HideMenubar true ";
    if (mGeometry.viewerPrefs & 64)
        prefs += "/HideToolbar true ";
    if (mGeometry.viewerPrefs & 128)
        prefs += "/HideWindowUI true ";
    if (mGeometry.viewerPrefs & 256) {
        prefs += "/DisplayDocTitle true ";
        RequireVersion(1);
    }
    if (mGeometry.viewerPrefs & 512)
        prefs += "/CenterWindow true ";
    if (mGeometry.viewerPrefs & 4096)
        prefs += "/FitWindow true ";
    WriteLine("/ViewerPreferences << " + prefs + " >>");
}

// Whether the document keeps to PDF/A-1b: the mode is on, every font is embedded, and it
// holds no protection, layer, transparency, form field or anything else the mode forbids.
bool Pagelith::MeetsPdfa() const
{
    const auto anyBelow100 = [](const std::array<bool, 101>& used) {
        return std::find(used.begin(), used.end() - 1, true) != used.end() - 1;
    };
    const bool transparent = anyBelow100(mGs.alpha) || anyBelow100(mGs.alphaFill) ||
                             anyBelow100(mGs.alphaLine) ||
                             std::find(mGs.blend.begin() + 1, mGs.blend.end(), true) != mGs.blend.end();
    const bool fontsEmbedded = std::all_of(mFont.records.begin(), mFont.records.end(),
                                           [](const FontRecord& font) { return font.Embedded; });
    return mPdfa.on && !mPdfa.broken && fontsEmbedded && !transparent && !mProtection.Encrypt &&
           mLayers.Layers.empty() && mForm.Refs.empty();
}

// A document that claims PDF/A conformance must say the same in the information dictionary
// and the XMP packet: a document text then loses there too the characters the packet cannot
// hold.  Any other document keeps its texts as given.
std::string Pagelith::InfoText(const std::string& text) const
{
    return MeetsPdfa() ? XmlAllowedText(text) : text;
}

// The XMP packet, in UTF-8, lines joined by carriage returns.
std::string Pagelith::BuildXmpMetadata() const
{
    // "D:YYYYMMDDHHmmSS+hh'mm'" as YYYY-MM-DDTHH:mm:SS+hh:mm.
    const std::string& d = mInfo.creationDate;
    const std::string date = d.substr(2, 4) + "-" + d.substr(6, 2) + "-" + d.substr(8, 2) + "T" +
                             d.substr(10, 2) + ":" + d.substr(12, 2) + ":" + d.substr(14, 2) +
                             d.substr(16, 3) + ":" + d.substr(20, 2);
    const std::string rdf = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
    const std::string ix = "http://ns.adobe.com/iX/1.0/";
    const std::string dc = "http://purl.org/dc/elements/1.1/";
    const std::string pdfNs = "http://ns.adobe.com/pdf/1.3/";
    const std::string xap = "http://ns.adobe.com/xap/1.0/";
    const std::string pdfaid = "http://www.aiim.org/pdfa/ns/id/";

    std::string x = "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\r";
    x += "<rdf:RDF xmlns:rdf='" + rdf + "' xmlns:iX='" + ix + "'>\r";
    x += "  <rdf:Description about='' xmlns='" + dc + "' xmlns:dc='" + dc + "'>\r";
    x += "     <dc:title><rdf:Alt><rdf:li xml:lang='x-default'>" + XmlEscape(mInfo.title) +
         "</rdf:li></rdf:Alt></dc:title>\r";
    x += "     <dc:description><rdf:Alt><rdf:li xml:lang='x-default'>" + XmlEscape(mInfo.subject) +
         "</rdf:li></rdf:Alt></dc:description>\r";
    x += "     <dc:creator><rdf:Seq><rdf:li>" + XmlEscape(mInfo.author) +
         "</rdf:li></rdf:Seq></dc:creator>\r";
    x += "  </rdf:Description>\r";
    x += "  <rdf:Description about='' xmlns='" + pdfNs + "' xmlns:pdf='" + pdfNs + "'>\r";
    x += "     <pdf:Producer>" + XmlEscape(mInfo.producer) + "</pdf:Producer>\r";
    x += "     <pdf:Keywords>" + XmlEscape(mInfo.keywords) + "</pdf:Keywords>\r";
    x += "  </rdf:Description>\r";
    x += "  <rdf:Description about='' xmlns='" + xap + "' xmlns:xap='" + xap + "'>\r";
    x += "    <xap:MetadataDate>" + date + "</xap:MetadataDate>\r";
    x += "    <xap:CreateDate>" + date + "</xap:CreateDate>\r";
    x += "    <xap:CreatorTool>" + XmlEscape(mInfo.creator) + "</xap:CreatorTool>\r";
    x += "  </rdf:Description>\r";
    if (MeetsPdfa()) {
        x += "  <rdf:Description rdf:about='' xmlns:pdfaid='" + pdfaid + "'>\r";
        x += "    <pdfaid:part>1</pdfaid:part>\r";
        x += "    <pdfaid:conformance>B</pdfaid:conformance>\r";
        x += "  </rdf:Description>\r";
    }
    x += "</rdf:RDF>\r";
    x += "<?xpacket end='r'?>";
    return x;
}

}  // namespace pdf
