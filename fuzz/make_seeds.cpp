// Writes the fuzzers' small seed files, built from the layouts of the support files.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string S(1, '\x1f'), F(1, '\x1e'), V(1, '\x1d');

void Write(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const std::filesystem::path table = root / "table";
    Write(table, "empty", "");
    Write(table, "header-only", "DV");
    Write(table, "lists",
          "DV" + S + "A1" + "03S" + F + "SL" + F + "HW" + F + S + "4A" + "00" + S + "Ad" + " 2a" + F + F);
    Write(table, "grid", "DV" + S + "IF" + "0203" + "a" + F + "b" + F + "c" + F + "d" + F + F + "f" + F);
    Write(table, "duplicates", "DV" + S + "3A" + "01x" + F + S + "3A" + "01y" + F + S + "AD" + "01z" + F);
    Write(table, "truncated", "DV" + S + "9E" + "0909" + "a" + F + "b");
    std::string all = "DV";
    const char* codes[] = {"A1", "A5", "HR", "4A", "4B", "4C", "3A",
                           "3B", "3C", "3D", "3E", "CC", "Ad", "Hd"};
    for (const char* code : codes) {
        all += S + code + "02" + "one" + F + "two" + F;
    }
    all += S + "IF" + "0102" + "x" + F + "y" + F + S + "9E" + "0201" + "p" + F + "q" + F;
    Write(table, "all", all);

    const std::filesystem::path nationality = root / "nationality";
    Write(nationality, "empty", "");
    Write(nationality, "tag-only", "SD01");
    Write(nationality, "texts",
          "SD01" + S + "03" + "194112" + "001" + "early" + F + V + "194312" + "002" + "mid" + F + F + V +
              "194612" + "000");
    Write(nationality, "squads",
          "SD02" + S + "02" + "194612" + "002" + "E1" + "elite" + F + "hs" + F + "G0" + "green" + F + F +
              "2" + "193801194012-1" + "194301194612 2");
    Write(nationality, "stops",
          "SD03" + S + "06" + "194112" + "001" + "afv" + F + S + "5I" + "194112" + "000" + V + "194612" +
              "001" + "gun" + F);
    Write(nationality, "truncated", "SD04" + S + "02" + "194612" + "009" + "1" + "0" + "a" + F + "b");
    return 0;
}
