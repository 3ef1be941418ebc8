#include "Build.h"
#include "Compile.h"
#include "data/NationalityFile.h"
#include "data/TableFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>
#include <unistd.h>

using namespace dorva;
using namespace dorva::datac;
namespace fs = std::filesystem;

namespace {

std::string Nationality(const std::string& toml) {
    return CompileNationalityFile(Source::ParseText(toml, "nationalities/N.toml"));
}

std::string Repeat(const std::string& item, int n) {
    return n > 0 ? item + Repeat(item, n - 1) : "";
}

TEST(TableFileRoundTrip, ListsAndGridsReadBackAsWritten) {
    const std::string bytes = CompileTableFile(Source::ParseText(R"(header = "DV"
grid = [{ code = "IF", cells = [["a", "b"], ["", "d"], ["é", "f g"]] }]
list = [{ code = "Ad", entries = ["one", "", "three"] }, { code = "4A", entries = [] },
        { code = "HR", entries = [)" + Repeat("\"e\",", 98) + "\"last\"] }]\n",
                                                                 "config.toml"));
    // Sections stand in source order: the grid first.
    EXPECT_EQ(bytes.substr(0, 5), "DV\x1fIF");
    const auto list = [&bytes](const char* code) {
        data::ListTable table{"stale"};
        data::ReadListSection(bytes, data::LocateTableSection(bytes, code).value(), table, true);
        return table;
    };
    EXPECT_TRUE(list("4A").empty());
    EXPECT_EQ(list("Ad"), (data::ListTable{"", "one", "", "three"}));
    ASSERT_EQ(list("HR").size(), 100u);
    EXPECT_EQ(list("HR")[99], "last");
    data::GridTable grid;
    data::ReadGridSection(bytes, data::LocateTableSection(bytes, "IF").value(), grid);
    EXPECT_EQ(grid.rows * 10 + grid.columns, 32);
    EXPECT_EQ(grid.cells,
              (std::vector<std::string>{"a", "b", "", "", "d", "", "\xe9", "f g", "", "", "", ""}));
}

TEST(NationalityRoundTrip, TextVariantsSquadsAndPeriodsReadBack) {
    const std::string bytes = Nationality(R"(
header = "SD"
tag = "07"
[[section]]
code = "04"
variant = [{ date = 194112, entries = ["LMG", ""] }, { date = 194612, entries = [] }]
[[section]]
code = "02"
  [[section.variant]]
  date = 194612
  rows = [{ class = "E", special = true, first = "Élite 6-5-8", second = "HS 3-3-8" },
          { class = "G", special = false, first = "Green 3-3-6", second = "" }]
  periods = [{ from = 193801, to = 194012, modifier = -1 }, { from = 194301, to = 194612, modifier = 12 },
             { from = 194101, to = 194112, modifier = 3 }]
)");
    EXPECT_EQ(bytes.substr(0, 4), "SD07");
    std::string tag;
    data::ListTable sw;
    data::ReadNationalityTable(std::string_view(bytes),
                               data::FindNationalitySection(bytes, "04", 194001, tag), sw);
    EXPECT_EQ(sw, (data::ListTable{"", "LMG", ""}));
    data::ReadNationalityTable(std::string_view(bytes),
                               data::FindNationalitySection(bytes, "04", 194306, tag), sw);
    EXPECT_EQ(sw, data::ListTable{""});
    data::SquadTable squads;
    std::vector<data::SquadModifierPeriod> periods;
    data::ReadSquadSection(bytes, data::FindNationalitySection(bytes, "02", 194306, tag), squads, periods);
    EXPECT_EQ(squads,
              (data::SquadTable{
                  {}, {"", "\xc9lite 6-5-8", "HS 3-3-8", "1", "E"}, {"", "Green 3-3-6", "", "0", "G"}}));
    ASSERT_EQ(periods.size(), 4u);
    // The 3 is written " 3".
    EXPECT_EQ(std::vector<int>({periods[1].FromDate, periods[1].ToDate, periods[1].Modifier,
                                periods[2].Modifier, periods[3].Modifier}),
              std::vector<int>({193801, 194012, -1, 12, 3}));
    // Squads without periods write a period count of 0.
    EXPECT_EQ(Nationality("header = \"SD\"\ntag = \"01\"\n[[section]]\ncode = \"02\"\n[[section.variant]]\n"
                          "date = 194612\nrows = []\n"),
              std::string("SD01\x1f") + "02" + "194612" + "000" + "0");
}

TEST(CommandsCompiler, GrammarAndListFromOneSource) {
    const CommandFiles files = CompileCommands(Source::ParseText(R"(
intro = """
Speak clearly.
Wait for the beep."""
rule = [
  { name = "rolldice", help = "Roll two dice", say = ["roll dice", "roll two dice"] },
  { name = "AttackWithDRM", help = "Attack with a modifier", pattern = "attack at {firepower} {sign} {modifier}" },
  { name = "AttackWithoutDRM", help = "Attack", pattern = "fire {firepower} even" },
  { name = "actionsiftlookup", screen = "Actions screen", help = "Look up", pattern = "fire table {dr}" },
  { name = "actionsdirection", screen = "Actions screen", help = "Direction", say = ["direction roll"] },
  { name = "closecombatntc", screen = "Close-combat screen", help = "NTC", say = ["task check"] },
]
firepower = [{ say = "two", value = 2, column = 1 }, { say = "twelve", value = 12, column = 10 }]
modifier = [{ say = "three", value = 3 }]
dr = [{ say = "two", value = 2 }, { say = "twelve", value = 12 }]
)",
                                                                 "commands.toml"),
                                               11);
    EXPECT_EQ(
        files.grammar.substr(files.grammar.find("\nrule ") + 1),
        "rule rolldice\n  roll dice\n  roll two dice\n"
        "rule AttackWithDRM\n  attack at two minus three = 0201 -1 3\n  attack at two plus three = 0201 1 3\n"
        "  attack at twelve minus three = 1210 -1 3\n  attack at twelve plus three = 1210 1 3\n"
        "rule AttackWithoutDRM\n  fire two even = 0201\n  fire twelve even = 1210\n"
        "rule actionsiftlookup\n  fire table two = 2\n  fire table twelve = 12\n"
        "rule actionsdirection\n  direction roll\nrule closecombatntc\n  task check\n");
    EXPECT_EQ(files.whatCanISay,
              "Speak clearly.\r\nWait for the beep.\r\n\r\n"
              "Roll two dice\r\n    roll dice\r\n    roll two dice\r\n\r\n"
              "Attack with a modifier\r\n    attack at <firepower> <minus or plus> <modifier>\r\n\r\n"
              "Attack\r\n    fire <firepower> even\r\n\r\n"
              "Actions screen\r\n--------------\r\n\r\n"
              "Look up\r\n    fire table <DR>\r\n\r\n"
              "Direction\r\n    direction roll\r\n\r\n"
              "Close-combat screen\r\n-------------------\r\n\r\n"
              "NTC\r\n    task check\r\n\r\n"
              "<firepower> is one of: two, twelve\r\n"
              "<modifier> is one of: three\r\n"
              "<DR> is one of: two, twelve\r\n");
}

TEST(CompilerMistakes, ReportedWithFileAndLine) {
    using Mistake = std::tuple<char, std::string, std::uint32_t, const char*>;
    const std::string dv = "header = \"DV\"\n", list = dv + "[[list]]\ncode = \"A1\"\n"; // lines 1-3
    const std::string section = "[[section]]\ncode = \"03\"\n",
                      sd = "header = \"SD\"\ntag = \"01\"\n" + section;
    const auto variant = [](const char* date) {
        return "[[section.variant]]\ndate = " + std::string(date) + "\n";
    };
    const std::string v = variant("194612"),
                      squads = "header = \"SD\"\ntag = \"01\"\n[[section]]\ncode = \"02\"\n" + v;
    const auto row = [&](const char* cls, const char* special) { // squads + row: lines 1-8
        return squads + "rows = [\n{ class = \"" + cls + "\", special = " + special +
               ", first = \"a\", second = \"b\" }]\n";
    };
    const auto period = [&](const std::string& from, const char* modifier) {
        return row("E", "false") + "periods = [\n{ from = " + from + ", to = 194012, modifier = " + modifier +
               " }]\n";
    };
    const std::string rule = "[[rule]]\nname = \"rolldice\"\nhelp = \"x\"\n";
    // clang-format off
    const Mistake mistakes[] = {
        {'t', dv + "[[list]\n", 2, ""}, {'t', "header = \"DVX\"\n", 1, "exactly 2 characters"},
        {'t', "[[list]]\ncode = \"A1\"\nentries = []\n", 1, "has no \"header\""},
        {'t', dv + "[[list]]\ncode = \"AD\"\n", 3, "unknown section code"}, {'t', dv + "[[list]]\ncode = \"IF\"\n", 3, "[[grid]]"},
        {'t', list + "entries = []\n" + list.substr(dv.size()) + "entries = []\n", 6, "already stands at line 2"},
        {'t', list + "entries = [\n\"a\\u001Eb\"]\n", 5, "byte 30"}, {'t', list + "entries = [\"\xe2\x82\xac\"]\n", 4, "U+20AC"},
        {'t', list + "entries = [" + Repeat("\"x\",", 100) + "]\n", 4, "at most 99"},
        {'t', dv + "[[grid]]\ncode = \"9E\"\ncells = [\n[\"a\", \"b\"],\n[\"c\"]]\n", 6, "row 1 has 1 cells"},
        {'t', list + "entries = []\ncells = []\n", 5, "unknown key \"cells\""}, {'t', list + "entries = [1]\n", 4, "must be a text"},
        {'n', "header = \"SD\"\ntag = \"01\"\n[[section]]\ncode = \"07\"\n", 4, "unknown section code"},
        {'n', sd + variant("194512") + "entries = []\n", 6, "must be 194612 or later"},
        {'n', sd + variant("194306") + "entries = []\n" + variant("194306") + "entries = []\n", 9, "dates must rise"},
        {'n', sd + variant("194613") + "entries = []\n", 6, "not a date"}, {'n', sd + "variant = []\n", 5, "has no variant"},
        {'n', sd + v + "entries = [" + Repeat("\"x\",", 1000) + "]\n", 7, "at most 999"},
        {'n', sd + v + "entries = []\n" + section + v + "entries = []\n", 9, "already stands at line 3"},
        {'n', row("X", "false"), 8, "one of E 1 2 C G"}, {'n', row("E", "1"), 8, "true or false"},
        {'n', row("E", "false") + "periods = [\n" + Repeat("{ from = 194001, to = 194012, modifier = 1 },", 10) + "]\n", 9, "at most 9"},
        {'n', period("194001", "-10"), 10, "outside -9 to 99"}, {'n', period("194101", "1"), 10, "ends before it begins"},
        {'n', "header = \"SD\"\ntag = \"01\"\n[[section]]\ncode = \"6A\"\n" + v + "entries = [\n\"a[3] b[6] \"]\n", 8,
         "SPG entry 1 offers alternatives"},
        {'n', "header = \"SD\"\ntag = \"01\"\n[[section]]\ncode = \"06\"\n" + variant("194112") + "entries = [\n\"a[3] b[6] \"]\n" + v +
              "entries = [\"c\"]\n[[section]]\ncode = \"6A\"\n" + v + "entries = [\"NOTE1\"]\n", 8,
         "AFV entry 1 offers alternatives, but SPG entry 1 sends"},
        {'c', "[[rule]]\nname = \"RollDice\"\n", 2, "unknown rule name"}, {'c', rule + "pattern = \"roll\"\n", 4, "only the attack and look-up rules"},
        {'c', "[[rule]]\nname = \"AttackWithDRM\"\nhelp = \"x\"\npattern = \"attack {firepower} {modifier}\"\n", 4,
         "{firepower}, {sign}, {modifier}"},
        {'c', rule + "say = [\n\"roll = dice\"]\n", 5, "cannot be spoken"}, {'c', rule + "say = [\"roll  dice\"]\n", 4, "one blank"},
        {'c', rule + "say = [\"roll\"]\n[[rule]]\nname = \"rolladie\"\nhelp = \"y\"\nsay = [\"roll\"]\n", 8, "already stands at line 4"},
        {'c', "[[rule]]\nname = \"actionsiftlookup\"\nhelp = \"x\"\npattern = \"table {firepower}\"\n", 4, "must hold {dr}"},
        {'c', "[[rule]]\nname = \"actionsiftlookup\"\nhelp = \"x\"\npattern = \"table {dr}\"\n", 4, "at least one [[dr]]"},
        {'c', "[[dr]]\nsay = \"one\"\nvalue = 1\n", 3, "outside 2 to 12"},
        {'c', "[[rule]]\nname = \"actionsdirection\"\nscreen = \"A\"\nhelp = \"x\"\nsay = [\"a\"]\n" + rule + "say = [\"b\"]\n"
              "[[rule]]\nname = \"closecombatntc\"\nscreen = \"A\"\nhelp = \"x\"\nsay = [\"c\"]\n", 12, "stands apart"},
        {'c', "[[rule]]\nname = \"AttackWithoutDRM\"\nhelp = \"x\"\npattern = \"fire {firepower} even\"\n", 4,
         "at least one [[firepower]]"},
    };
    // clang-format on
    for (const auto& [kind, toml, line, message] : mistakes) {
        const char* file = kind == 't'   ? "config.toml"
                           : kind == 'n' ? "nationalities/N.toml"
                                         : "commands.toml";
        try {
            const Source source = Source::ParseText(toml, file);
            (void)(kind == 't'   ? CompileTableFile(source)
                   : kind == 'n' ? CompileNationalityFile(source)
                                 : CompileCommands(source, 5).grammar);
            ADD_FAILURE() << "no mistake reported for\n" << toml;
        } catch (const SourceError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind(std::string(file) + ":" + std::to_string(line) + ": ", 0), 0u) << what;
            EXPECT_NE(what.find(message), std::string::npos) << what;
        }
    }
}

