// The data compiler: what it writes reads back through the program's readers as the source says,
// and every kind of mistake is reported at its line with nothing written.
#include "Build.h"
#include "Compile.h"
#include "data/NationalityFile.h"
#include "data/TableFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace dorva;
using namespace dorva::datac;
namespace fs = std::filesystem;

namespace {

std::string Table(const std::string& toml) {
    return CompileTableFile(Source::ParseText(toml, "config.toml"));
}
std::string Nationality(const std::string& toml) {
    return CompileNationalityFile(Source::ParseText(toml, "nationalities/N.toml"));
}
CommandFiles Commands(const std::string& toml, std::optional<int> ifColumns = std::nullopt) {
    return CompileCommands(Source::ParseText(toml, "commands.toml"), ifColumns);
}

// --- Round trips through the program's readers ---

TEST(TableFileRoundTrip, ListsAndGridsReadBackAsWritten) {
    const std::string bytes = Table(R"(
header = "DV"
[[grid]]
code = "IF"
cells = [["a", "b"], ["", "d"], ["é", "f g"]]
[[list]]
code = "Ad"
entries = ["one", "", "three"]
[[list]]
code = "4A"
entries = []
)");
    EXPECT_EQ(bytes.substr(0, 2), "DV");
    // Sections stand in source order: the grid first.
    EXPECT_EQ(bytes.substr(2, 3), "\x1fIF");
    data::ListTable ad;
    data::ReadListSection(bytes, data::LocateTableSection(bytes, "Ad").value(), ad, true);
    EXPECT_EQ(ad, (data::ListTable{"", "one", "", "three"}));
    data::ListTable fourA{"stale"};
    data::ReadListSection(bytes, data::LocateTableSection(bytes, "4A").value(), fourA, true);
    EXPECT_TRUE(fourA.empty());
    data::GridTable grid;
    data::ReadGridSection(bytes, data::LocateTableSection(bytes, "IF").value(), grid);
    EXPECT_EQ(grid.rows, 3);
    EXPECT_EQ(grid.columns, 2);
    EXPECT_EQ(grid.Cell(1, 0), "");
    EXPECT_EQ(grid.Cell(1, 1), "d");
    EXPECT_EQ(grid.Cell(2, 0), "\xe9"); // Latin-1 in the built file
    EXPECT_EQ(grid.Cell(2, 1), "f g");
}

TEST(TableFileRoundTrip, CountsAreTwoDigits) {
    std::string entries;
    for (int i = 0; i < 99; ++i) {
        entries += "\"e" + std::to_string(i) + "\",";
    }
    const std::string bytes =
        Table("header = \"DV\"\n[[list]]\ncode = \"HR\"\nentries = [" + entries + "]\n");
    EXPECT_EQ(bytes.substr(5, 2), "99");
    data::ListTable hr;
    data::ReadListSection(bytes, 6, hr, false);
    ASSERT_EQ(hr.size(), 100u);
    EXPECT_EQ(hr[99], "e98");
}

TEST(NationalityRoundTrip, TextVariantsSquadsAndPeriodsReadBack) {
    const std::string bytes = Nationality(R"(
header = "SD"
tag = "07"
[[section]]
code = "04"
  [[section.variant]]
  date = 194112
  entries = ["LMG", ""]
  [[section.variant]]
  date = 194612
  entries = []
[[section]]
code = "02"
  [[section.variant]]
  date = 194612
  rows = [
    { class = "E", special = true, first = "Élite 6-5-8", second = "HS 3-3-8" },
    { class = "G", special = false, first = "Green 3-3-6", second = "" },
  ]
  periods = [
    { from = 193801, to = 194012, modifier = -1 },
    { from = 194301, to = 194612, modifier = 12 },
    { from = 194101, to = 194112, modifier = 3 },
  ]
)");
    EXPECT_EQ(bytes.substr(0, 4), "SD07");
    std::string tag;
    data::ListTable sw;
    data::ReadNationalityTable(std::string_view(bytes),
                               data::FindNationalitySection(bytes, "04", 194001, tag), sw);
    EXPECT_EQ(tag, "07");
    EXPECT_EQ(sw, (data::ListTable{"", "LMG", ""}));
    data::ReadNationalityTable(std::string_view(bytes),
                               data::FindNationalitySection(bytes, "04", 194306, tag), sw);
    EXPECT_EQ(sw, data::ListTable{""});

    data::SquadTable squads;
    std::vector<data::SquadModifierPeriod> periods;
    data::ReadSquadSection(bytes, data::FindNationalitySection(bytes, "02", 194306, tag), squads, periods);
    ASSERT_EQ(squads.size(), 3u);
    EXPECT_EQ(squads[1], (data::SquadRow{"", "\xc9lite 6-5-8", "HS 3-3-8", "1", "E"}));
    EXPECT_EQ(squads[2], (data::SquadRow{"", "Green 3-3-6", "", "0", "G"}));
    ASSERT_EQ(periods.size(), 4u);
    EXPECT_EQ(periods[1].FromDate, 193801);
    EXPECT_EQ(periods[1].ToDate, 194012);
    EXPECT_EQ(periods[1].Modifier, -1);
    EXPECT_EQ(periods[2].Modifier, 12);
    EXPECT_EQ(periods[3].Modifier, 3); // written " 3"
}

TEST(NationalityRoundTrip, SquadsWithoutPeriodsWriteCountZero) {
    const std::string bytes = Nationality(R"(
header = "SD"
tag = "01"
[[section]]
code = "02"
  [[section.variant]]
  date = 194612
  rows = []
)");
    EXPECT_EQ(bytes, std::string("SD01\x1f"
                                 "02"
                                 "194612"
                                 "000"
                                 "0"));
}

TEST(CommandsCompiler, GrammarAndListFromOneSource) {
    const CommandFiles files = Commands(R"(
intro = """
Speak clearly.
Wait for the beep."""
[[rule]]
name = "rolldice"
help = "Roll two dice"
say = ["roll dice", "roll two dice"]
[[rule]]
name = "AttackWithDRM"
help = "Attack with a modifier"
pattern = "attack at {firepower} {sign} {modifier}"
[[rule]]
name = "AttackWithoutDRM"
help = "Attack"
pattern = "fire {firepower} even"
[[firepower]]
say = "two"
value = 2
column = 1
[[firepower]]
say = "twelve"
value = 12
column = 10
[[modifier]]
say = "three"
value = 3
)",
                                        11);
    EXPECT_EQ(files.grammar.substr(files.grammar.find("\nrule ") + 1),
              "rule rolldice\n"
              "  roll dice\n"
              "  roll two dice\n"
              "rule AttackWithDRM\n"
              "  attack at two minus three = 0201 -1 3\n"
              "  attack at two plus three = 0201 1 3\n"
              "  attack at twelve minus three = 1210 -1 3\n"
              "  attack at twelve plus three = 1210 1 3\n"
              "rule AttackWithoutDRM\n"
              "  fire two even = 0201\n"
              "  fire twelve even = 1210\n");
    EXPECT_EQ(files.whatCanISay,
              "Speak clearly.\r\nWait for the beep.\r\n\r\n"
              "Roll two dice\r\n    roll dice\r\n    roll two dice\r\n\r\n"
              "Attack with a modifier\r\n    attack at <firepower> <minus or plus> <modifier>\r\n\r\n"
              "Attack\r\n    fire <firepower> even\r\n\r\n"
              "<firepower> is one of: two, twelve\r\n"
              "<modifier> is one of: three\r\n");
}

