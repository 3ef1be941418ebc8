#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using Rules = std::map<std::string, std::set<std::string>>;

const fs::path kSource =
    fs::path(std::getenv("DORVA_TEST_SOURCE_DIR") ? std::getenv("DORVA_TEST_SOURCE_DIR") : ".");

// The folder of the table that a path under src/ belongs to: the longest row that is a prefix.
std::string FolderOf(const std::string& path, const Rules& rules) {
    std::string best;
    for (const auto& [folder, allowed] : rules) {
        if (path.rfind(folder + "/", 0) == 0 && folder.size() > best.size()) {
            best = folder;
        }
    }
    return best;
}

bool IsLogic(const std::string& folder) {
    return folder != "ui" && folder.find('/') == std::string::npos;
}

// The rows between the two markers of the note: "| `folder` | `a`, `b` |".
Rules ReadRules() {
    std::ifstream note(kSource / "docs" / "architecture.md");
    Rules rules;
    const std::regex row(R"(^\| `([a-z/]+)` \|(.*)\|\s*$)"), name("`([a-z/]+)`");
    bool inside = false;
    for (std::string line; std::getline(note, line);) {
        if (line.find("<!-- include rules") != std::string::npos) {
            inside = true;
        } else if (line.find("<!-- end of include rules") != std::string::npos) {
            inside = false;
        } else if (std::smatch m; inside && std::regex_match(line, m, row)) {
            std::set<std::string>& allowed = rules[m[1]];
            const std::string list = m[2];
            for (std::sregex_iterator it(list.begin(), list.end(), name), end; it != end; ++it) {
                allowed.insert((*it)[1]);
            }
        }
    }
    return rules;
}

TEST(IncludeRules, EveryFileIncludesOnlyWhatItsFolderMay) {
    const auto rules = ReadRules();
    ASSERT_GE(rules.size(), 10u) << "the note's table of include rules was not found";
    const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kSource / "src")) {
        const std::string ext = entry.path().extension().string();
        const std::string path = fs::relative(entry.path(), kSource / "src").generic_string();
        if ((ext != ".h" && ext != ".cpp") || path == "app/main.cpp") {
            continue; // the program (main.cpp) includes the app layer's start-up
        }
        ++files;
        const std::string folder = FolderOf(path, rules);
        if (folder.empty()) {
            ADD_FAILURE() << path << ": its folder has no row in docs/architecture.md";
            continue;
        }
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            std::smatch m;
            if (!std::regex_search(line, m, include)) {
                continue;
            }
            const std::string target = m[2];
            if (m[1] == "<") {
                const bool qt = target.rfind("Q", 0) == 0 || target.rfind("qt", 0) == 0;
                EXPECT_FALSE(qt && IsLogic(folder)) << path << ": a logic file includes " << target;
                continue;
            }
            const std::string to = FolderOf(target, rules);
            EXPECT_FALSE(to.empty()) << path << " includes " << target
                                     << ", which is in no folder of the table";
            EXPECT_TRUE(to == folder || rules.at(folder).count(to)) << path << " may not include " << target;
        }
    }
    EXPECT_GT(files, 50);
}

TEST(IncludeRules, NoTwoFoldersIncludeEachOther) {
    const Rules rules = ReadRules();
    Rules reached = rules; // grows into the folders each folder includes, directly or through others
    for (const auto& [through, unused] : rules) {
        const std::set<std::string> onward = reached[through];
        for (auto& [folder, folders] : reached) {
            if (folders.count(through)) {
                folders.insert(onward.begin(), onward.end());
            }
        }
    }
    for (const auto& [folder, allowed] : rules) {
        EXPECT_FALSE(reached[folder].count(folder))
            << "the include rules of " << folder << " run in a circle";
        EXPECT_FALSE(IsLogic(folder) && (allowed.count("ui") || (folder != "app" && allowed.count("app"))))
            << folder << ": logic may not include the windows or the app layer";
    }
}

} // namespace
