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

inline bool IsPdf(const std::filesystem::path& path)
{
    return path.extension() == ".pdf" || (path.extension() == ".gz" && path.stem().extension() == ".pdf");
}

// The first files in the order of their paths, so that every run takes the same ones.
inline std::vector<std::string> DocumentationPdfs()
{
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator("/usr/share/doc", error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error)
            break;
        if (IsPdf(it->path()) && it->is_regular_file(error) && it->file_size(error) <= kMaxBytes)
            found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    found.resize(std::min(found.size(), static_cast<std::size_t>(kMaxFiles)));
    std::vector<std::string> paths;
    for (const auto& path : found) {
        if (path.extension() == ".pdf") {
            paths.push_back(path.string());
            continue;
        }
        // Cases running at the same time unpack the same files: each renames its own copy
        // into place.
        const std::string plain = ScratchPath("doc-" + path.parent_path().filename().string() + "-" + path.stem().string());
        const std::string copy = PrivateCopyOf(plain);
        if (RunTool("gunzip -c " + Quoted(path.string()) + " > " + Quoted(copy)).status == 0) {
            PutInPlace(copy, plain);
            paths.push_back(plain);
        }
    }
    return paths;
}

}  // namespace pdf::reader_testing
