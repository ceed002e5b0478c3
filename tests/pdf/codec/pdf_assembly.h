// A hand-assembled PDF file whose streams carry our encoders' output, and the
// command-line readers that check it.
#pragma once

#include "pdf/codec/filters.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace codectest {

// One page showing a text through the Helvetica font, then any number of extra stream
// objects (numbers 6 on), each with its filter entry.
class PdfAssembly {
public:
    void SetPageContent(const pdf::Bytes& encoded, const std::string& filter)
    {
        mContent = encoded;
        mContentFilter = filter;
    }

    // Returns the object number of the stream.
    int AddStream(const pdf::Bytes& encoded, const std::string& filter)
    {
        mStreams.push_back({encoded, filter});
        return 5 + static_cast<int>(mStreams.size());
    }

    void Save(const std::string& path) const
    {
        std::string file = "%PDF-1.4\n";
        std::vector<std::size_t> offsets;
        auto object = [&](const std::string& body) {
            offsets.push_back(file.size());
            file += std::to_string(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
        };
        auto stream = [&](const pdf::Bytes& data, const std::string& filter) {
            return "<< /Length " + std::to_string(data.size()) + " /Filter " + filter
                   + " >>\nstream\n" + std::string(data.begin(), data.end()) + "\nendstream";
        };
        object("<< /Type /Catalog /Pages 2 0 R >>");
        object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
        object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
               "/Resources << /Font << /F1 5 0 R >> >> >>");
        object(stream(mContent, mContentFilter));
        object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
               "/Encoding /WinAnsiEncoding >>");
        for (const auto& s : mStreams)
            object(stream(s.data, s.filter));

        std::size_t xref = file.size();
        file += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
        for (std::size_t offset : offsets) {
            char line[21];
            std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
            file += line;
        }
        file += "trailer\n<< /Size " + std::to_string(offsets.size() + 1)
                + " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        std::ofstream(path, std::ios::binary) << file;
    }

private:
    struct Stream {
        pdf::Bytes data;
        std::string filter;
    };
    pdf::Bytes mContent;
    std::string mContentFilter;
    std::vector<Stream> mStreams;
};

struct CommandResult {
    int status = -1;
    std::string output;
};

inline CommandResult RunCommand(const std::string& command)
{
    CommandResult result;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    result.status = pclose(pipe);
    return result;
}

inline std::string TestOutputPath(const std::string& name)
{
    std::string folder = QUORVANE_BUILD_DIR "/test-output";
    RunCommand("mkdir -p '" + folder + "'");
    return folder + "/" + name;
}

}  // namespace codectest
