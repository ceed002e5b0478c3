// The PDFs of the machine's documentation, compressed ones unpacked into the scratch folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "source_files.h"

namespace pdf::reader_testing {

// Keeps the run time bounded on machines with much documentation.
constexpr int kMaxFiles = 40;
constexpr std::uintmax_t kMaxBytes = 50u << 20;

inline std::vector<std::string> DocumentationPdfs()
{
    std::vector<std::string> paths;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator("/usr/share/doc", error);
         it != std::filesystem::recursive_directory_iterator() && static_cast<int>(paths.size()) < kMaxFiles;
         it.increment(error)) {
        if (error)
            break;
        const auto& path = it->path();
        if (!it->is_regular_file(error) || it->file_size(error) > kMaxBytes)
            continue;
        if (path.extension() == ".pdf") {
            paths.push_back(path.string());
        } else if (path.extension() == ".gz" && path.stem().extension() == ".pdf") {
            // Cases running at the same time unpack the same files: each renames its own copy
            // into place.
            const std::string plain = ScratchPath("doc-" + path.parent_path().filename().string() + "-" + path.stem().string());
            const std::string copy = PrivateCopyOf(plain);
            if (RunTool("gunzip -c " + Quoted(path.string()) + " > " + Quoted(copy)).status == 0) {
                PutInPlace(copy, plain);
                paths.push_back(plain);
            }
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace pdf::reader_testing
