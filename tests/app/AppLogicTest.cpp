#include "app/ProgramFolder.h"
#include "app/VaslResize.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace dorva::app {
namespace {

namespace fs = std::filesystem;

// The program runs from ROOT/bin; an installed copy keeps its support folder in ROOT/share/dorva2 and its
// speech module in ROOT/lib/dorva2. What stands beside the program wins; a missing module is no path.
TEST(ProgramFolder, SupportFolderAndSpeechModuleBesideTheProgramOrInstalled) {
    const fs::path root = fs::temp_directory_path() / ("dorva-folder-test-" + std::to_string(::getpid()));
    const fs::path bin = root / "bin", share = root / "share" / "dorva2", lib = root / "lib" / "dorva2";
    fs::remove_all(root);
    fs::create_directories(bin);
    fs::create_directories(share);
    fs::create_directories(lib / kSpeechModuleName); // a folder of that name is no module
    EXPECT_EQ(FindProgramFolder(bin, "share/dorva2"), bin) << "no support folder anywhere";
    EXPECT_EQ(FindSpeechModule(bin, "lib/dorva2"), fs::path());
    std::ofstream(share / "DORVA_Support") << "";
    EXPECT_EQ(FindProgramFolder(bin, "share/dorva2"), bin) << "a file of that name is no support folder";
    fs::remove(share / "DORVA_Support");
    fs::create_directory(share / "DORVA_Support");
    fs::remove(lib / kSpeechModuleName);
    std::ofstream(lib / kSpeechModuleName) << "";
    // Found where installed: the installed copy's own run (tests/e2e/install.sh), and by an absolute path.
    EXPECT_EQ(FindProgramFolder(bin, share.string()), share);
    fs::create_directory(bin / "DORVA_Support");
    std::ofstream(bin / kSpeechModuleName) << "";
    EXPECT_EQ(FindProgramFolder(bin, "share/dorva2"), bin) << "the folder beside the program wins";
    EXPECT_EQ(FindSpeechModule(bin, "lib/dorva2"), bin / kSpeechModuleName);
    fs::remove_all(root);
}

// Twips: the window's outer width and height and the text box's height before; its size after.
TEST(VaslResize, TextBoxFollowsTheWindow) {
    const int cases[][5] = {
        {9300, 800, 375, 9200, 375},                                  // the edge: 800 keeps the height,
        {9300, 801, 375, 9200, 51},                                   // 801 sets it to 51
        {5000, 2000, 375, 4900, 1250}, {5000, 700, 1250, 4900, 1250}, // shrinking back keeps the grown height
        {101, 390, 375, 1, 375},       {30, 390, 375, 0, 375},        // narrow windows give no width
    };
    for (const auto& c : cases) {
        const TextBoxSize size = VaslTextBoxSize(c[0], c[1], c[2]);
        EXPECT_EQ(std::pair(size.width, size.height), std::pair(c[3], c[4])) << c[0] << " x " << c[1];
    }
}

} // namespace
} // namespace dorva::app
