// Files made to cost a reader minutes or gigabytes: every public call on them ends within 5 s
// of CPU time (40 s under a sanitizer) and 1 GiB (less for some), with a value or our Error.
// The calls run in a child process that stops a call once it has used its CPU time, however
// busy the machine, and ends when a call holds more than its limit beyond what it held when it
// began.  Allocations are counted rather than the address space limited, since a sanitizer
// reserves terabytes of address space for itself.
#include <gtest/gtest.h>

#include <malloc.h>
#include <signal.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <ctime>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

#include "hostile_files.h"

namespace {

constexpr std::size_t kMemoryLimit = std::size_t{1} << 30;
// The memory each call of the file being read may take.
std::size_t gMemoryLimit = kMemoryLimit;
constexpr int kMemoryExhausted = 3;

std::atomic<std::size_t> gLiveBytes{0};
// The live bytes past which the call being made has taken its memory; 0: no limit.
std::atomic<std::size_t> gCeiling{0};
int gReport = -1;  // the child's end of the pipe its parent reads
[[noreturn]] void MemoryExhausted()
{
    static const char kLine[] = "  took its memory limit\n";
    (void)!::write(gReport, kLine, sizeof kLine - 1);
    ::_exit(kMemoryExhausted);
}

void* Counted(std::size_t size)
{
    const std::size_t ceiling = gCeiling;
    if (ceiling != 0 && (size > ceiling || gLiveBytes > ceiling - size))
        MemoryExhausted();
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    gLiveBytes += ::malloc_usable_size(block);
    return block;
}

void Uncounted(void* block)
{
    if (block != nullptr)
        gLiveBytes -= ::malloc_usable_size(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size)
{
    return Counted(size);
}

void* operator new[](std::size_t size)
{
    return Counted(size);
}

// The library's temporary buffers (std::stable_sort's) come from these and go back through
// the delete below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Counted(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept
{
    return operator new(size, nothrow);
}

void operator delete(void* block) noexcept
{
    Uncounted(block);
}

void operator delete[](void* block) noexcept
{
    Uncounted(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    Uncounted(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    Uncounted(block);
}

namespace pdf {
namespace {

using namespace reader_testing;

// Sanitized code runs several times slower, and slower still while the other tests share
// the cores: the guard against a call without end gives it that much more CPU time.
#if defined(__SANITIZE_ADDRESS__)
constexpr unsigned kSecondsPerCall = 40;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr unsigned kSecondsPerCall = 40;
#else
constexpr unsigned kSecondsPerCall = 5;
#endif
#else
constexpr unsigned kSecondsPerCall = 5;
#endif
constexpr int kSilentFailure = 4;

void Report(const std::string& line)
{
    const std::string text = line + "\n";
    (void)!::write(gReport, text.data(), text.size());
}

// Runs one call under the CPU-time guard and reports how it ended and the CPU time it used.
void Call(const std::string& name, const std::function<std::string()>& call)
{
    Report(name);
    const std::clock_t start = std::clock();
    gCeiling = gLiveBytes + gMemoryLimit;
    // The profiling timer counts the CPU time the process uses, not the time that passes.
    itimerval limit{};
    limit.it_value.tv_sec = kSecondsPerCall;
    ::setitimer(ITIMER_PROF, &limit, nullptr);
    std::string ending;
    try {
        ending = call();
    } catch (const Error& e) {
        ending = "Error " + std::to_string(e.Number()) + ": " + e.what();
    }
    limit.it_value.tv_sec = 0;
    ::setitimer(ITIMER_PROF, &limit, nullptr);
    gCeiling = 0;
    const double took = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    Report("  " + ending + " (" + std::to_string(took) + " s of CPU time)");
}

// Every public reader call on the file, each page read and imported, in a child process.
void ReadEverything(const std::string& path)
{
    Pagelith reader;
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    int pages = 0;
    Call("GetInfo", [&] {
        pages = reader.GetInfo(path, title, subject, author, encrypted, pdfa, version);
        if (pages == 0 && reader.ErrNumber() == 0)
            ::_exit(kSilentFailure);
        return std::to_string(pages) + " pages, error " + std::to_string(reader.ErrNumber());
    });
    std::string output = path + ".imported.pdf";
    reader.BeginDoc(output);
    for (int page = 1; page <= pages; ++page) {
        const std::string which = " of page " + std::to_string(page);
        Call("GetInfoPage" + which, [&] {
            float width = 0, height = 0;
            int rotation = 0;
            return std::to_string(reader.GetInfoPage(path, page, width, height, rotation));
        });
        Call("GetContentPage" + which, [&] { return std::to_string(reader.GetContentPage(path, page).size()) + " bytes"; });
        Call("ImportPage" + which, [&] {
            int outputPage = 0;
            reader.BeginPage(outputPage);
            reader.ImportPage(path, page, 0, 0, 0, 0);
            return std::string("placed");
        });
    }
    Call("EndDoc", [&] {
        reader.EndDoc();
        return std::string("written");
    });
}

struct Ending {
    std::string calls;  // each call's name, then how it ended
    int status = 0;     // as waitpid gives it
};

Ending ReadInChild(const std::string& path)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return {"no pipe", -1};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        gReport = pipe[1];
        ReadEverything(path);
        ::_exit(0);
    }
    ::close(pipe[1]);
    Ending ending;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        ending.calls.append(buffer, static_cast<std::size_t>(got));
    ::close(pipe[0]);
    ::waitpid(child, &ending.status, 0);
    return ending;
}

struct Hostile {
    Hostile(std::string name, std::function<std::string()> make, std::size_t memoryLimit = kMemoryLimit,
            std::string getInfo = {})
        : name(std::move(name)), make(std::move(make)), memoryLimit(memoryLimit), getInfo(std::move(getInfo))
    {
    }
    std::string name;
    std::function<std::string()> make;
    std::size_t memoryLimit;
    std::string getInfo;  // how GetInfo ends, where that is known
    friend void PrintTo(const Hostile& hostile, std::ostream* out) { *out << hostile.name; }
};

class HostileFile : public ::testing::TestWithParam<Hostile> {};

// What went wrong, or "" when every call ended in time with a value or our Error.
std::string Fault(const Ending& ending)
{
    if (WIFSIGNALED(ending.status) && WTERMSIG(ending.status) == SIGPROF)
        return "the last call used more than " + std::to_string(kSecondsPerCall) + " s of CPU time";
    if (WIFSIGNALED(ending.status))
        return "signal " + std::to_string(WTERMSIG(ending.status)) + ": a crash or an exception that is not our Error";
    if (!WIFEXITED(ending.status))
        return "the child did not end";
    if (WEXITSTATUS(ending.status) == kMemoryExhausted)
        return "the last call took " + std::to_string(gMemoryLimit >> 20) + " MiB";
    if (WEXITSTATUS(ending.status) == kSilentFailure)
        return "GetInfo gave 0 pages and no error";
    if (WEXITSTATUS(ending.status) != 0)
        return "exit status " + std::to_string(WEXITSTATUS(ending.status));
    return "";
}

TEST_P(HostileFile, EveryCallEndsWithinItsLimitsWithAValueOrAnError)
{
    gMemoryLimit = GetParam().memoryLimit;
    const Ending ending = ReadInChild(GetParam().make());
    EXPECT_EQ(Fault(ending), "") << ending.calls;
    EXPECT_NE(ending.calls.find("GetInfo\n  " + GetParam().getInfo), std::string::npos) << ending.calls;
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFile,
    ::testing::Values(
        Hostile{"XrefRowsWiderThanTheFile", [] { return PredictedXrefSource("hostile-predicted-xref.pdf"); }},
        Hostile{"ContentRowsWiderThanTheFile", [] { return PredictedContentSource("hostile-predicted-content.pdf"); }},
        Hostile{"RepeatedStream", [] { return RepeatedStreamSource("hostile-repeated-stream.pdf"); }},
        Hostile{"HugeContent", [] { return HugeContentSource("hostile-huge-content.pdf"); }},
        Hostile{"LongFilterChain", [] { return LongFilterChainSource("hostile-filter-chain.pdf"); }},
        Hostile{"BlanksDecodedOften", [] { return BlanksDecodedOftenSource("hostile-blanks.pdf"); }},
        Hostile{"DeepTree", [] { return DeepTreeSource("hostile-deep-tree.pdf", 30000, 50); }},
        Hostile{"FormsNestedByTensOfThousands", [] { return NestedFormsSource("hostile-nested-forms.pdf", 50000); }},
        Hostile{"SelfPrev", [] { return SelfPrevSource("hostile-self-prev.pdf"); }},
        Hostile{"ManyUpdates", [] { return ManyUpdatesSource("hostile-many-updates.pdf", 5000); }},
        Hostile{"ManyKeys", [] { return ManyKeysSource("hostile-many-keys.pdf"); }},
        Hostile{"ManyTrailers", [] { return ManyTrailersSource("hostile-many-trailers.pdf"); }},
        Hostile{"MisplacedObjects", [] { return MisplacedObjectsSource("hostile-misplaced-objects.pdf"); }},
        Hostile{"TreeWhoseOnlyKidIsItself", [] { return ZeroPageSource("hostile-self-kid.pdf", "[2 0 R]"); }},
        Hostile{"EmptyTree", [] { return ZeroPageSource("hostile-empty-tree.pdf", "[]"); }},
        Hostile{"PagesThatNameAPage",
                [] {
                    return AssembledPdf("hostile-pages-page.pdf", {"<< /Type /Catalog /Pages 2 0 R >>",
                                                                   "<< /Type /Page /MediaBox [0 0 300 200] >>"});
                }},
        Hostile{"EmptyObjectsByMillions", [] { return ObjectLinesSource("hostile-object-lines.pdf", ""); }},
        Hostile{"CrossReferenceStreamsByMillions",
                [] { return ObjectLinesSource("hostile-xref-lines.pdf", "<< /Type /XRef /Root 1 0 R >> endobj"); }},
        Hostile{"UnendedObjectStreamsByMillions",
                [] { return ObjectLinesSource("hostile-objstm-lines.pdf", "<< /Type /ObjStm /N 1 /First 4 >>"); }},
        // A page past 16 MB is an error, never a page cut short.
        Hostile{"PagePastSixteenMegabytes",
                [] {
                    return AssembledPdf("hostile-long-page.pdf",
                                        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Notes (" +
                                             std::string(17 << 20, 'x') + ") >>"});
                },
                kMemoryLimit, "0 pages, error 321"},
        // The kid that the object stream's header does not list is a lost page, never its
        // neighbour: it is counted, and reading it is an error.
        Hostile{"KidThatItsObjectStreamDoesNotList", [] { return UnlistedKidSource("hostile-unlisted-kid.pdf"); },
                kMemoryLimit, "2 pages, error 0"},
        // Read as listed, the rows would take gigabytes.
        Hostile{"IndexThatRepeatsItsRanges", [] { return RepeatedIndexSource("hostile-repeated-index.pdf"); },
                kMemoryLimit, "1 pages, error 0"},
        // The kids are page 3 and page 7 of the object stream, whose row is cut: the table is
        // rebuilt, as mutool reads the file.
        Hostile{"CrossReferenceStreamShorterThanItsIndex",
                [] {
                    std::string bytes = testing_support::ReadAll(UnlistedKidSource("hostile-short-xref-base.pdf"));
                    bytes.replace(bytes.find("[3 0 R 6 0 R]"), 13, "[3 0 R 7 0 R]");
                    bytes.erase(bytes.rfind("\nendstream") - 6, 6);
                    const std::size_t length = bytes.rfind("/Length ") + 8;
                    return ScratchFile("hostile-short-xref.pdf",
                                       bytes.replace(length, 2, std::to_string(std::stoi(bytes.substr(length)) - 6)));
                },
                kMemoryLimit, "2 pages, error 0"},
        // Read whole, the file takes three times its size.
        Hostile{"UnclosedString", [] { return UnclosedStringSource("hostile-unclosed-string.pdf"); }, 160u << 20}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace pdf
