// Our MD5 and RC4 against OpenSSL at equal effort, on 64 MB and on the short inputs of a
// protected document.  MD5 is one-shot on both sides (EVP_Digest with the MD5 fetched
// once).  RC4 is OpenSSL's RC4_set_key and RC4, the code its EVP cipher runs, so each side
// schedules a key exactly when the other does: once per 64 MB, once per 16-byte pass of a
// new key, and once for all the 40-byte strings of one object (OpenSSL copies its kept
// schedule, we keep ours).  Outputs are compared before anything is timed.  Prints MB/s and
// the ratio (our time / OpenSSL's); exits 2 on a disagreement, 1 when a ratio passes its goal.
#define OPENSSL_SUPPRESS_DEPRECATED  // RC4_set_key: the only way to keep a schedule
#include "best_time.h"
#include "pdf/codec/md5.h"
#include "pdf/codec/rc4.h"

#include <openssl/evp.h>
#include <openssl/rc4.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kMd5Goal = 1.2;
constexpr double kRc4Goal = 1.3;
constexpr std::size_t kLarge = 64u << 20;
// Short inputs are timed this many at a time, so the clock is not what is measured.
constexpr int kBatch = 1000;

std::string Random(std::size_t size, std::uint32_t seed)
{
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1664525 + 1013904223;
        c = static_cast<char>(seed >> 24);
    }
    return out;
}

auto* Bytes(std::string& s)
{
    return reinterpret_cast<unsigned char*>(s.data());
}

std::string OpensslMd5(const EVP_MD* md5, const std::string& input)
{
    std::string digest(16, '\0');
    unsigned int size = 0;
    EVP_Digest(input.data(), input.size(), Bytes(digest), &size, md5, nullptr);
    return digest;
}

RC4_KEY OpensslSchedule(const std::string& key)
{
    RC4_KEY schedule;
    RC4_set_key(&schedule, static_cast<int>(key.size()),
                reinterpret_cast<const unsigned char*>(key.data()));
    return schedule;
}

void OpensslRc4(RC4_KEY schedule, std::string& data)
{
    RC4(&schedule, data.size(), Bytes(data), Bytes(data));
}

// Our RC4 scheduling the key afresh, as it does for each new object key.
void OurRc4(const std::string& key, std::string& data)
{
    pdf::Rc4 cipher;
    cipher.Crypt(key, reinterpret_cast<std::uint8_t*>(data.data()), data.size());
}

// Times ours against OpenSSL, each run doing `times` calls, and checks the goal.
void Compare(bench::Verdict& verdict, const std::string& what, std::size_t bytes, int times,
             const std::function<void()>& ours, const std::function<void()>& theirs,
             double goal)
{
    const auto repeated = [times](const std::function<void()>& run) {
        return [times, &run] {
            for (int t = 0; t < times; ++t)
                run();
        };
    };
    const std::vector<double> best =
        bench::BestSeconds({{"ours", repeated(ours)}, {"openssl", repeated(theirs)}}, 11);
    const double megabytes = static_cast<double>(bytes) * times / 1e6;
    std::printf("%-40s ours %7.1f MB/s  openssl %7.1f MB/s  ratio %.3f\n", what.c_str(),
                megabytes / best[0], megabytes / best[1], best[0] / best[1]);
    verdict.Goal(what + ", ours / openssl", best[0] / best[1], goal);
}

void Md5(bench::Verdict& verdict, const EVP_MD* md5, const std::string& what,
         const std::string& input)
{
    if (!verdict.Agree(pdf::MD5Digest(input) == OpensslMd5(md5, input), what))
        return;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    Compare(verdict, what, input.size(), input.size() < 4096 ? kBatch : 1,
            [&] { pdf::MD5Digest(input); },
            [&] { EVP_Digest(input.data(), input.size(), digest, &size, md5, nullptr); }, kMd5Goal);
}

// RC4 with a key scheduled for every run, on both sides.
void Rc4NewKey(bench::Verdict& verdict, const std::string& what, const std::string& key,
               const std::string& input)
{
    std::string ours = input;
    std::string theirs = input;
    OurRc4(key, ours);
    OpensslRc4(OpensslSchedule(key), theirs);
    if (!verdict.Agree(ours == theirs, what))
        return;
    Compare(verdict, what, input.size(), input.size() < 4096 ? kBatch : 1,
            [&] { OurRc4(key, ours); }, [&] { OpensslRc4(OpensslSchedule(key), theirs); },
            kRc4Goal);
}

// The strings of one object: one key scheduled once, then a fresh keystream per string.
void Rc4KeptKey(bench::Verdict& verdict, const std::string& what, const std::string& key,
                const std::string& input)
{
    pdf::Rc4 cipher;
    const RC4_KEY schedule = OpensslSchedule(key);
    std::string ours = input;
    std::string theirs = input;
    cipher.Crypt(key, reinterpret_cast<std::uint8_t*>(ours.data()), ours.size());
    OpensslRc4(schedule, theirs);
    if (!verdict.Agree(ours == theirs, what))
        return;
    Compare(verdict, what, input.size(), kBatch,
            [&] { cipher.Crypt(key, reinterpret_cast<std::uint8_t*>(ours.data()), ours.size()); },
            [&] { OpensslRc4(schedule, theirs); }, kRc4Goal);
}

}  // namespace

int main()
{
    bench::Verdict verdict;
    EVP_MD* md5 = EVP_MD_fetch(nullptr, "MD5", nullptr);
    if (!md5) {
        std::printf("OpenSSL has no MD5\n");
        return 2;
    }
    const std::string large = Random(kLarge, 1);
    Md5(verdict, md5, "md5 64 MB", large);
    Md5(verdict, md5, "md5 84 bytes (file key)", Random(84, 2));
    Md5(verdict, md5, "md5 21 bytes (object key)", Random(21, 3));
    Md5(verdict, md5, "md5 16 bytes (re-hashed digest)", Random(16, 4));
    EVP_MD_free(md5);

    Rc4NewKey(verdict, "rc4 64 MB", Random(16, 5), large);
    Rc4NewKey(verdict, "rc4 16 bytes, a new key each", Random(16, 6), Random(16, 7));
    Rc4KeptKey(verdict, "rc4 40-byte strings of one object key", Random(16, 8), Random(40, 9));
    return verdict.ExitCode();
}
