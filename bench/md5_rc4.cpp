// Our MD5 and RC4 against OpenSSL's EVP interface (RC4 from the legacy provider), on a
// 1 MB buffer and on the short inputs of a protected document (key computations, the
// strings of a dictionary).  Prints MB/s and "ratio" (our time / OpenSSL's); exits with
// status 1 when MD5 takes more than 1.2 times OpenSSL's time or RC4 more than 2 times.
#include "best_time.h"
#include "pdf/codec/md5.h"
#include "pdf/codec/rc4.h"

#include <openssl/evp.h>
#include <openssl/provider.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr double kMd5Goal = 1.2;
constexpr double kRc4Goal = 2.0;

std::string Random(std::size_t size, std::uint32_t seed)
{
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1664525 + 1013904223;
        c = static_cast<char>(seed >> 24);
    }
    return out;
}

bool Report(const char* what, std::size_t bytes, double ours, double theirs, double goal)
{
    std::printf("%-28s ours %8.1f MB/s  openssl %8.1f MB/s  ratio %.3f (goal %.1f)\n", what,
                bytes / ours / 1e6, bytes / theirs / 1e6, ours / theirs, goal);
    return ours / theirs <= goal;
}

void OpensslRc4(EVP_CIPHER* cipher, const std::string& key, std::string& data)
{
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex2(ctx, cipher, nullptr, nullptr, nullptr);
    EVP_CIPHER_CTX_set_key_length(ctx, static_cast<int>(key.size()));
    EVP_EncryptInit_ex2(ctx, nullptr, reinterpret_cast<const unsigned char*>(key.data()), nullptr,
                        nullptr);
    int written = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(data.data());
    EVP_EncryptUpdate(ctx, bytes, &written, bytes, static_cast<int>(data.size()));
    EVP_CIPHER_CTX_free(ctx);
}

}  // namespace

int main()
{
    OSSL_PROVIDER_load(nullptr, "legacy");
    OSSL_PROVIDER_load(nullptr, "default");
    EVP_CIPHER* rc4 = EVP_CIPHER_fetch(nullptr, "RC4", "provider=legacy");
    if (!rc4) {
        std::printf("OpenSSL's legacy provider has no RC4\n");
        return 2;
    }

    const std::string big = Random(1 << 20, 1);
    const std::string keyInput = Random(91, 2);  // padded password, /O, /P and identifier
    const std::string key = Random(16, 3);
    bool met = true;

    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    for (const std::string* input : {&big, &keyInput}) {
        const double ours = bench::BestSeconds([&] { pdf::MD5Digest(*input); });
        const double theirs = bench::BestSeconds(
            [&] { EVP_Digest(input->data(), input->size(), digest, &size, EVP_md5(), nullptr); });
        met = Report(input == &big ? "md5 1 MB" : "md5 91 bytes", input->size(), ours, theirs,
                     kMd5Goal) && met;
    }

    pdf::Rc4 cipher;
    std::string data = big;
    double ours = bench::BestSeconds(
        [&] { cipher.Crypt(key, reinterpret_cast<std::uint8_t*>(data.data()), data.size()); });
    double theirs = bench::BestSeconds([&] { OpensslRc4(rc4, key, data); });
    met = Report("rc4 1 MB", data.size(), ours, theirs, kRc4Goal) && met;

    // The strings of one object: one key, many short strings.
    std::string text = Random(40, 4);
    ours = bench::BestSeconds([&] {
        cipher.Crypt(key, reinterpret_cast<std::uint8_t*>(text.data()), text.size());
    });
    theirs = bench::BestSeconds([&] { OpensslRc4(rc4, key, text); });
    met = Report("rc4 40-byte strings, one key", text.size(), ours, theirs, kRc4Goal) && met;

    EVP_CIPHER_free(rc4);
    if (!met)
        std::printf("goal missed\n");
    return met ? 0 : 1;
}