// --- Mistakes ---

struct Mistake {
    const char* name;
    char kind; // 't' table file, 'n' nationality, 'c' commands
    std::string toml;
    std::uint32_t line;
    const char* message; // a part of the message
};

class CompilerMistakes : public ::testing::TestWithParam<Mistake> {};

TEST_P(CompilerMistakes, ReportedWithFileAndLine) {
    const Mistake& m = GetParam();
    const char* file = m.kind == 't'   ? "config.toml"
                       : m.kind == 'n' ? "nationalities/N.toml"
                                       : "commands.toml";
    try {
        const Source source = Source::ParseText(m.toml, file);
        if (m.kind == 't') {
            CompileTableFile(source);
        } else if (m.kind == 'n') {
            CompileNationalityFile(source);
        } else {
            CompileCommands(source, 5);
        }
        ADD_FAILURE() << "no mistake reported";
    } catch (const SourceError& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.rfind(std::string(file) + ":" + std::to_string(m.line) + ": ", 0), 0u) << what;
        EXPECT_NE(what.find(m.message), std::string::npos) << what;
    }
}

const std::string kSdf = "header = \"SD\"\ntag = \"01\"\n";    // lines 1-2
const std::string kSection03 = "[[section]]\ncode = \"03\"\n"; // then lines 3-4

