#include "setup/NationalityList.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>

using namespace dorva;

namespace {

TEST(NationalityList, SdfFilesSortedByNameNamedBeforeTheFirstDot) {
    test::SupportFolder folder;
    EXPECT_TRUE(setup::ListSupportNationalities().empty());
    EXPECT_TRUE(setup::ListNationalities(folder.Root() / "nowhere").empty());
    for (const char* file : {"Russian.sdf", "American.sdf", "german.sdf", "Finnish.1944.sdf", "config.sco",
                             "Italian.SDF", "notes.sdf.txt"}) {
        folder.Write(file, "x"); // Italian.SDF: the reader could not open it as Italian.sdf
    }
    std::filesystem::create_directory(folder.File("British.sdf")); // a folder is no nationality file
    EXPECT_EQ(setup::ListSupportNationalities(),
              std::vector<std::string>({"American", "Finnish", "german", "Russian"}));
    EXPECT_EQ(setup::NationalityEntry("German"), "vs. German");
    EXPECT_EQ(setup::NationalityOfEntry("vs. vs. X"), "vs. X");
    EXPECT_EQ(setup::NationalityOfEntry("German"), "German");
}

} // namespace
