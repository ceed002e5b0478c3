// The writer object as a whole: creation, reset, document information, errors.
#include <cmath>
#include <cstdio>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr const char* kVersion = "2020.1";
constexpr const char* kDefaultTitle = "(senza titolo)";
constexpr const char* kDefaultAuthor = "Alvar Quent";
constexpr const char* kDefaultCreator = "Quorvane";

}  // namespace

Pagelith::Pagelith(std::shared_ptr<Clock> clock, std::shared_ptr<RandomSource> random)
    : mClock(clock ? std::move(clock) : std::make_shared<SystemClock>()),
      mRandom(random ? std::move(random) : std::make_shared<SystemRandom>())
{
    Abort();
}

Pagelith::~Pagelith() = default;

std::string Pagelith::Version()
{
    return kVersion;
}

void Pagelith::Abort()
{
    ResetOutput();
    ResetDocInfo();
    ResetProtection();
    ResetGeometry();
    ResetContentState();
    ResetFontsAndState();
    ResetLists();
    mReader.Reset();
    mImports = {};
}

void Pagelith::ResetOutput()
{
    // An unfinished document stays as far as it was written.
    try {
        mOutput.file.Close();
    } catch (const Error&) {
    }
    mOutput.xref.assign(1, std::string());
    mOutput.fileName.clear();
    mOutput.fileLen = 0;
    mOutput.memoryUsage = 1;
    mOutput.versionInc = 0;
    mOutput.docBegun = false;
    mOutput.compFilter = {};
}

void Pagelith::ResetDocInfo()
{
    mInfo.title = kDefaultTitle;
    mInfo.subject.clear();
    mInfo.keywords.clear();
    mInfo.creationDate = NewCreationDate();
    mInfo.author = kDefaultAuthor;
    mInfo.creator = kDefaultCreator;
    mInfo.producer = std::string("Pagelith Library ") + kVersion;
    mInfo.resPrefix = NewResPrefix();
    mInfo.docId = NewDocId();
    ClearError();
}

void Pagelith::ResetGeometry()
{
    SetScale(0, 1.0f);
    SetPaperSize(0, 0, 0);
    mGeometry.defaultView = 0;
    mGeometry.view = 0;
    mGeometry.marginLeft = mGeometry.marginRight = mGeometry.marginTop = mGeometry.marginBottom = 0;
    mGeometry.clipMargins = 0;
    mGeometry.defaultTransition.clear();
    mGeometry.defaultDuration = 0;
    mGeometry.transition.clear();
    mGeometry.duration = 0;
    mPdfa.on = false;
    mGeometry.viewerPrefs = 8192;
}

void Pagelith::ResetContentState()
{
    mContent.precision = 3;
    mColours = {};
    mText = {};
}

void Pagelith::ResetLists()
{
    ClearDocument();
}

std::string Pagelith::NewCreationDate()
{
    const LocalTime t = mClock->Now();
    const int offset = std::abs(t.utcOffsetMinutes);
    char text[48];
    std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02d%c%02d'%02d'", t.year, t.month,
                  t.day, t.hour, t.minute, t.second, t.utcOffsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return text;
}

std::string Pagelith::NewResPrefix()
{
    const auto value = static_cast<unsigned>(std::nearbyint(mRandom->NextFraction() * 16777215));
    char text[16];
    std::snprintf(text, sizeof text, "A%X+", value);
    return text;
}

void Pagelith::SetDocProperty(const std::string& title, const std::string& subject,
                              const std::string& author, const std::string& creator,
                              const std::string& producer, const std::string& keywords)
{
    mInfo.title = title;
    mInfo.subject = subject;
    mInfo.keywords = keywords;
    if (!author.empty())
        mInfo.author = author;
    if (!creator.empty())
        mInfo.creator = creator;
    if (!producer.empty())
        mInfo.producer = producer;
    mNav.bookmarks.front().Title = title;
}

void Pagelith::SetMemoryUsage(int factor)
{
    if (factor >= 1 && factor <= 10)
        mOutput.memoryUsage = factor;
}

int Pagelith::ErrNumber() const
{
    return mError.number;
}

std::string Pagelith::ErrSource() const
{
    return mError.source;
}

std::string Pagelith::ErrDescription() const
{
    return mError.description;
}

void Pagelith::ClearError()
{
    mError = {};
}

void Pagelith::RaiseError(const Error& error, const std::string& operation,
                          const std::string& message)
{
    mError.number = error.Number();
    mError.source = "Pagelith." + operation;
    mError.description = message.empty() ? error.what() : std::string(error.what()) + " - " + message;
}

}  // namespace pdf
