#include "data/SupportFolder.h"

#include "data/State.h"

#include <fstream>
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
    // One read of the whole file: the recogniser's dictionary runs to megabytes, and a character at a
    // time would cost start-up several milliseconds. A folder has no size and is no file to read.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    std::ifstream in(file, std::ios::binary);
    if (ec || !in) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    // A file that shrank while being read keeps what was there.
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

} // namespace dorva::data
