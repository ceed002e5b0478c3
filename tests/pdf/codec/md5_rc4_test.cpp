// MD5 and RC4 against OpenSSL on random inputs of every length up to a few kilobytes.
#include "pdf/codec/md5.h"
#include "pdf/codec/rc4.h"
#include "sample_data.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <string>

namespace {

std::string AsString(const pdf::Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string OpensslMd5(const std::string& data)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(data.data(), data.size(), digest, &size, EVP_md5(), nullptr);
    return std::string(reinterpret_cast<char*>(digest), size);
}

std::string OpensslRc4(const std::string& key, const std::string& data)
{
    static OSSL_PROVIDER* legacy = OSSL_PROVIDER_load(nullptr, "legacy");
    static OSSL_PROVIDER* base = OSSL_PROVIDER_load(nullptr, "default");
    EXPECT_TRUE(legacy && base);
    EVP_CIPHER* rc4 = EVP_CIPHER_fetch(nullptr, "RC4", "provider=legacy");
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex2(ctx, rc4, nullptr, nullptr, nullptr);
    EVP_CIPHER_CTX_set_key_length(ctx, static_cast<int>(key.size()));
    EVP_EncryptInit_ex2(ctx, nullptr, reinterpret_cast<const unsigned char*>(key.data()), nullptr,
                        nullptr);
    std::string out(data.size(), '\0');
    int written = 0;
    EVP_EncryptUpdate(ctx, reinterpret_cast<unsigned char*>(out.data()), &written,
                      reinterpret_cast<const unsigned char*>(data.data()),
                      static_cast<int>(data.size()));
    EVP_CIPHER_CTX_free(ctx);
    EVP_CIPHER_free(rc4);
    return out;
}

TEST(Md5, MatchesOpensslForEveryLengthUpToFourKilobytes)
{
    const std::string data = AsString(codectest::RandomBytes(4200, 11));
    for (std::size_t length = 0; length <= data.size(); ++length)
        ASSERT_EQ(pdf::MD5Digest(data.substr(0, length)), OpensslMd5(data.substr(0, length)))
            << "length " << length;
    EXPECT_EQ(pdf::MD5Digest(""), std::string("\xd4\x1d\x8c\xd9\x8f\x00\xb2\x04\xe9\x80\x09\x98"
                                              "\xec\xf8\x42\x7e", 16));
}

TEST(Md5, PiecesGivenInTurnGiveTheDigestOfTheWhole)
{
    const std::string data = AsString(codectest::RandomBytes(1000, 3));
    pdf::Md5 md5;
    for (std::size_t at = 0, step = 1; at < data.size(); at += step, step = step * 2 + 1)
        md5.Update(data.substr(at, step));
    const auto digest = md5.Final();
    EXPECT_EQ(std::string(digest.begin(), digest.end()), OpensslMd5(data));
}

TEST(Rc4, MatchesOpensslForEveryLengthAndTheKeySizesInUse)
{
    const std::string data = AsString(codectest::RandomBytes(3000, 5));
    pdf::Rc4 rc4;
    // 300: only the first 256 bytes of a key take part.
    for (std::size_t keySize : {1, 5, 10, 16, 256, 300}) {
        const std::string key = AsString(codectest::RandomBytes(keySize, keySize));
        for (std::size_t length = 0; length <= data.size(); length += keySize == 16 ? 1 : 97)
            ASSERT_EQ(rc4.Crypt(key, data.substr(0, length)), OpensslRc4(key, data.substr(0, length)))
                << "key " << keySize << " length " << length;
    }
}

TEST(Rc4, EveryCallRestartsTheKeystreamAndUndoesItself)
{
    pdf::Rc4 rc4;
    const std::string text = "Réunion d'équipe";
    const std::string once = rc4.Crypt("Key-A", text);
    EXPECT_EQ(rc4.Crypt("Key-A", text), once);
    rc4.Crypt("Key-B", text);
    EXPECT_EQ(rc4.Crypt("Key-A", text), once);
    // A key that extends the one scheduled is a new key.
    EXPECT_EQ(rc4.Crypt("Key-AB", text), pdf::Rc4().Crypt("Key-AB", text));
    EXPECT_EQ(rc4.Crypt("Key-A", text), once);
    EXPECT_EQ(rc4.Crypt("Key-A", once), text);
    EXPECT_NE(once, text);
}

}  // namespace
