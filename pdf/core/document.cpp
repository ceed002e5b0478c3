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
}

void Pagelith::ResetOutput()
{
    // An unfinished document stays as far as it was written.
    try {
        mFile.Close();
    } catch (const Error&) {
    }
    mXref.assign(1, std::string());
    mFileName.clear();
    mFileLen = 0;
    mMemoryUsage = 1;
    mVersionInc = 0;
    mDocBegun = false;
    mCompFilter = {};
}

void Pagelith::ResetDocInfo()
{
    mTitle = kDefaultTitle;
    mSubject.clear();
    mKeywords.clear();
    mCreationDate = NewCreationDate();
    mAuthor = kDefaultAuthor;
    mCreator = kDefaultCreator;
    mProducer = std::string("Pagelith Library ") + kVersion;
    mResPrefix = NewResPrefix();
    mDocId = NewDocId();
    ClearError();
}

void Pagelith::ResetGeometry()
{
    SetScale(0, 1.0f);
    SetPaperSize(0, 0, 0);
    mDefaultPageView = 0;
    mPageView = 0;
    mMarginLeft = mMarginRight = mMarginTop = mMarginBottom = 0;
    mClipMargins = 0;
    mDefaultTransition.clear();
    mDefaultDuration = 0;
    mPageTransition.clear();
    mPageDuration = 0;
    mPDFA = false;
    mViewerPrefs = 8192;
}

void Pagelith::ResetContentState()
{
    mPrecision = 3;
    mColorText = "#0 0 0";
    mColorFill = "#1 1 1";
    mColorLine = "#0 0 0";
    mColorFillAlt.clear();
    mColorTextAlt.clear();
    mColorLineAlt.clear();
    mNoFill = mNoText = mNoLine = false;
    mX = mY = 0;
    mCharSpacing = mWordSpacing = 0;
    mHorizScaling = 100;
    mLineSpacing = 1;
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
    mTitle = title;
    mSubject = subject;
    mKeywords = keywords;
    if (!author.empty())
        mAuthor = author;
    if (!creator.empty())
        mCreator = creator;
    if (!producer.empty())
        mProducer = producer;
    mBookmarks.front().Title = title;
}

void Pagelith::SetMemoryUsage(int factor)
{
    if (factor >= 1 && factor <= 10)
        mMemoryUsage = factor;
}

int Pagelith::ErrNumber() const
{
    return mErrNumber;
}

std::string Pagelith::ErrSource() const
{
    return mErrSource;
}

std::string Pagelith::ErrDescription() const
{
    return mErrDescription;
}

void Pagelith::ClearError()
{
    mErrNumber = 0;
    mErrSource.clear();
    mErrDescription.clear();
}

void Pagelith::RaiseError(const Error& error, const std::string& operation,
                          const std::string& message)
{
    mErrNumber = error.Number();
    mErrSource = "Pagelith." + operation;
    mErrDescription = message.empty() ? error.what() : std::string(error.what()) + " - " + message;
}

}  // namespace pdf
