#include "shell/ProgramFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace dorva::shell {
namespace {

namespace fs = std::filesystem;

// The program runs from ROOT/bin; an installed copy keeps its support folder in ROOT/share/dorva2.
TEST(ProgramFolderTest, FindsTheSupportFolder) {
    const fs::path root = fs::temp_directory_path() / ("dorva-folder-test-" + std::to_string(::getpid()));
    const fs::path bin = root / "bin", share = root / "share" / "dorva2";
    fs::remove_all(root);
    fs::create_directories(bin);
    EXPECT_EQ(FindProgramFolder(bin, "share/dorva2"), bin) << "no support folder anywhere";
    fs::create_directories(share);
    std::ofstream(share / "DORVA_Support") << "";
    EXPECT_EQ(FindProgramFolder(bin, "share/dorva2"), bin) << "a file of that name is no support folder";
    fs::remove(share / "DORVA_Support");
    fs::create_directory(share / "DORVA_Support");
    EXPECT_EQ(FindProgramFolder(bin, "share/dorva2"), share);
    EXPECT_EQ(FindProgramFolder(bin, share.string()), share);
    fs::create_directory(bin / "DORVA_Support");
    EXPECT_EQ(FindProgramFolder(bin, "share/dorva2"), bin) << "the folder beside the program wins";
    fs::remove_all(root);
}

} // namespace
} // namespace dorva::shell
