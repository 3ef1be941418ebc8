#pragma once
// Builders of support files for tests, written straight from the byte layouts, and a support folder
// of a test's own.

#include "data/State.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace dorva::test {

inline constexpr char kSection = 31;
inline constexpr char kField = 30;
inline constexpr char kVariant = 29;

// A number right-aligned in width characters with leading zeros ("07", "016").
inline std::string Count(int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return digits;
}

inline std::string Fields(const std::vector<std::string>& fields) {
    std::string out;
    for (const std::string& f : fields) {
        out += f;
        out += kField;
    }
    return out;
}

// config.sco
class TableFileBuilder {
public:
    explicit TableFileBuilder(std::string header = "DV") : bytes_(std::move(header)) {}
    TableFileBuilder& List(const std::string& code, const std::vector<std::string>& entries) {
        bytes_ += kSection + code + Count(static_cast<int>(entries.size()), 2) + Fields(entries);
        return *this;
    }
    TableFileBuilder& Grid(const std::string& code, const std::vector<std::vector<std::string>>& rows) {
        const int columns = rows.empty() ? 0 : static_cast<int>(rows.front().size());
        bytes_ += kSection + code + Count(static_cast<int>(rows.size()), 2) + Count(columns, 2);
        for (const auto& row : rows) {
            bytes_ += Fields(row);
        }
        return *this;
    }
    TableFileBuilder& Raw(const std::string& bytes) {
        bytes_ += bytes;
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

struct SquadRowSpec {
    char cls;
    char special; // '1' marks a special-force squad
    std::string first, second;
};
struct PeriodSpec {
    int from, to;
    std::string modifier; // 2 characters, e.g. "-1" or " 1"
};

// <Nationality>.sdf
class NationalityFileBuilder {
public:
    explicit NationalityFileBuilder(std::string tag = "01", std::string header = "SD")
        : bytes_(std::move(header) + std::move(tag)) {}
    // Starts a section with its first variant's date.
    NationalityFileBuilder& Section(const std::string& code, int date) {
        bytes_ += kSection + code + std::to_string(date);
        return *this;
    }
    // Starts a further variant of the current section.
    NationalityFileBuilder& Variant(int date) {
        bytes_ += kVariant + std::to_string(date);
        return *this;
    }
    NationalityFileBuilder& Texts(const std::vector<std::string>& entries) {
        bytes_ += Count(static_cast<int>(entries.size()), 3) + Fields(entries);
        return *this;
    }
    NationalityFileBuilder& Squads(const std::vector<SquadRowSpec>& rows,
                                   const std::vector<PeriodSpec>& periods) {
        bytes_ += Count(static_cast<int>(rows.size()), 3);
        for (const auto& r : rows) {
            bytes_ += r.cls;
            bytes_ += r.special;
            bytes_ += r.first + kField + r.second + kField;
        }
        bytes_ += std::to_string(periods.size());
        for (const auto& p : periods) {
            bytes_ += std::to_string(p.from) + std::to_string(p.to) + p.modifier;
        }
        return *this;
    }
    NationalityFileBuilder& Raw(const std::string& bytes) {
        bytes_ += bytes;
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// A program folder of the test's own with a DORVA_Support folder in it; gProgramFolder points at it
// while the object lives.
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
