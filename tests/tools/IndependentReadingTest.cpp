// Independent reading: files the project has never seen, generated from the layout rules alone, are
// dumped by the real dorva-datac and compared with what a reader written here, apart from the
// program's readers, makes of them.
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr char kSectionByte = '\x1f';
constexpr char kFieldByte = '\x1e';
constexpr char kVariantByte = '\x1d';

// --- Generation from the layout rules ---

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

    // A text of any single-byte character except the three separators; often empty or with blanks.
    std::string Text() {
        std::string text;
        for (int i = Chance(15) ? 0 : Between(1, 14); i > 0; --i) {
            // blanks, high Latin-1 letters, control bytes below the separators, plain ASCII
            const int kinds[] = {' ', Between(0xA0, 0xFF), Between(1, 28), Between(32, 126)};
            text += static_cast<char>(kinds[Between(0, 3)]);
        }
        return text;
    }

    // A count right-aligned in width characters, padded with zeros or, now and then, blanks.
    std::string Count(int value, int width) {
        const std::string digits = std::to_string(value);
        return std::string(static_cast<std::size_t>(width) - digits.size(), Chance(30) ? ' ' : '0') + digits;
    }

    std::string Fields(int n) { return n > 0 ? Text() + kFieldByte + Fields(n - 1) : ""; }

    // Another letter case of a code with letters ("Ad" -> "AD", "ad", "aD"); the code itself when it
    // has none.
    std::string LookAlike(const std::string& code) {
        std::string other = code;
        for (int attempt = 0; attempt < 8 && other == code; ++attempt) {
            for (char& c : other) {
                c = std::isalpha(static_cast<unsigned char>(c)) && Chance(60) ? static_cast<char>(c ^ 0x20)
                                                                              : c;
            }
        }
        return other;
    }

    // A section of each code, now and then twice (the program reads the first in file order) or in
    // another letter case that must not be found, in random order.
    template <class Codes, class Add> std::string Sections(const Codes& codes, Add add) {
        std::vector<std::string> sections;
        for (const std::string& code : codes) {
            for (const auto& [percent, written] : {std::pair{85, code}, {20, code}, {20, LookAlike(code)}}) {
                if (Chance(percent)) {
                    sections.push_back(kSectionByte + written + add(code));
                }
            }
        }
        std::shuffle(sections.begin(), sections.end(), random_);
        return std::accumulate(sections.begin(), sections.end(), std::string());
    }

    // Now and then the file is cut short somewhere after its header.
    std::string MaybeTruncated(std::string bytes, std::size_t keep) {
        if (bytes.size() > keep && Chance(20)) {
            bytes.resize(
                static_cast<std::size_t>(Between(static_cast<int>(keep), static_cast<int>(bytes.size()))));
        }
        return bytes;
    }

private:
    std::mt19937 random_;
};

const std::array<std::string, 14> kListCodes = {"A1", "A5", "HR", "4A", "4B", "4C", "3A",
                                                "3B", "3C", "3D", "3E", "CC", "Ad", "Hd"};
const std::array<std::string, 2> kGridCodes = {"IF", "9E"};
const std::array<std::string, 7> kTextCodes = {"01", "03", "04", "06", "5I", "5O", "6A"};

// Enough files to meet every case below many times over, few enough to stay quick under sanitizers.
constexpr unsigned kTableFiles = 30;
constexpr unsigned kNationalityFiles = 20;

std::string GenerateTableFile(Generator& g) {
    std::vector<std::string> codes(kListCodes.begin(), kListCodes.end());
    codes.insert(codes.end(), kGridCodes.begin(), kGridCodes.end());
    const std::string sections = g.Sections(codes, [&](const std::string& code) {
        if (code == "IF" || code == "9E") {
            const int rows = g.Between(0, 6), columns = g.Between(0, 5);
            return g.Count(rows, 2) + g.Count(columns, 2) + g.Fields(rows * columns);
        }
        const int n = g.Chance(15) ? 0 : g.Between(1, 12);
        return g.Count(n, 2) + g.Fields(n);
    });
    return g.MaybeTruncated((g.Chance(10) ? std::string(1, kSectionByte) + "A" : "DV") + sections, 2);
}

std::string GenerateNationalityFile(Generator& g) {
    static const int kDates[] = {193912, 194112, 194206, 194312, 194412, 194512, 194612, 194701, 194912};
    std::vector<std::string> codes(kTextCodes.begin(), kTextCodes.end());
    codes.push_back("02");
    const std::string sections = g.Sections(codes, [&](const std::string& code) {
        std::string out;
        int first = g.Between(0, 5);
        const int count = g.Between(1, 3);
        for (int v = 0; v < count && first < 9; ++v, first += g.Between(1, 2)) {
            out += (v > 0 ? std::string(1, kVariantByte) : std::string()) + std::to_string(kDates[first]);
            if (code != "02") {
                const int n = g.Chance(15) ? 0 : g.Between(1, 10);
                out += g.Count(n, 3) + g.Fields(n);
                continue;
            }
            const int n = g.Between(0, 8);
            out += g.Count(n, 3);
            for (int i = 0; i < n; ++i) {
                out += std::string{"E12CG"[g.Between(0, 4)], g.Chance(20) ? '1' : '0'} + g.Fields(2);
            }
            const int m = g.Between(0, 3);
            out += std::to_string(m);
            for (int j = 0; j < m; ++j) {
                const std::string modifier = std::to_string(g.Between(-9, 12));
                out += std::to_string(kDates[g.Between(0, 4)]) + std::to_string(kDates[g.Between(4, 8)]) +
                       (modifier.size() < 2 ? " " + modifier : modifier);
            }
        }
        return out;
    });
    const std::string header = "SD" + std::string(1, static_cast<char>(g.Between(0x30, 0x39))) +
                               static_cast<char>(g.Between(0x41, 0x5A));
    return g.MaybeTruncated(header + sections, 4);
}

