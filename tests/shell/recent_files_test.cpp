#include "shell/recent_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vx {
namespace {

using List = std::vector<std::string>;

// The list keeps each file once, however it was named, the latest first, and no more than a
// menu shows.
TEST(RecentFiles, TheLatestComesFirstOnceAndTheOldestDropsOut) {
    List list;
    for (int k = 1; k <= 9; ++k) {
        list = WithRecentFile(list, "/f/" + std::to_string(k) + ".vxs");
    }
    ASSERT_EQ(list.size(), kRecentFileCount);
    EXPECT_EQ(list.front(), "/f/9.vxs");
    EXPECT_EQ(list.back(), "/f/2.vxs");

    list = WithRecentFile(list, "/f/sub/../5.vxs");
    EXPECT_EQ(list, (List{"/f/5.vxs", "/f/9.vxs", "/f/8.vxs", "/f/7.vxs", "/f/6.vxs", "/f/4.vxs",
                          "/f/3.vxs", "/f/2.vxs"}));
    list = WithoutRecentFile(list, "/f//8.vxs");
    EXPECT_EQ(list.size(), kRecentFileCount - 1);
    EXPECT_EQ(list[2], "/f/7.vxs");

    const List relative = WithRecentFile({}, "my.vxs");
    EXPECT_EQ(relative.front(), (std::filesystem::current_path() / "my.vxs").string());
}

TEST(RecentFiles, EntriesShowTheNameAndTheFolderAsWritten) {
    struct Case {
        size_t index;
        std::string path;
        std::string entry;
    };
    const Case cases[] = {
        {0, "/home/ida/filter/tp.vxs", "&1 tp.vxs (/home/ida/filter)"},
        {7, "/tp.vxs", "&8 tp.vxs (/)"},
        {1, "/home/ida/R&D/a&b.vxs", "&2 a&&b.vxs (/home/ida/R&&D)"},
        // A long folder keeps its last names, counted in characters, not bytes.
        {2, "/home/ida/Projekte/Messtechnik/Verstärker/Entwürfe/2024/tp.vxs",
         "&3 tp.vxs (…/Messtechnik/Verstärker/Entwürfe/2024)"},
        {3, "/home/ida/ein_sehr_langer_ordnername_der_nicht_passt_aber_bleibt/tp.vxs",
         "&4 tp.vxs (…/ein_sehr_langer_ordnername_der_nicht_passt_aber_bleibt)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecentFileEntryText(c.index, c.path), c.entry);
    }
}

TEST(RecentFiles, OnlySpecificationsAreOpenedByDropping) {
    EXPECT_TRUE(IsSpecificationPath("/a/b.vxs") && IsSpecificationPath("c.Vxs"));
    EXPECT_FALSE(IsSpecificationPath("/a/b.vxs.txt") || IsSpecificationPath("/a/.vxs/b"));
}

}  // namespace
}  // namespace vx
