// What a command prints on its standard output, for the benchmarks that let a peer tool
// judge the files they write.
#pragma once

#include <cstdio>
#include <string>

namespace bench {

// Empty when the command cannot run or fails.
inline std::string CommandOutput(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        output.append(chunk, n);
    return pclose(pipe) == 0 ? output : std::string();
}

}  // namespace bench