// --- The independent reader ---

std::string Utf8(const std::string& latin1) {
    std::string out;
    for (const unsigned char c : latin1) {
        out += c < 0x80
                   ? std::string(1, static_cast<char>(c))
                   : std::string{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    return out;
}

// Reads bytes from a position onwards, never past the end.
struct Reader {
    const std::string& bytes;
    std::size_t at; // index of the next byte

    std::string Take(std::size_t n) {
        std::string out = at < bytes.size() ? bytes.substr(at, n) : std::string();
        at = std::min(bytes.size(), at + n);
        return out;
    }
    // blanks, a sign, digits; anything else ends the number
    int Number(std::size_t width) {
        const std::string text = Take(width) + '.'; // the dot ends every number
        std::size_t i = text.find_first_not_of(' ');
        const int sign = text[i] == '-' ? -1 : 1;
        int value = 0;
        for (i += text[i] == '-' || text[i] == '+'; std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
            value = value * 10 + (text[i] - '0');
        }
        return sign * value;
    }
    bool More() const { return at < bytes.size(); }
    std::string Field() {
        const std::size_t end = bytes.find(kFieldByte, at);
        const std::string out =
            bytes.substr(std::min(at, bytes.size()), end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? bytes.size() : end + 1;
        return out;
    }
    // Entry 0 and n entries, empty past the end.
    json Entries(int n) {
        json entries = json::array({""});
        for (int k = 1; k <= n; ++k) {
            entries.push_back(More() ? Utf8(Field()) : std::string());
        }
        return entries;
    }
};

// Index of the first byte of the data of the first section with this code, after a header of
// headerLength bytes.
std::optional<std::size_t> SectionData(const std::string& bytes, const std::string& code,
                                       std::size_t headerLength) {
    // the code after a marker is never itself searched
    for (std::size_t m = bytes.find(kSectionByte, headerLength); m != std::string::npos;
         m = bytes.find(kSectionByte, m + 3)) {
        if (bytes.compare(m + 1, 2, code) == 0 && m + 3 <= bytes.size()) {
            return m + 3;
        }
    }
    return std::nullopt;
}

json ExpectedTableDump(const std::string& bytes) {
    json out = json::object();
    for (const std::string& code : kListCodes) {
        Reader r{bytes, SectionData(bytes, code, 2).value_or(bytes.size())};
        const int n = r.More() ? std::max(0, r.Number(2)) : 0;
        const bool alwaysThere = code == "A1" || code == "A5" || code == "HR";
        out[code] = n > 0 ? r.Entries(n) : alwaysThere ? json::array({""}) : json(nullptr);
    }
    for (const std::string& code : kGridCodes) {
        const std::optional<std::size_t> data = SectionData(bytes, code, 2);
        Reader r{bytes, data.value_or(bytes.size())};
        const int rows = std::max(0, r.Number(2)), columns = std::max(0, r.Number(2));
        json grid = json::array();
        for (int row = 0; row <= rows; ++row) {
            grid.push_back(json::array());
            for (int column = 0; column <= columns; ++column) {
                grid.back().push_back(row < rows && column < columns && r.More() ? Utf8(r.Field()) : "");
            }
        }
        out[code] = data ? grid : json(nullptr);
    }
    return out;
}

// Index of the data of the first variant of the first section with this code that is dated no
// earlier than the game date; a later section marker ends the variants of a section.
std::optional<std::size_t> VariantData(const std::string& bytes, const std::string& code, int gameDate) {
    // Not found reads as a section with no variants at the end of the file.
    Reader r{bytes, SectionData(bytes, code, 4).value_or(bytes.size())};
    for (char c = kVariantByte; c != kSectionByte; c = r.More() ? bytes[r.at++] : kSectionByte) {
        if (c == kVariantByte && r.Number(6) >= gameDate) {
            return r.at;
        }
    }
    return std::nullopt;
}

json ExpectedNationalityDump(const std::string& bytes, int gameDate) {
    json out = json::object();
    out["tag"] = Utf8(bytes.size() > 2 ? bytes.substr(2, 2) : std::string());
    json& squads = out["squads"] = json::array();
    json& periods = out["periods"] = json::array({json::array({0, 0, 0})});
    if (const std::optional<std::size_t> data = VariantData(bytes, "02", gameDate)) {
        Reader r{bytes, *data};
        const int n = std::max(0, r.Number(3));
        squads.push_back(json::array({"", "", "", "", ""}));
        // Past the end every read gives an empty text or 0, as the program's reader does.
        for (int i = 1; i <= n; ++i) {
            const std::string cls = r.Take(1), special = r.Take(1), first = r.Field(), second = r.Field();
            squads.push_back(json::array({"", Utf8(first), Utf8(second), Utf8(special), Utf8(cls)}));
        }
        const int m = std::max(0, r.Number(1));
        for (int j = 1; j <= m; ++j) {
            periods.push_back(json::array({r.Number(6), r.Number(6), r.Number(2)})); // read in list order
        }
    } else {
        for (int i = 0; i <= 15; ++i) {
            squads.push_back(json::array({"", "(Squad)", "(Half squad)", "0", "1"}));
        }
    }
    for (const std::string& code : kTextCodes) {
        const std::optional<std::size_t> data = VariantData(bytes, code, gameDate);
        Reader r{bytes, data.value_or(0)};
        out[code] = data ? r.Entries(std::max(0, r.Number(3))) : json::array({"Table not found", ""});
    }
    return out;
}

// --- Running the real binary ---

// Writes the bytes to a file of this name and returns what `dorva-datac dump` makes of it.
json Dump(const std::string& name, const std::string& bytes, const std::string& options = "") {
    const fs::path file =
        fs::temp_directory_path() / ("dorva-independent-" + std::to_string(::getpid()) + name);
    std::ofstream(file, std::ios::binary) << bytes;
    const std::string command = std::string(DORVA_DATAC) + " dump " + options + file.string();
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    EXPECT_EQ(pipe ? ::pclose(pipe) : -1, 0) << command;
    fs::remove(file);
    return json::parse(output, nullptr, false);
}

// Every table of the expected dump, and nothing more.
void ExpectSameDump(const json& dumped, const json& expected, const std::string& where) {
    for (const auto& [key, value] : expected.items()) {
        EXPECT_EQ(dumped[key], value) << where << ", " << key;
    }
    EXPECT_EQ(dumped.size(), expected.size()) << where;
}

TEST(IndependentReading, TableFilesReadAsTheLayoutSays) {
    for (unsigned seed = 1; seed <= kTableFiles; ++seed) {
        Generator g(seed);
        const std::string bytes = GenerateTableFile(g);
        ExpectSameDump(Dump(".sco", bytes), ExpectedTableDump(bytes), "seed " + std::to_string(seed));
    }
}

TEST(IndependentReading, NationalityFilesReadAsTheLayoutSays) {
    const int dates[] = {193801, 194206, 194312, 194612, 194701};
    for (unsigned seed = 1; seed <= kNationalityFiles; ++seed) {
        Generator g(1000 + seed);
        const std::string bytes = GenerateNationalityFile(g);
        for (int pick = 0; pick < 2; ++pick) {
            const int date = dates[g.Between(0, 4)];
            ExpectSameDump(Dump(".sdf", bytes, "--date " + std::to_string(date) + " "),
                           ExpectedNationalityDump(bytes, date),
                           "seed " + std::to_string(seed) + ", date " + std::to_string(date));
        }
    }
}

// The generators must reach the cases that matter, or the comparison above proves little.
TEST(IndependentReadingCoverage, GeneratedFilesHoldTheInterestingCases) {
    int duplicates = 0, lookAlikes = 0, blanks = 0, empties = 0, truncated = 0, laterVariants = 0,
        notFound = 0;
    for (unsigned seed = 1; seed <= kNationalityFiles; ++seed) {
        Generator g(1000 + seed);
        const std::string bytes = GenerateNationalityFile(g);
        laterVariants += bytes.find(kVariantByte) != std::string::npos;
        notFound += ExpectedNationalityDump(bytes, 194701)["6A"][0] == "Table not found";
    }
    for (unsigned seed = 1; seed <= kTableFiles; ++seed) {
        Generator g(seed);
        const std::string bytes = GenerateTableFile(g);
        std::set<std::string> seen;
        for (std::size_t at = bytes.find(kSectionByte, 2); at != std::string::npos && at + 4 <= bytes.size();
             at = bytes.find(kSectionByte, at + 1)) {
            const std::string code = bytes.substr(at + 1, 2);
            duplicates += !seen.insert(code).second;
            for (const std::string& real : kListCodes) {
                lookAlikes += code != real && strcasecmp(code.c_str(), real.c_str()) == 0;
            }
            blanks += bytes[at + 3] == ' ';
        }
        empties += bytes.find(std::string(2, kFieldByte)) != std::string::npos;
        truncated += bytes.back() != kFieldByte && !seen.empty();
    }
    EXPECT_GT(duplicates, 5);
    EXPECT_GT(lookAlikes, 10);
    EXPECT_GT(blanks, 2);
    EXPECT_GT(empties, 10);
    EXPECT_GT(truncated, 2);
    EXPECT_GT(laterVariants, 10);
    EXPECT_GT(notFound, 5);
}

} // namespace
