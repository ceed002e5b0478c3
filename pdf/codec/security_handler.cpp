#include "pdf/codec/security_handler.h"

#include "pdf/codec/md5.h"
#include "pdf/core/text_utils.h"

#include <cstdint>

namespace pdf {

namespace {

constexpr std::string_view kPadding{
    "\x28\xBF\x4E\x5E\x4E\x75\x8A\x41\x64\x00\x4E\x56\xFF\xFA\x01\x08"
    "\x2E\x2E\x00\xB6\xD0\x68\x3E\x80\x2F\x0C\xA9\xFE\x64\x53\x69\x7A",
    32};
constexpr int kRevision3Hashes = 50;
constexpr int kRevision3Passes = 19;
constexpr int kRevision3PermissionBase = 3904;
constexpr int kRevision2RequiredBits = 192;
// The bits a mode may grant.  The others (1, 2, 64, 128) mean nothing as permissions and
// would carry into /P; they are ignored.
constexpr int kRevision2Grants = 0x3C;
constexpr int kRevision3Grants = 0xF3C;

std::string Padded(const std::string& password)
{
    return (password.substr(0, 32) + std::string(kPadding)).substr(0, 32);
}

bool OnlyBlanks(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

std::string RepeatedMd5(std::string digest)
{
    for (int i = 0; i < kRevision3Hashes; ++i)
        digest = MD5Digest(digest);
    return digest;
}

std::string XorEach(std::string key, int value)
{
    for (char& c : key)
        c = static_cast<char>(c ^ value);
    return key;
}

// RC4 with the key, then 19 passes with the key XOR-ed with the pass number.
std::string Revision3Cipher(Rc4& rc4, const std::string& key, std::string text)
{
    text = rc4.Crypt(key, std::move(text));
    for (int i = 1; i <= kRevision3Passes; ++i)
        text = rc4.Crypt(XorEach(key, i), std::move(text));
    return text;
}

// The four bytes of /P, least significant first.
std::string PermissionBytes(int perm)
{
    const auto value = static_cast<std::uint32_t>(perm);
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

}  // namespace

ProtectionState ComputeProtection(int mode, std::string ownerPwd, const std::string& userPwd,
                                  std::string_view docId)
{
    if (OnlyBlanks(ownerPwd))
        ownerPwd = userPwd;
    const std::string owner = Padded(ownerPwd);
    const std::string user = Padded(userPwd);

    ProtectionState state;
    state.Encrypt = true;
    state.Mode = mode;
    state.OwnerPwd = ownerPwd;
    state.UserPwd = userPwd;
    Rc4& rc4 = state.Cipher;
    if (mode & permission::kRevision3) {
        state.KeyLen = 16;
        state.Perm = (mode & kRevision3Grants) - kRevision3PermissionBase;
        const std::string ownerKey = RepeatedMd5(MD5Digest(owner));
        state.O = Revision3Cipher(rc4, ownerKey, user);
        state.Key = RepeatedMd5(
            MD5Digest(user + state.O + PermissionBytes(state.Perm) + std::string(docId)));
        state.U = Revision3Cipher(rc4, state.Key, MD5Digest(std::string(kPadding) + std::string(docId))) +
                  std::string(16, ' ');
    } else {
        state.KeyLen = 10;
        state.Perm = -256 + (mode & kRevision2Grants) + kRevision2RequiredBits;
        state.O = rc4.Crypt(MD5Digest(owner).substr(0, 5), user);
        state.Key = MD5Digest(user + state.O + PermissionBytes(state.Perm) + std::string(docId))
                        .substr(0, 5);
        state.U = rc4.Crypt(state.Key, std::string(kPadding));
    }
    return state;
}

std::string ObjectKey(const ProtectionState& state, int objectNumber)
{
    std::string material = state.Key;
    for (int i = 0; i < 3; ++i)
        material += static_cast<char>(objectNumber >> (8 * i));
    material += std::string(2, '\0');
    return MD5Digest(material).substr(0, static_cast<std::size_t>(state.KeyLen));
}

std::string EncryptionDictionary(const ProtectionState& state)
{
    return "<< /Filter /Standard \r/O (" + EscapeString(state.O) + ")\r/U (" +
           EscapeString(state.U) + ")\r/P " + std::to_string(state.Perm) + "\r" +
           (state.KeyLen == 10 ? "/V 1 /R 2 >>" : "/V 2 /R 3 /Length 128 >>");
}

}  // namespace pdf
