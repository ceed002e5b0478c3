// Failures that tests have the file layer meet, as a full disk or a failing drive would:
// while a field holds an errno, every read of a file (ReadIniFile) or every replacement of
// one (ReplaceFileContents) fails with it, and the files stay as they are.
#pragma once

namespace platform {

struct FileFaults {
  int readError = 0;
  int writeError = 0;
};

// The faults in force for the whole process; none unless a test sets them.
FileFaults& InjectedFileFaults();

}  // namespace platform
