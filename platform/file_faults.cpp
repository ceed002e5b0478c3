#include "platform/file_faults.h"

namespace platform {

FileFaults& InjectedFileFaults() {
  static FileFaults faults;
  return faults;
}

}  // namespace platform
