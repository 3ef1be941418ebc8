#include "setup/NationalityList.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>

using namespace dorva;

namespace {

TEST(NationalityList, SdfFilesSortedByNameNamedBeforeTheFirstDot) {
    test::SupportFolder folder;
    folder.Write("Russian.sdf", "x");
    folder.Write("American.sdf", "x");
    folder.Write("german.sdf", "x");
    folder.Write("Finnish.1944.sdf", "x"); // listed by its name part alone
    folder.Write("config.sco", "x");
    folder.Write("Italian.SDF", "x"); // the reader could not open it as Italian.sdf
    folder.Write("notes.sdf.txt", "x");
    std::filesystem::create_directory(folder.File("British.sdf")); // a folder is no nationality file
    const std::vector<std::string> expected = {"American", "Finnish", "german", "Russian"};
    EXPECT_EQ(setup::ListSupportNationalities(), expected);
}

TEST(NationalityList, EmptyOrMissingFolderListsNothing) {
    test::SupportFolder folder;
    EXPECT_TRUE(setup::ListSupportNationalities().empty());
    EXPECT_TRUE(setup::ListNationalities(folder.Root() / "nowhere").empty());
}

TEST(NationalityList, Entries) {
    EXPECT_EQ(setup::NationalityEntry("German"), "vs. German");
    EXPECT_EQ(setup::NationalityOfEntry("vs. German"), "German");
    EXPECT_EQ(setup::NationalityOfEntry("vs. vs. X"), "vs. X");
    EXPECT_EQ(setup::NationalityOfEntry("German"), "German");
}

} // namespace
