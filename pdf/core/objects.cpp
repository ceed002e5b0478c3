// The output file's bytes: header, numbered objects and their cross-reference entries.
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

#include "pdf/core/fixed_objects.h"
#include "pdf/core/list_growth.h"
#include "pdf/pagelith.h"

namespace pdf {

// Forgets every object, page and resource of a document written before, and drops what it
// left recording: its contents, paths, local spaces and tables belong to its pages.
void Pagelith::ClearDocument()
{
    mOutput.xref.assign(1, std::string());
    mOutput.objCount = 0;
    mPageList.pages.clear();
    mPageList.order.clear();
    mPageList.count = 0;
    mPageList.current = 0;
    mContent.pageOpen = mContent.pageReopened = false;
    DropRecordings();
    mTables.clear();
    mPageList.annots.clear();
    mGeometry.labels.clear();
    mResources.fonts.clear();
    mResources.xObjects.clear();
    mImages = {};
    mResources.extGStates.clear();
    mResources.patterns.clear();
    mResources.shadings.clear();
    mResources.patternKinds.clear();
    mReader.ForgetImports();
    mImports = {};
    mLayers = {};
    ClearFontsAndStates();
    mNav.bookmarks.clear();
    AddBookmark(mInfo.title, 0, 0, 0, 0, 0, 0, "", "", 0);
    mNav.links.clear();
    mNav.linkNames.clear();
    mNav.refLinks.clear();
    mAttached.files.clear();
    mAttached.keys.clear();
    mForm = {};
    mScripts.events = {};
    mPdfa.broken = false;
}

// Drops a template or tiling cell left recording, with its open paths: begun before a
// document, it would take that document's content.
void Pagelith::DropRecordings()
{
    mContent.inTemplate = mContent.inTiling = mContent.patternFlag = false;
    mContent.openPaths = {};
    mLayers.OpenInTemplate = mLayers.OpenInTiling = 0;
    mTemplates = {};
}

std::string Pagelith::BeginDoc(std::string& fileName)
{
    const double random = mRandom->NextFraction();
    const bool lastCompleted = !mOutput.file.IsOpen();
    ClearError();
    if (mOutput.file.IsOpen()) {
        try {
            mOutput.file.Close();
        } catch (const Error& e) {
            RaiseError(e, "BeginDoc", fileName);
        }
    }
    // The settings made before the first document belong to it, not what was recorded; so
    // do the labels, scripts and bookmarks set after the last document was completed.
    if (mOutput.docBegun) {
        std::vector<PageLabel> labels;
        std::array<std::string, 9> scripts{};
        std::vector<BookmarkRecord> bookmarks;
        if (lastCompleted) {
            labels.swap(mGeometry.labels);
            scripts.swap(mScripts.events);
            bookmarks.swap(mNav.bookmarks);
        }
        ClearDocument();
        RenewDocId();
        mGeometry.labels = std::move(labels);
        mScripts.events = std::move(scripts);
        if (bookmarks.size() > 1)
            mNav.bookmarks.insert(mNav.bookmarks.end(), bookmarks.begin() + 1, bookmarks.end());
    } else {
        DropRecordings();
    }
    mOutput.docBegun = true;

    if (fileName.empty()) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%06X",
                      static_cast<unsigned>(std::nearbyint(random * 16777215)));
        fileName = std::string("~") + hex + ".pdf";
    }
    mOutput.fileName = fileName;
    try {
        mOutput.file.Open(fileName);
    } catch (const Error& e) {
        RaiseError(e, "BeginDoc", fileName);
    }
    try {
        WriteLine("%PDF-1.3\n%\xFF\xFF\xFF\xFF\n% Pagelith Library " + Version());
    } catch (const Error& e) {
        RaiseError(e, "BeginDoc", fileName);
    }
    mOutput.objCount = kFixedObjects;
    return fileName;
}

int Pagelith::BeginObj(int number)
{
    if (number == 0)
        number = mOutput.objCount + 1;
    if (number > mOutput.objCount)
        mOutput.objCount = number;
    ReserveFor(mOutput.xref, mOutput.objCount + 1, mOutput.memoryUsage);
    if (static_cast<int>(mOutput.xref.size()) <= mOutput.objCount)
        mOutput.xref.resize(static_cast<std::size_t>(mOutput.objCount) + 1);

    char entry[32];
    std::snprintf(entry, sizeof entry, "%010lld 00000 n\r",
                  static_cast<long long>(mOutput.file.Position()));
    mOutput.xref[static_cast<std::size_t>(number)] = entry;
    WriteLine(std::to_string(number) + " 0 obj");
    mOutput.objNumForKey = number;
    return number;
}

void Pagelith::EndObj()
{
    WriteLine("endobj");
}

void Pagelith::WriteLine(std::string_view text)
{
    std::string line(text);
    line += '\n';
    mOutput.file.Write(line);
}

void Pagelith::RequireVersion(int level)
{
    if (mOutput.versionInc < level)
        mOutput.versionInc = level;
}

std::int64_t Pagelith::FileSize() const
{
    return mOutput.file.IsOpen() ? mOutput.file.Position() : mOutput.fileLen;
}

// Opens the finished file in the desktop's default viewer, without waiting for it.  A
// grandchild runs the viewer so that no child is left for us to reap.
void Pagelith::OpenDoc()
{
    std::string program = "xdg-open";
    std::string name = mOutput.fileName;
    char* argv[] = {program.data(), name.data(), nullptr};
    const pid_t child = fork();
    if (child < 0)
        throw FileError(errno);
    if (child == 0) {
        if (fork() == 0) {
            execvp(argv[0], argv);
            _exit(127);
        }
        _exit(0);
    }
    waitpid(child, nullptr, 0);
}

}  // namespace pdf