std::string Entries(int n) {
    std::string out = "entries = [";
    for (int i = 0; i < n; ++i) {
        out += "\"x\",";
    }
    return out + "]\n";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompilerMistakes,
    ::testing::Values(
        Mistake{"TomlSyntax", 't', "header = \"DV\"\n[[list]\n", 2, ""},
        Mistake{"HeaderLength", 't', "header = \"DVX\"\n", 1, "exactly 2 characters"},
        Mistake{"MissingHeader", 't', "[[list]]\ncode = \"A1\"\nentries = []\n", 1, "has no \"header\""},
        Mistake{"CodeLength", 't', "header = \"DV\"\n[[list]]\ncode = \"A\"\nentries = []\n", 3, "exactly 2"},
        Mistake{"UnknownCode", 't', "header = \"DV\"\n[[list]]\ncode = \"ZZ\"\nentries = []\n", 3,
                "unknown section code"},
        Mistake{"LookAlikeCode", 't', "header = \"DV\"\n[[list]]\ncode = \"AD\"\nentries = []\n", 3,
                "unknown section code"},
        Mistake{"GridAsList", 't', "header = \"DV\"\n[[list]]\ncode = \"IF\"\nentries = []\n", 3, "[[grid]]"},
        Mistake{
            "DuplicateCode", 't',
            "header = \"DV\"\n[[list]]\ncode = \"A1\"\nentries = []\n[[list]]\ncode = \"A1\"\nentries = []\n",
            6, "already stands at line 2"},
        Mistake{"SeparatorInText", 't',
                "header = \"DV\"\n[[list]]\ncode = \"A1\"\nentries = [\n\"a\\u001Eb\"]\n", 5, "byte 30"},
        Mistake{"NotLatin1", 't', "header = \"DV\"\n[[list]]\ncode = \"A1\"\nentries = [\"\xe2\x82\xac\"]\n",
                4, "U+20AC"},
        Mistake{"TooManyEntries", 't', "header = \"DV\"\n[[list]]\ncode = \"A1\"\n" + Entries(100), 4,
                "at most 99"},
        Mistake{"UnevenGrid", 't',
                "header = \"DV\"\n[[grid]]\ncode = \"9E\"\ncells = [\n[\"a\", \"b\"],\n[\"c\"]]\n", 6,
                "row 1 has 1 cells"},
        Mistake{"UnknownKeyTop", 't', "header = \"DV\"\ntables = 3\n", 2, "unknown key \"tables\""},
        Mistake{"UnknownKeyList", 't', "header = \"DV\"\n[[list]]\ncode = \"A1\"\nentries = []\ncells = []\n",
                5, "unknown key \"cells\""},
        Mistake{"EntryNotText", 't', "header = \"DV\"\n[[list]]\ncode = \"A1\"\nentries = [1]\n", 4,
                "must be a text"},
        Mistake{"TagLength", 'n', "header = \"SD\"\ntag = \"1\"\n", 2, "exactly 2"},
        Mistake{"UnknownSectionCode", 'n', kSdf + "[[section]]\ncode = \"07\"\n", 4, "unknown section code"},
        Mistake{"LastVariantTooEarly", 'n',
                kSdf + kSection03 +
                    "[[section.variant]]\ndate = 194612\nentries = []\n[[section.variant]]\n"
                    "date = 194701\nentries = []\n[[section]]\ncode = \"04\"\n[[section.variant]]\n"
                    "date = 194512\nentries = []\n",
                14, "must be 194612 or later"},
        Mistake{"DatesNotRising", 'n',
                kSdf + kSection03 +
                    "[[section.variant]]\ndate = 194306\nentries = []\n[[section.variant]]\n"
                    "date = 194306\nentries = []\n",
                9, "variant dates must rise"},
        Mistake{"BadMonth", 'n', kSdf + kSection03 + "[[section.variant]]\ndate = 194613\nentries = []\n", 6,
                "not a date"},
        Mistake{"NoVariant", 'n', kSdf + kSection03 + "variant = []\n", 5, "has no variant"},
        Mistake{"TooManyTexts", 'n',
                kSdf + kSection03 + "[[section.variant]]\ndate = 194612\n" + Entries(1000), 7, "at most 999"},
        Mistake{"BadClass", 'n',
                kSdf + "[[section]]\ncode = \"02\"\n[[section.variant]]\ndate = 194612\nrows = [\n"
                       "{ class = \"X\", special = false, first = \"a\", second = \"b\" }]\n",
                8, "one of E 1 2 C G"},
        Mistake{"SpecialNotBoolean", 'n',
                kSdf + "[[section]]\ncode = \"02\"\n[[section.variant]]\ndate = 194612\nrows = [\n"
                       "{ class = \"E\", special = 1, first = \"a\", second = \"b\" }]\n",
                8, "true or false"},
        Mistake{
            "TooManyPeriods", 'n',
            kSdf +
                "[[section]]\ncode = \"02\"\n[[section.variant]]\ndate = 194612\nrows = []\nperiods = [\n" +
                [] {
                    std::string p;
                    for (int i = 0; i < 10; ++i) {
                        p += "{ from = 194001, to = 194012, modifier = 1 },";
                    }
                    return p;
                }() +
                "]\n",
            8, "at most 9"},
        Mistake{"ModifierTooLow", 'n',
                kSdf +
                    "[[section]]\ncode = \"02\"\n[[section.variant]]\ndate = 194612\nrows = []\nperiods = [\n"
                    "{ from = 194001, to = 194012, modifier = -10 }]\n",
                9, "outside -9 to 99"},
        Mistake{"PeriodBackwards", 'n',
                kSdf +
                    "[[section]]\ncode = \"02\"\n[[section.variant]]\ndate = 194612\nrows = []\nperiods = [\n"
                    "{ from = 194101, to = 194012, modifier = 1 }]\n",
                9, "ends before it begins"},
        Mistake{"TextsInSquadSection", 'n',
                kSdf + "[[section]]\ncode = \"02\"\n[[section.variant]]\ndate = 194612\nentries = []\n", 7,
                "unknown key \"entries\""},
        Mistake{"DuplicateSection", 'n',
                kSdf + kSection03 + "[[section.variant]]\ndate = 194612\nentries = []\n" + kSection03 +
                    "[[section.variant]]\ndate = 194612\nentries = []\n",
                9, "already stands at line 3"},
        Mistake{"UnknownRule", 'c', "[[rule]]\nname = \"RollDice\"\nhelp = \"x\"\nsay = [\"roll\"]\n", 2,
                "unknown rule name"},
        Mistake{"PatternOnPlainRule", 'c',
                "[[rule]]\nname = \"rolldice\"\nhelp = \"x\"\npattern = \"roll\"\n", 4,
                "only the attack rules"},
        Mistake{
            "AttackWithoutSign", 'c',
            "[[rule]]\nname = \"AttackWithDRM\"\nhelp = \"x\"\npattern = \"attack {firepower} {modifier}\"\n",
            4, "{firepower}, {sign}, {modifier}"},
        Mistake{"BadPhrase", 'c', "[[rule]]\nname = \"rolldice\"\nhelp = \"x\"\nsay = [\n\"roll = dice\"]\n",
                5, "cannot be spoken"},
        Mistake{"DoubleBlank", 'c', "[[rule]]\nname = \"rolldice\"\nhelp = \"x\"\nsay = [\"roll  dice\"]\n",
                4, "one blank"},
        Mistake{
            "PhraseTwice", 'c',
            "[[rule]]\nname = \"rolldice\"\nhelp = \"x\"\nsay = [\"roll\"]\n[[rule]]\nname = \"rolladie\"\n"
            "help = \"y\"\nsay = [\"roll\"]\n",
            8, "already stands at line 4"},
        Mistake{"ColumnOutsideIF", 'c', "[[firepower]]\nsay = \"two\"\nvalue = 2\ncolumn = 5\n", 4,
                "outside the IF table"},
        Mistake{"FirepowerTooBig", 'c', "[[firepower]]\nsay = \"lots\"\nvalue = 100\ncolumn = 1\n", 3,
                "outside 1 to 99"},
        Mistake{
            "AttackWithoutFirepowers", 'c',
            "[[rule]]\nname = \"AttackWithoutDRM\"\nhelp = \"x\"\npattern = \"attack {firepower} even\"\n", 4,
            "at least one [[firepower]]"}),
    [](const ::testing::TestParamInfo<Mistake>& p) { return std::string(p.param.name); });

