#include "setup/NationalityList.h"

#include "data/SupportFolder.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace dorva::setup {
namespace {

bool EndsWithSdf(const std::string& fileName) {
    // Matched exactly: the reader opens "<name>.sdf", so a file spelt ".SDF" could not be opened
    // on a case-sensitive file system once chosen.
    static const std::string kExtension = ".sdf";
    return fileName.size() >= kExtension.size() &&
           fileName.compare(fileName.size() - kExtension.size(), kExtension.size(), kExtension) == 0;
}

// Alphabetical as the player reads it: letters compare without case, ties fall back to the bytes.
bool FileNameBefore(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    };
    const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                   [&](char x, char y) { return lower(x) < lower(y); });
    const bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                      [&](char x, char y) { return lower(x) < lower(y); });
    if (less || greater) {
        return less;
    }
    return a < b;
}

} // namespace

std::vector<std::string> ListNationalities(const std::filesystem::path& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        std::string name = it->path().filename().string();
        if (EndsWithSdf(name)) {
            files.push_back(std::move(name));
        }
    }
    std::sort(files.begin(), files.end(), FileNameBefore);
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const std::string& file : files) {
        names.push_back(file.substr(0, file.find('.')));
    }
    return names;
}

std::vector<std::string> ListSupportNationalities() {
    return ListNationalities(data::ResolveSupportPath(std::string(data::kSupportFolder)));
}

std::string NationalityEntry(const std::string& name) {
    return "vs. " + name;
}

std::string NationalityOfEntry(const std::string& entry) {
    static const std::string kPrefix = "vs. ";
    const std::size_t at = entry.find(kPrefix);
    if (at == std::string::npos) {
        return entry;
    }
    return entry.substr(at + kPrefix.size());
}

} // namespace dorva::setup
