// Checks a game log written by activation rolls against the tables the program rolled on.
//
// usage: activation_e2e_check LOG NATIONALITY_JSON TABLES_JSON PRESSES AC_NUMBER MODIFIER_TOTAL GAME_DATE
//
// The JSON files are dumps of the nationality file (for the game date) and of config.sco made by
// dorva-datac. The log was written with "See roll outcomes" on and a Hold attitude, so every unit line
// names the table and the dice that chose it, and each line can be traced to its table entry.
#include <nlohmann/json.hpp>

#include <algorithm>
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

std::string Visible(std::string text) {
    std::string out;
    for (char c : text) {
        out += c == '\r' ? std::string("<CR>") : c == '\n' ? std::string("<LF>") : std::string(1, c);
    }
    return out;
}

std::vector<std::string> List(const json& node) {
    std::vector<std::string> list;
    if (node.is_array()) {
        for (const json& entry : node) {
            list.push_back(ToLatin1(entry.get<std::string>()));
        }
    }
    return list;
}

std::string At(const std::vector<std::string>& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)]
                                                                       : std::string("<no entry>");
}

// The names a text with alternatives ("a[2] b[4] c[6] ") can give, and the text itself.
std::set<std::string> Alternatives(const std::string& text) {
    std::set<std::string> names{text};
    std::size_t start = 0;
    for (std::size_t bracket; (bracket = text.find('[', start)) != std::string::npos; start = bracket + 4) {
        names.insert(text.substr(start, bracket - start));
    }
    return names;
}

struct Tables {
    std::vector<std::vector<std::string>> squads;
    std::vector<std::string> leaders, weapons, afvs, gunsInside, gunsOutside, spgs, forts;
    int squadModifier = 0;
    int specialForceRows = 0;
};

bool IsSpecialForce(const Tables& t, int final) {
    const auto row = static_cast<std::size_t>(final + 1);
    return row < t.squads.size() && t.squads[row][3] == "1";
}

struct SquadSeen {
    bool any = false;
    bool firstSpecial = false;
    int special = 0, ordinary = 0;
};

bool CheckLine(const Tables& t, std::string line, SquadSeen& squads) {
    static const std::string rider = " as Rider (D6.2)";
    if (line.size() > rider.size() && line.compare(line.size() - rider.size(), rider.size(), rider) == 0) {
        line.resize(line.size() - rider.size());
    }
    if (line == "(no unit activated)") {
        return true;
    }
    std::smatch m;
    static const std::regex squad(R"(^(.*) \(x2 DR=(-?\d+)/(-?\d+)\)$)");
    static const std::regex leader(R"(^(.*) \(x3 DR=(\d+)\)$)");
    static const std::regex weapon(R"(^(.*) \(x4 DR=(\d+)\)$)");
    static const std::regex gun(R"(^(.*) \(x5 DR=(\d+)\) Gun (Inside|Outside)$)");
    static const std::regex spg(R"(^(.*) \(x6a DR=(\d+)\)$)");
    static const std::regex afv(R"(^(.*) \(x6 DR=(\d+)\)$)");
    static const std::regex fort(R"(^(.*) \(A5 dr=(\d)/(-?\d+)\)$)");
    if (std::regex_match(line, m, squad)) {
        const int rolled = std::stoi(m[2]), final = std::stoi(m[3]);
        const auto row = static_cast<std::size_t>(final + 1);
        if (final != rolled + t.squadModifier || row >= t.squads.size()) {
            return false;
        }
        const bool special = IsSpecialForce(t, final);
        if (!squads.any) {
            squads.any = true;
            squads.firstSpecial = special;
        }
        ++(special ? squads.special : squads.ordinary);
        return m[1] == t.squads[row][1] || m[1] == t.squads[row][2];
    }
    if (std::regex_match(line, m, leader)) {
        return m[1] == At(t.leaders, std::stoi(m[2]) + 1);
    }
    if (std::regex_match(line, m, weapon)) {
        return m[1] == At(t.weapons, std::stoi(m[2]) - 1);
    }
    if (std::regex_match(line, m, gun)) {
        return m[1] == At(m[3] == "Inside" ? t.gunsInside : t.gunsOutside, std::stoi(m[2]) - 1);
    }
    if (std::regex_match(line, m, spg)) {
        return m[1] == At(t.spgs, std::stoi(m[2]) - 1);
    }
    if (std::regex_match(line, m, afv)) {
        const int dr = std::stoi(m[2]);
        const std::string afvText = At(t.afvs, dr - 1), spgText = At(t.spgs, dr - 1);
        const std::string inner = m[1];
        // From the AFV table (one of its alternatives), or an SPG on a die of 5 or 6: an SPG text
        // with its own roll, one of its alternatives, or the AFV table again where the SPG table
        // refers to it.
        std::set<std::string> allowed = Alternatives(afvText);
        const std::set<std::string> spgNames = Alternatives(spgText);
        allowed.insert(spgNames.begin(), spgNames.end());
        allowed.insert(spgText + " (x6a DR=" + std::to_string(dr) + ")");
        allowed.insert(afvText + " (x6 DR=" + std::to_string(dr) + ")");
        return allowed.count(inner) > 0;
    }
    if (std::regex_match(line, m, fort)) {
        const int final = std::stoi(m[3]);
        return m[1] == At(t.forts, std::clamp(final, 0, 5) + 1);
    }
    return false;
}

