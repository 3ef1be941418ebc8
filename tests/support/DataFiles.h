#pragma once
// Support files built straight from the byte layouts, not by the compiler, and a test's own folder.

#include "data/State.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace dorva::test {

inline constexpr char kSection = 31;
inline constexpr char kField = 30;
inline constexpr char kVariant = 29;

// A count in width digits with leading zeros ("07", "016").
inline std::string Counted(std::size_t count, std::size_t width) {
    const std::string digits = std::to_string(count);
    return std::string(width - std::min(width, digits.size()), '0') + digits;
}

inline std::string Fields(const std::vector<std::string>& fields) {
    std::string out;
    for (const std::string& f : fields) {
        out += f + kField;
    }
    return out;
}

struct TableFileBuilder {
    TableFileBuilder& List(const std::string& code, const std::vector<std::string>& entries) {
        bytes += kSection + code + Counted(entries.size(), 2) + Fields(entries);
        return *this;
    }
    TableFileBuilder& Grid(const std::string& code, const std::vector<std::vector<std::string>>& rows) {
        bytes += kSection + code + Counted(rows.size(), 2) + Counted(rows.empty() ? 0 : rows[0].size(), 2);
        for (const auto& row : rows) {
            bytes += Fields(row);
        }
        return *this;
    }
    std::string bytes = "DV";
};

struct NationalityFileBuilder {
    explicit NationalityFileBuilder(const std::string& tag = "01") : bytes("SD" + tag) {}
    // Starts a section with its first variant's date.
    NationalityFileBuilder& Section(const std::string& code, int date) {
        return Raw(kSection + code + std::to_string(date));
    }
    // Starts a further variant of the current section.
    NationalityFileBuilder& Variant(int date) { return Raw(kVariant + std::to_string(date)); }
    NationalityFileBuilder& Texts(const std::vector<std::string>& entries) {
        return Raw(Counted(entries.size(), 3) + Fields(entries));
    }
    NationalityFileBuilder& Raw(const std::string& more) {
        bytes += more;
        return *this;
    }
    std::string bytes;
};

// gProgramFolder points at a folder of the test's own while the object lives.
class SupportFolder {
public:
    SupportFolder() {
        static int counter = 0;
        root_ = std::filesystem::temp_directory_path() /
                ("dorva-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(root_ / "DORVA_Support");
        previous_ = data::gProgramFolder;
        data::gProgramFolder = root_;
    }
    ~SupportFolder() {
        data::gProgramFolder = previous_;
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    SupportFolder(const SupportFolder&) = delete;
    SupportFolder& operator=(const SupportFolder&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path File(const std::string& name) const { return root_ / "DORVA_Support" / name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    void Remove(const std::string& name) const { std::filesystem::remove(File(name)); }

private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
};

} // namespace dorva::test
