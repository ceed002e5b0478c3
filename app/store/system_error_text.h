// Why a file or folder operation failed, in words for the user.
#pragma once

#include <string>

namespace store {

// A short French text for an errno value: the common causes in words, any other as a
// sentence giving its number.
std::string SystemErrorText(int error);

}  // namespace store
