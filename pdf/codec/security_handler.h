// The standard security handler: /O, /U, the document key and the per-object keys of
// revision 2 (40-bit key) and revision 3 (128-bit key), RC4 throughout.
#pragma once

#include "pdf/codec/rc4.h"

#include <string>
#include <string_view>

namespace pdf {

// Permission bits of SetProtection's mode, as the /P value places them.
namespace permission {
constexpr int kPrint = 4;
constexpr int kModify = 8;
constexpr int kCopy = 16;
constexpr int kAnnotate = 32;
constexpr int kFillForms = 256;        // revision 3 only, as are the three below
constexpr int kExtractForAccessibility = 512;
constexpr int kAssemble = 1024;
constexpr int kPrintHighQuality = 2048;
constexpr int kRevision3 = 4096;       // not a permission: selects the 128-bit key
}  // namespace permission

// What a protected document is written with.  Byte values are strings of one character
// per byte.
struct ProtectionState {
    bool Encrypt = false;
    std::string Key;    // the document key: 5 bytes (revision 2) or 16 (revision 3)
    std::string O;      // 32 bytes each
    std::string U;
    int Perm = 0;       // /P, sign-extended from 32 bits
    int KeyLen = 0;     // bytes of a per-object key: 10 (revision 2) or 16 (revision 3)
    mutable Rc4 Cipher; // keeps the schedule of the last object key
    // What the state was computed from, to compute it again for another file identifier.
    int Mode = 0;
    std::string OwnerPwd;
    std::string UserPwd;
};

// The state for the permissions and revision of `mode` and the two passwords; an owner
// password that is empty or only blanks is replaced by the user password.  Passwords are
// bytes, one per character.  `docId` is the first element of the file identifier.
ProtectionState ComputeProtection(int mode, std::string ownerPwd, const std::string& userPwd,
                                  std::string_view docId);

// The key of the strings and streams of an object (generation 0): only the number's low
// three bytes count.
std::string ObjectKey(const ProtectionState& state, int objectNumber);

// The encryption dictionary, its parts separated by carriage returns; /O and /U are
// written as they are, never enciphered.
std::string EncryptionDictionary(const ProtectionState& state);

}  // namespace pdf
