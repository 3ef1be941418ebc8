#include "data/SupportFolder.h"

#include "data/State.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace dorva::data {

std::string SupportPath(std::string_view fileName) {
    std::string path(kSupportFolder);
    path += '/';
    path += fileName;
    return path;
}

std::filesystem::path ResolveSupportPath(const std::string& path) {
    std::filesystem::path p(path);
    if (p.is_absolute() || gProgramFolder.empty()) {
        return p;
    }
    return gProgramFolder / p;
}

bool SupportFileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ResolveSupportPath(path), ec);
}

bool ReadFileBytes(const std::filesystem::path& file, std::string& bytes) {
    bytes.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace dorva::data
