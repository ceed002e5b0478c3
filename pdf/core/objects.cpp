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
    mXref.assign(1, std::string());
    mObjCount = 0;
    mPages.clear();
    mPageOrder.clear();
    mPageCount = 0;
    mCurPage = 0;
    mPageOpen = mOnPage = false;
    DropRecordings();
    mTables.clear();
    mPageAnnots.clear();
    mPageLabels.clear();
    mFontRes.clear();
    mXObjectRes.clear();
    mImages = {};
    mExtGStateRes.clear();
    mPatternRes.clear();
    mShadingRes.clear();
    mPatternKinds.clear();
    mReader.ForgetImports();
    mLayers = {};
    ClearFontsAndStates();
    mBookmarks.clear();
    AddBookmark(mTitle, 0, 0, 0, 0, 0, 0, "", "", 0);
    mLinks.clear();
    mLinkNames.clear();
    mRefLinks.clear();
    mAttachments.clear();
    mAttachmentKeys.clear();
    mForm = {};
    mEventScripts = {};
    mPdfaBroken = false;
}

// Drops a template or tiling cell left recording, with its open paths: begun before a
// document, it would take that document's content.
void Pagelith::DropRecordings()
{
    mInObject = mInTiling = mPatternFlag = false;
    mOpenPaths = {};
    mLayers.OpenInTemplate = mLayers.OpenInTiling = 0;
    mTemplates = {};
}

std::string Pagelith::BeginDoc(std::string& fileName)
{
    const double random = mRandom->NextFraction();
    const bool lastCompleted = !mFile.IsOpen();
    ClearError();
    if (mFile.IsOpen()) {
        try {
            mFile.Close();
        } catch (const Error& e) {
            RaiseError(e, "BeginDoc", fileName);
        }
    }
    // The settings made before the first document belong to it, not what was recorded; so
    // do the labels, scripts and bookmarks set after the last document was completed.
    if (mDocBegun) {
        std::vector<PageLabel> labels;
        std::array<std::string, 9> scripts{};
        std::vector<BookmarkRecord> bookmarks;
        if (lastCompleted) {
            labels.swap(mPageLabels);
            scripts.swap(mEventScripts);
            bookmarks.swap(mBookmarks);
        }
        ClearDocument();
        RenewDocId();
        mPageLabels = std::move(labels);
        mEventScripts = std::move(scripts);
        if (bookmarks.size() > 1)
            mBookmarks.insert(mBookmarks.end(), bookmarks.begin() + 1, bookmarks.end());
    } else {
        DropRecordings();
    }
    mDocBegun = true;

    if (fileName.empty()) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%06X",
                      static_cast<unsigned>(std::nearbyint(random * 16777215)));
        fileName = std::string("~") + hex + ".pdf";
    }
    mFileName = fileName;
    try {
        mFile.Open(fileName);
    } catch (const Error& e) {
        RaiseError(e, "BeginDoc", fileName);
    }
    try {
        WriteLine("%PDF-1.3\n%\xFF\xFF\xFF\xFF\n% Pagelith Library " + Version());
    } catch (const Error& e) {
        RaiseError(e, "BeginDoc", fileName);
    }
    mObjCount = kFixedObjects;
    return fileName;
}

int Pagelith::BeginObj(int number)
{
    if (number == 0)
        number = mObjCount + 1;
    if (number > mObjCount)
        mObjCount = number;
    ReserveFor(mXref, mObjCount + 1, mMemoryUsage);
    if (static_cast<int>(mXref.size()) <= mObjCount)
        mXref.resize(static_cast<std::size_t>(mObjCount) + 1);

    char entry[32];
    std::snprintf(entry, sizeof entry, "%010lld 00000 n\r",
                  static_cast<long long>(mFile.Position()));
    mXref[static_cast<std::size_t>(number)] = entry;
    WriteLine(std::to_string(number) + " 0 obj");
    mObjNumForKey = number;
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
    mFile.Write(line);
}

void Pagelith::RequireVersion(int level)
{
    if (mVersionInc < level)
        mVersionInc = level;
}

std::int64_t Pagelith::FileSize() const
{
    return mFile.IsOpen() ? mFile.Position() : mFileLen;
}

// Opens the finished file in the desktop's default viewer, without waiting for it.  A
// grandchild runs the viewer so that no child is left for us to reap.
void Pagelith::OpenDoc()
{
    std::string program = "xdg-open";
    std::string name = mFileName;
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
