#pragma once
// Where the program finds its support files.

#include <filesystem>
#include <string>
#include <string_view>

namespace dorva::data {

inline constexpr std::string_view kSupportFolder = "DORVA_Support";

// "DORVA_Support/<fileName>": the path as the program builds it and as messages show it.
std::string SupportPath(std::string_view fileName);

// Where a path built by SupportPath really is: a relative path resolves against gProgramFolder,
// so the program works from any working directory.
std::filesystem::path ResolveSupportPath(const std::string& path);

// Whether a file exists at a path built by SupportPath.
bool SupportFileExists(const std::string& path);

// Reads a whole file as single-byte text; false (and no bytes) when it cannot be read.
bool ReadFileBytes(const std::filesystem::path& file, std::string& bytes);

} // namespace dorva::data
