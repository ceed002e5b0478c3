// Protection of the document: switching it on, and the key of each object.
#include <algorithm>

#include "pdf/pagelith.h"

namespace pdf {

void Pagelith::SetProtection(int mode, const std::string& ownerPwd, const std::string& userPwd)
{
    const bool objectWritten =
        std::any_of(mXref.begin(), mXref.end(), [](const std::string& e) { return !e.empty(); });
    if (mFile.IsOpen() && objectWritten) {
        RaiseError(Error(err::kInvalidArgument, "Invalid procedure call or argument"),
                   "SetProtection", "objects were written before protection was set");
        return;
    }
    mProtection = ComputeProtection(mode, ownerPwd, userPwd, mDocId);
    if (mode & permission::kRevision3)
        RequireVersion(1);
}

void Pagelith::ResetProtection()
{
    mProtection = ProtectionState();
}

std::string Pagelith::ObjectKey(int objectNumber) const
{
    return pdf::ObjectKey(mProtection, objectNumber == 0 ? mObjNumForKey : objectNumber);
}

}  // namespace pdf
