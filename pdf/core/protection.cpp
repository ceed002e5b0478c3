// Protection of the document: switching it on, and the key of each object.
#include <algorithm>

#include "pdf/core/text_string.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kDocIdRandomBytes = 16;

}  // namespace

void Pagelith::SetProtection(int mode, const std::string& ownerPwd, const std::string& userPwd)
{
    const bool objectWritten =
        std::any_of(mOutput.xref.begin(), mOutput.xref.end(), [](const std::string& e) { return !e.empty(); });
    if (mOutput.file.IsOpen() && objectWritten) {
        RaiseError(Error(err::kInvalidArgument, "Invalid procedure call or argument"),
                   "SetProtection", "objects were written before protection was set");
        return;
    }
    // The standard handler hashes one byte per character.
    const auto owner = PdfDocEncoded(ownerPwd);
    const auto user = PdfDocEncoded(userPwd);
    if (!owner || !user) {
        RaiseError(Error(err::kInvalidArgument, "Invalid procedure call or argument"),
                   "SetProtection", "a password holds a character that PDFDocEncoding lacks");
        return;
    }
    mProtection = ComputeProtection(mode, *owner, *user, mInfo.docId);
    if (mode & permission::kRevision3)
        RequireVersion(1);
}

// The first file identifier: the creation date, then bytes of chance, so that no two
// documents share it, nor, under protection, their key.
std::string Pagelith::NewDocId()
{
    std::string id = mInfo.creationDate;
    for (int i = 0; i < kDocIdRandomBytes; ++i)
        id += static_cast<char>(static_cast<int>(mRandom->NextFraction() * 256));
    return id;
}

// A further document of the writer takes a new identifier, and its protection the key that
// goes with it.
void Pagelith::RenewDocId()
{
    mInfo.docId = NewDocId();
    if (mProtection.Encrypt) {
        mProtection = ComputeProtection(mProtection.Mode, mProtection.OwnerPwd,
                                        mProtection.UserPwd, mInfo.docId);
    }
}

void Pagelith::ResetProtection()
{
    mProtection = ProtectionState();
}

std::string Pagelith::ObjectKey(int objectNumber) const
{
    return pdf::ObjectKey(mProtection, objectNumber == 0 ? mOutput.objNumForKey : objectNumber);
}

}  // namespace pdf
