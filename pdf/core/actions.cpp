// Scripts run on document and page events, and the document-level script.
#include "pdf/pagelith.h"

namespace pdf {

namespace {

enum EventCode {
    kPageOpen,
    kPageClose,
    kDocOpen,
    kWillClose,
    kWillPrint,
    kWillSave,
    kDidPrint,
    kDidSave,
    kDocumentScript,
};

// The catalog's /AA keys, in the order they are written.
struct DocumentEvent {
    EventCode code;
    const char* key;
};
constexpr DocumentEvent kDocumentEvents[] = {
    {kWillClose, "/WC"}, {kWillSave, "/WS"}, {kDidSave, "/DS"},
    {kWillPrint, "/WP"}, {kDidPrint, "/DP"},
};

std::string JavaScriptAction(std::string_view key, int script)
{
    return " " + std::string(key) + " << /Type /Action /S /JavaScript /JS " +
           std::to_string(script) + " 0 R >>\r";
}

}  // namespace

void Pagelith::OnDocEvent(int code, const std::string& script, bool replace)
{
    if (mPdfa.on || code < kPageOpen || code > kDocumentScript)
        return;
    if (code >= kWillClose && code <= kDidSave)
        RequireVersion(1);
    std::string& member = mScripts.events[static_cast<std::size_t>(code)];
    if (replace)
        member = script;
    else
        member += script;
}

// Writes the page's open and close scripts and gives the page dictionary's /AA entry for
// them, empty when there is none.
std::string Pagelith::WritePageScripts()
{
    std::string entries;
    for (const auto& [code, key] : {std::pair{kPageOpen, "/O"}, std::pair{kPageClose, "/C"}}) {
        const std::string& script = mScripts.events[code];
        if (!script.empty())
            entries += JavaScriptAction(key, WriteStreamObject(script));
    }
    return entries.empty() ? entries : "\n/AA <<" + entries + ">> ";
}

void Pagelith::ClearPageScripts()
{
    mScripts.events[kPageOpen].clear();
    mScripts.events[kPageClose].clear();
}

// The document's scripts, each a stream object, in the order open, close, save, did save,
// print, did print, document level.  The document-level script is listed in a names
// dictionary of its own unless attachments give the catalog one.
void Pagelith::WriteDocumentScripts(CatalogRefs& refs)
{
    for (EventCode code : {kDocOpen, kWillClose, kWillSave, kDidSave, kWillPrint, kDidPrint,
                           kDocumentScript}) {
        const std::string& script = mScripts.events[code];
        if (!script.empty())
            refs.scripts[code] = WriteStreamObject(script);
    }
    if (refs.scripts[kDocumentScript] != 0 && mAttached.files.empty()) {
        refs.names = BeginObj(0);
        WriteLine("<< " + JavaScriptNameTree(refs.scripts[kDocumentScript]) + " >>");
        EndObj();
    }
}

std::string Pagelith::JavaScriptNameTree(int script) const
{
    return "/JavaScript << /Names [ " + PdfTextString("globalscript") +
           " << /S /JavaScript /JS " + std::to_string(script) + " 0 R >> ] >>";
}

// The catalog's names dictionary (attachments, document-level script) and its actions.
void Pagelith::WriteNamesAndActionLines(const CatalogRefs& refs)
{
    const int documentScript = refs.scripts[kDocumentScript];
    if (!mAttached.files.empty()) {
        WriteLine("/Names <</EmbeddedFiles << /Names [ " + AttachmentNameEntries() + " ] >>" +
                  (documentScript != 0 ? " " + JavaScriptNameTree(documentScript) : "") +
                  " >>");
    }
    if (!mForm.Refs.empty())
        WriteLine(AcroFormLine());
    if (refs.names != 0)
        WriteLine("/Names " + std::to_string(refs.names) + " 0 R");
    if (refs.scripts[kDocOpen] != 0) {
        WriteLine("/OpenAction << /S /JavaScript /JS " + std::to_string(refs.scripts[kDocOpen]) +
                  " 0 R >> ");
    }
    std::string events;
    for (const DocumentEvent& event : kDocumentEvents) {
        if (refs.scripts[event.code] != 0)
            events += JavaScriptAction(event.key, refs.scripts[event.code]);
    }
    if (!events.empty())
        WriteLine("\n/AA <<" + events + ">> ");
}

}  // namespace pdf
