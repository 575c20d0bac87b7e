// Where the programs look for their data, and which place wins.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/DataFolder.h"

namespace {

TEST(DataFolder, LooksBesideTheProgramThenInstalledThenBuiltInThenHere)
{
    const auto candidates = dataFolderCandidates("/opt/intro/bin", "/usr/share/orvale-invit", "/home/me");
    ASSERT_EQ(candidates.size(), 4u);
    EXPECT_EQ(candidates[0], "/opt/intro/bin/data");
    EXPECT_EQ(candidates[1], "/opt/intro/share/orvale-invit");
    EXPECT_EQ(candidates[2], "/usr/share/orvale-invit");
    EXPECT_EQ(candidates[3], "/home/me/data");
    // Without a known executable folder, only the built-in place and the working directory.
    EXPECT_EQ(dataFolderCandidates("", "/usr/share/orvale-invit", "/home/me").size(), 2u);
}

TEST(DataFolder, TheFirstPlaceHoldingPicturesWinsAndNoneNamesThemAll)
{
    const std::filesystem::path root = std::filesystem::path(::testing::TempDir()) / "data-folders";
    std::filesystem::remove_all(root);
    for (const char* folder : {"empty", "second/gfx", "third/gfx"}) std::filesystem::create_directories(root / folder);
    const Result<std::filesystem::path> found =
        findDataFolder({root / "missing", root / "empty", root / "second", root / "third"});
    ASSERT_TRUE(found) << found.message();
    EXPECT_EQ(found.value(), root / "second");

    const Result<std::filesystem::path> none = findDataFolder({root / "missing", root / "empty"});
    ASSERT_FALSE(none);
    EXPECT_NE(none.message().find((root / "missing").string()), std::string::npos) << none.message();
    EXPECT_NE(none.message().find((root / "empty").string()), std::string::npos) << none.message();
    std::filesystem::remove_all(root);
}

}  // namespace
