#include "shell/ProgramFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace dorva::shell {
namespace {

namespace fs = std::filesystem;

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("dorva-folder-test-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "bin");
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
};

TEST_F(ProgramFolderTest, SupportFolderBesideTheProgramWins) {
    fs::create_directories(root_ / "bin" / "DORVA_Support");
    fs::create_directories(root_ / "share" / "dorva2" / "DORVA_Support");
    EXPECT_EQ(FindProgramFolder(root_ / "bin", "share/dorva2"), root_ / "bin");
}

TEST_F(ProgramFolderTest, InstalledCopyUsesItsDataFolder) {
    fs::create_directories(root_ / "share" / "dorva2" / "DORVA_Support");
    EXPECT_EQ(FindProgramFolder(root_ / "bin", "share/dorva2"), root_ / "share" / "dorva2");
    EXPECT_EQ(FindProgramFolder(root_ / "bin", (root_ / "share" / "dorva2").string()),
              root_ / "share" / "dorva2");
}

TEST_F(ProgramFolderTest, WithoutSupportFolderTheProgramsOwnFolderStays) {
    EXPECT_EQ(FindProgramFolder(root_ / "bin", "share/dorva2"), root_ / "bin");
    // A file of that name is no support folder.
    fs::create_directories(root_ / "share" / "dorva2");
    std::ofstream(root_ / "share" / "dorva2" / "DORVA_Support") << "";
    EXPECT_EQ(FindProgramFolder(root_ / "bin", "share/dorva2"), root_ / "bin");
}

} // namespace
} // namespace dorva::shell
