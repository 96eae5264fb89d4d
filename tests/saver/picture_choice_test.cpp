#include "saver/picture_choice.h"

#include "saver_fakes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

// A folder with every picture extension in mixed case, and the files that must be left out.
class PictureFolder : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.png", "B.GIF", "c.Jpg", "d.jpeg", "e.BMP", "f.ico", "g.emf",
                                 "h.WMF", "i.txt", "jpg", "k.jpg.bak", ".hidden.png"})
            WriteFileBytes(dir.file(name), "x");
        std::filesystem::create_directory(dir.file("sub.png"));
        std::filesystem::create_directory(dir.file("nested"));
        WriteFileBytes(dir.file("nested/deep.png"), "x");
    }
    TempDir dir;
};

TEST_F(PictureFolder, ListsLoadablePictureFilesDirectlyInside)
{
    EXPECT_EQ(ListPictureFiles(dir.path()),
              (std::vector<std::string>{"B.GIF", "a.png", "c.Jpg", "d.jpeg", "e.BMP", "f.ico",
                                        "g.emf", "h.WMF"}));
}

TEST_F(PictureFolder, PathIsTheSameWithOrWithoutTrailingSeparatorAndDrawsUniformly)
{
    // The scripted values pick index 3, then 0, then 7 out of eight files.
    ScriptedRandom random({3, 8, 15});
    EXPECT_EQ(PickRandomPicture(dir.path(), random), dir.file("d.jpeg"));
    EXPECT_EQ(PickRandomPicture(dir.path() + "/", random), dir.file("B.GIF"));
    EXPECT_EQ(PickRandomPicture(dir.path() + "/", random), dir.file("h.WMF"));
    EXPECT_EQ(random.seeds, 3);  // reseeded from the clock before every draw

    ClockSeededRandom real;
    std::map<std::string, int> seen;
    for (int i = 0; i < 800; ++i)
        ++seen[PickRandomPicture(dir.path(), real)];
    EXPECT_EQ(seen.size(), 8u);
    for (const auto& [path, count] : seen)
        EXPECT_GT(count, 50) << path;
}

TEST(PictureChoice, NoPictureGivesAnEmptyPath)
{
    TempDir dir;
    WriteFileBytes(dir.file("notes.txt"), "x");
    ScriptedRandom random({0});
    EXPECT_EQ(PickRandomPicture(dir.path(), random), "");
    EXPECT_EQ(PickRandomPicture(dir.file("missing"), random), "");
    EXPECT_EQ(PickRandomPicture("", random), "");
    EXPECT_FALSE(FolderExists(""));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_TRUE(FolderExists(dir.path() + "/"));
}

}  // namespace