// --- The build command ---

class BuildCommand : public ::testing::Test {
protected:
    BuildCommand() {
        static int counter = 0;
        root = fs::temp_directory_path() /
               ("dorva-build-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::create_directories(root / "src" / "nationalities");
    }
    ~BuildCommand() override { fs::remove_all(root); }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(root / "src" / name, std::ios::binary) << text;
    }
    fs::path root;
    std::ostringstream errors;
};

const char* kGoodConfig = "header = \"DV\"\n[[grid]]\ncode = \"IF\"\ncells = [[\"a\", \"b\", \"c\"]]\n";
const char* kGoodNationality = "header = \"SD\"\ntag = \"01\"\n[[section]]\ncode = "
                               "\"03\"\n[[section.variant]]\ndate = 194612\nentries = []\n";
const char* kGoodCommands = "[[rule]]\nname = \"rolldice\"\nhelp = \"Roll\"\nsay = [\"roll dice\"]\n";

TEST_F(BuildCommand, WritesEveryFileAndRemovesStaleNationalities) {
    Write("config.toml", kGoodConfig);
    Write("nationalities/Ruritania.toml", kGoodNationality);
    Write("commands.toml", kGoodCommands);
    fs::create_directories(root / "out");
    std::ofstream(root / "out" / "Gone.sdf") << "old";
    EXPECT_EQ(BuildSupportFiles(root / "src", root / "out", errors), 0) << errors.str();
    EXPECT_TRUE(errors.str().empty());
    for (const char* name : {"config.sco", "Ruritania.sdf", "dorva.cfg", "DORVA2_What_Can_I_Say.txt"}) {
        EXPECT_TRUE(fs::is_regular_file(root / "out" / name)) << name;
    }
    EXPECT_FALSE(fs::exists(root / "out" / "Gone.sdf"));
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "out"), fs::directory_iterator()), 4);
}

