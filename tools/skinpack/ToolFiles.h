// Whole-file reads and writes for the skin tools, failing with a clear text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Raises ESkinToolError when the file cannot be read or is larger than limit.
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path, uintmax_t limit);
void WriteWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
// Runs a tool's body and turns its errors into a message on standard error
// and exit status 1.
int RunTool(const char* tool, int argc, char** argv, int arguments, const char* usage,
            int (*body)(char** argv));
