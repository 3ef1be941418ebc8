// Checks the game log of an Alt+A run against the tables the program rolled on: one entry per press,
// each a removal text or unit lines whose names come from the nationality's tables (and the
// fortification table), and the three outcomes in proportions that fit the AC number and modifiers.
//
// usage: activation_e2e_check LOG NATIONALITY_JSON TABLES_JSON PRESSES AC_NUMBER MODIFIER_TOTAL
//
// The JSON files are dorva-datac dumps of the nationality file and of config.sco.
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

int failures = 0;

void Fail(const std::string& message) {
    if (++failures <= 20) {
        std::cerr << "FAIL: " << message << "\n";
    }
}

// The dumps are UTF-8; the log holds the program's single-byte (Latin-1) texts.
std::string ToLatin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xC0 && c < 0xE0 && i + 1 < utf8.size()) {
            out += static_cast<char>(((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// Every name the texts can give: each text whole and each of its alternatives ("a[2] b[4] c[6] ").
void AddNames(std::set<std::string>& names, const json& texts) {
    for (const json& entry : texts) {
        const std::string text = ToLatin1(entry.get<std::string>());
        names.insert(text);
        std::size_t start = 0;
        for (std::size_t bracket; (bracket = text.find('[', start)) != std::string::npos;
             start = bracket + 4) {
            names.insert(text.substr(start, bracket - start));
        }
    }
}

// The stamp's shape: digit runs and letter runs stand for any such run (dates and times vary).
std::string Shape(const std::string& stamp) {
    return std::regex_replace(std::regex_replace(stamp, std::regex("[0-9]+"), "0"), std::regex("[A-Za-z]+"),
                              "a");
}

// Entries of the log: a line opening with a stamp of the first line's shape begins one; any other line
// continues the entry before it (a gun's inside and outside lines are joined by CR LF).
std::vector<std::string> Entries(const std::string& log) {
    std::vector<std::string> entries;
    std::string shape;
    for (std::size_t start = 0, end; start < log.size(); start = end + 2) {
        if ((end = log.find("\r\n", start)) == std::string::npos) {
            Fail("the log does not end in a carriage return and line feed");
            end = log.size();
        }
        const std::string line = log.substr(start, end - start);
        const std::size_t colon = line.find(": ");
        if (shape.empty() && colon != std::string::npos) {
            shape = Shape(line.substr(0, colon));
        }
        if (colon != std::string::npos && Shape(line.substr(0, colon)) == shape) {
            entries.push_back(line.substr(colon + 2));
        } else if (entries.empty()) {
            Fail("the log does not open with a stamped line");
            return entries;
        } else {
            entries.back() += "\r\n" + line;
        }
    }
    return entries;
}

// A unit line without the see-roll, rider and gun-side additions is a name from the tables.
bool FromTables(const std::set<std::string>& names, std::string line) {
    static const std::regex addition(
        R"( (\((x[2-6]a?|A5) (DR|dr)=-?\d+(/-?\d+)?\)|as Rider \(D6\.2\)|Gun (Inside|Outside))$)");
    for (std::smatch m; std::regex_search(line, m, addition);) {
        line = m.prefix();
    }
    return names.count(line) > 0;
}

void CheckCount(const char* what, int count, int n, double p) {
    const double mean = n * p;
    const double bound = 4.0 * std::sqrt(n * p * (1.0 - p)) + 1.0;
    std::cout << what << ": " << count << " of " << n << " (expected about " << mean << ")\n";
    if (std::fabs(count - mean) > bound) {
        Fail(std::string(what) + ": " + std::to_string(count) + " is too far from " + std::to_string(mean));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::cerr << "usage: " << argv[0]
                  << " LOG NATIONALITY_JSON TABLES_JSON PRESSES AC_NUMBER MODIFIER_TOTAL\n";
        return 2;
    }
    std::ifstream logFile(argv[1], std::ios::binary);
    const std::string log{std::istreambuf_iterator<char>(logFile), std::istreambuf_iterator<char>()};
    const json nationality = json::parse(std::ifstream(argv[2]));
    const json config = json::parse(std::ifstream(argv[3]));
    const int presses = std::stoi(argv[4]), acNumber = std::stoi(argv[5]), modifiers = std::stoi(argv[6]);

    std::set<std::string> names{"(no unit activated)"};
    for (const json& row : nationality.at("squads")) {
        AddNames(names, json::array({row.at(1), row.at(2)}));
    }
    for (const char* code : {"03", "04", "06", "5I", "5O", "6A"}) {
        AddNames(names, nationality.value(code, json::array()));
    }
    AddNames(names, config.at("A5"));

    const std::vector<std::string> entries = Entries(log);
    const int n = static_cast<int>(entries.size());
    if (n != presses) {
        Fail("the log holds " + std::to_string(n) + " entries for " + std::to_string(presses) + " presses");
    }
    int autoRemoved = 0, removed = 0, activated = 0;
    for (const std::string& entry : entries) {
        if (entry == "Suspect Counter Automatically Removed") {
            ++autoRemoved;
        } else if (entry == "(S? removed)") {
            ++removed;
        } else {
            ++activated;
            for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
                end = entry.find('\r', start);
                std::string line = entry.substr(start, end == std::string::npos ? end : end - start);
                if (!line.empty() && line.front() == '\n') {
                    line.erase(0, 1);
                }
                if (!FromTables(names, line)) {
                    Fail("not a unit line of the tables: \"" + line + "\"");
                }
            }
        }
    }

    // A natural 6 removes and a natural 1 activates; the others meet the AC number with the modifiers.
    int activatingFaces = 1;
    for (int die = 2; die <= 5; ++die) {
        activatingFaces += die + modifiers <= acNumber ? 1 : 0;
    }
    CheckCount("automatically removed", autoRemoved, n, 1.0 / 6.0);
    CheckCount("activated", activated, n, activatingFaces / 6.0);
    CheckCount("removed", removed, n, (5 - activatingFaces) / 6.0);
    if (failures > 0) {
        std::cerr << failures << " failure(s)\n";
        return 1;
    }
    std::cout << "the log fits the tables and the AC number\n";
    return 0;
}