TEST_F(BuildCommand, AnyMistakeWritesNothingAndReportsEveryFile) {
    Write("config.toml", kGoodConfig);
    Write("nationalities/Good.toml", kGoodNationality);
    Write("nationalities/Bad.toml", "header = \"SD\"\ntag = \"01\"\nextra = 1\n");
    Write("commands.toml",
          "[[firepower]]\nsay = \"two\"\nvalue = 2\ncolumn = 3\n"); // IF has 3 columns: 0 to 2
    EXPECT_EQ(BuildSupportFiles(root / "src", root / "out", errors), 1);
    const std::string text = errors.str();
    EXPECT_NE(text.find("nationalities/Bad.toml:3: unknown key \"extra\""), std::string::npos) << text;
    EXPECT_NE(text.find("commands.toml:4: column 3 is outside the IF table"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(root / "out"));
}

TEST_F(BuildCommand, DottedNationalityNameIsAMistake) {
    Write("nationalities/Free.French.toml", kGoodNationality);
    EXPECT_EQ(BuildSupportFiles(root / "src", root / "out", errors), 1);
    EXPECT_NE(errors.str().find("must not hold a dot"), std::string::npos) << errors.str();
    EXPECT_FALSE(fs::exists(root / "out"));
}

TEST_F(BuildCommand, MissingSourcesAreSkippedButNoSourceAtAllIsAMistake) {
    Write("nationalities/Only.toml", kGoodNationality);
    EXPECT_EQ(BuildSupportFiles(root / "src", root / "out", errors), 0) << errors.str();
    EXPECT_TRUE(fs::exists(root / "out" / "Only.sdf"));
    EXPECT_FALSE(fs::exists(root / "out" / "config.sco"));
    fs::remove(root / "src" / "nationalities" / "Only.toml");
    EXPECT_EQ(BuildSupportFiles(root / "src", root / "out2", errors), 1);
    EXPECT_EQ(BuildSupportFiles(root / "nowhere", root / "out2", errors), 1);
}

} // namespace