// Entries of the log: a line that starts with a stamp of the first line's shape begins an entry; a
// line without one continues the entry before it (the inside and outside lines of a gun are joined
// by a carriage return and a line feed).
std::vector<std::string> Entries(const std::string& log) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < log.size();) {
        const std::size_t end = log.find("\r\n", start);
        if (end == std::string::npos) {
            Fail("the log does not end in a carriage return and line feed");
            lines.push_back(log.substr(start));
            break;
        }
        lines.push_back(log.substr(start, end - start));
        start = end + 2;
    }
    std::vector<std::string> entries;
    if (lines.empty()) {
        return entries;
    }
    const std::size_t stampEnd = lines.front().find(": ");
    if (stampEnd == std::string::npos) {
        Fail("the first log line has no stamp: " + Visible(lines.front()));
        return entries;
    }
    std::string pattern = "^";
    const std::string stamp = lines.front().substr(0, stampEnd);
    for (std::size_t i = 0; i < stamp.size();) {
        const char c = stamp[i];
        std::size_t j = i;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            while (j < stamp.size() && std::isdigit(static_cast<unsigned char>(stamp[j]))) {
                ++j;
            }
            pattern += "[0-9]+";
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            while (j < stamp.size() && std::isalpha(static_cast<unsigned char>(stamp[j]))) {
                ++j;
            }
            pattern += "[A-Za-z]+";
        } else {
            ++j;
            pattern += std::string("\\") + c;
        }
        i = j;
    }
    const std::regex stamped(pattern + ": ");
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_search(line, m, stamped)) {
            entries.push_back(m.suffix());
        } else if (entries.empty()) {
            Fail("a log line without a stamp opens the log");
        } else {
            entries.back() += "\r\n" + line;
        }
    }
    return entries;
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
    if (argc != 8) {
        std::cerr << "usage: " << argv[0]
                  << " LOG NATIONALITY_JSON TABLES_JSON PRESSES AC_NUMBER MODIFIER_TOTAL GAME_DATE\n";
        return 2;
    }
    std::ifstream logFile(argv[1], std::ios::binary);
    const std::string log{std::istreambuf_iterator<char>(logFile), std::istreambuf_iterator<char>()};
    const json nationality = json::parse(std::ifstream(argv[2]));
    const json config = json::parse(std::ifstream(argv[3]));
    const int presses = std::stoi(argv[4]);
    const int acNumber = std::stoi(argv[5]);
    const int modifiers = std::stoi(argv[6]);
    const int gameDate = std::stoi(argv[7]);

    Tables t;
    for (const json& row : nationality.at("squads")) {
        std::vector<std::string> columns = List(row);
        columns.resize(5);
        t.squads.push_back(columns);
    }
    for (std::size_t i = 1; i < t.squads.size(); ++i) {
        t.specialForceRows += t.squads[i][3] == "1" ? 1 : 0;
    }
    for (const json& period : nationality.at("periods")) {
        if (period.at(0).get<int>() <= gameDate && gameDate <= period.at(1).get<int>()) {
            t.squadModifier = period.at(2).get<int>();
        }
    }
    t.leaders = List(nationality.value("03", json()));
    t.weapons = List(nationality.value("04", json()));
    t.afvs = List(nationality.value("06", json()));
    t.gunsInside = List(nationality.value("5I", json()));
    t.gunsOutside = List(nationality.value("5O", json()));
    t.spgs = List(nationality.value("6A", json()));
    t.forts = List(config.at("A5"));

    const std::vector<std::string> entries = Entries(log);
    if (static_cast<int>(entries.size()) != presses) {
        Fail("the log holds " + std::to_string(entries.size()) + " entries for " + std::to_string(presses) +
             " presses");
    }

    int autoRemoved = 0, removed = 0, activated = 0, unitLines = 0;
    SquadSeen squads;
    for (const std::string& entry : entries) {
        if (entry == "Suspect Counter Automatically Removed") {
            ++autoRemoved;
            continue;
        }
        if (entry == "(S? removed)") {
            ++removed;
            continue;
        }
        ++activated;
        std::size_t start = 0;
        while (start <= entry.size()) {
            std::size_t end = entry.find('\r', start);
            if (end == std::string::npos) {
                end = entry.size();
            }
            std::string line = entry.substr(start, end - start);
            if (!line.empty() && line.front() == '\n') {
                line.erase(0, 1);
            }
            ++unitLines;
            if (!CheckLine(t, line, squads)) {
                Fail("not a unit line of the tables: \"" + Visible(line) + "\" in \"" + Visible(entry) +
                     "\"");
            }
            start = end + 1;
        }
    }

    // A natural 6 removes and a natural 1 activates; the others meet the AC number with the modifiers.
    int activatingFaces = 1;
    for (int die = 2; die <= 5; ++die) {
        activatingFaces += die + modifiers <= acNumber ? 1 : 0;
    }
    const int n = static_cast<int>(entries.size());
    CheckCount("automatically removed", autoRemoved, n, 1.0 / 6.0);
    CheckCount("activated", activated, n, activatingFaces / 6.0);
    CheckCount("removed", removed, n, (5 - activatingFaces) / 6.0);
    std::cout << "unit lines: " << unitLines << "; squads: " << squads.ordinary << " ordinary, "
              << squads.special << " special force\n";

    // The first squad after the screen applied the nationality decides the special-force use for the
    // rest of the game.
    if (t.specialForceRows > 0 && squads.any) {
        if (squads.firstSpecial && squads.ordinary > 0) {
            Fail("special forces are in use, yet ordinary squads were drawn");
        }
        if (!squads.firstSpecial && squads.special > 0) {
            Fail("special forces are excluded, yet special-force squads were drawn");
        }
    }
    if (failures > 0) {
        std::cerr << failures << " failure(s)\n";
        return 1;
    }
    std::cout << "the log fits the tables and the AC number\n";
    return 0;
}