TEST(BuildCommand, WritesAllOrNothing) {
    const fs::path root = fs::temp_directory_path() / ("dorva-build-test-" + std::to_string(::getpid()));
    const auto write = [&](const std::string& name, const std::string& text) {
        fs::create_directories((root / "src" / name).parent_path());
        std::ofstream(root / "src" / name, std::ios::binary) << text;
    };
    const char* nationality =
        "header = \"SD\"\ntag = \"01\"\n[[section]]\ncode = \"03\"\n[[section.variant]]\n"
        "date = 194612\nentries = []\n";
    write("config.toml", "header = \"DV\"\n[[grid]]\ncode = \"IF\"\ncells = [[\"a\", \"b\", \"c\"]]\n");
    write("nationalities/Ruritania.toml", nationality);
    write("commands.toml", "[[rule]]\nname = \"rolldice\"\nhelp = \"Roll\"\nsay = [\"roll dice\"]\n");
    fs::create_directories(root / "out");
    std::ofstream(root / "out" / "Gone.sdf") << "old";
    std::ostringstream errors;
    EXPECT_EQ(BuildSupportFiles(root / "src", root / "out", errors), 0) << errors.str();
    EXPECT_TRUE(errors.str().empty());
    for (const char* name : {"config.sco", "Ruritania.sdf", "dorva.cfg", "DORVA2_What_Can_I_Say.txt"}) {
        EXPECT_TRUE(fs::is_regular_file(root / "out" / name)) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "out"), fs::directory_iterator()),
              4); // no Gone.sdf

    write("nationalities/Bad.toml", "header = \"SD\"\ntag = \"01\"\nextra = 1\n");
    write("nationalities/Free.French.toml", nationality);
    write("commands.toml", "[[firepower]]\nsay = \"two\"\nvalue = 2\ncolumn = 3\n"); // IF columns: 0 to 2
    EXPECT_EQ(BuildSupportFiles(root / "src", root / "out2", errors), 1);
    const std::string text = errors.str();
    EXPECT_NE(text.find("nationalities/Bad.toml:3: unknown key \"extra\""), std::string::npos) << text;
    EXPECT_NE(text.find("commands.toml:4: column 3 is outside the IF table"), std::string::npos) << text;
    EXPECT_NE(text.find("must not hold a dot"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(root / "out2"));
    EXPECT_EQ(BuildSupportFiles(root / "nowhere", root / "out3", errors), 1);
    fs::remove_all(root);
}

} // namespace
