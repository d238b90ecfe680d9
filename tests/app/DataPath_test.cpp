// The case-insensitive data-path lookup on a real folder tree.
#include "app/DataPath.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TestSupport.h"

TEST(DataPath, MixedSeparatorsAndCase) {
    const std::string dir = MakeTempDir("paths");
    WriteFile(dir + "/data/sfx/SE_PL00/ROOK_JUMP.WAV", "wav");
    WriteFile(dir + "/data/Objects/Player/Rook.anim", "anim");
    ScopedWorkingDirectory cwd(dir);

    EXPECT_EQ(ResolveDataPath("Data\\sfx\\SE_PL00\\ROOK_Jump.WAV"),
              "data/sfx/SE_PL00/ROOK_JUMP.WAV");
    EXPECT_EQ(ResolveDataPath("data/objects/player\\ROOK.ANIM"), "data/Objects/Player/Rook.anim");
    EXPECT_EQ(ResolveDataPath("DATA//Objects\\\\Player/Rook.anim"),
              "data/Objects/Player/Rook.anim");
    EXPECT_EQ(ResolveDataPath("./data/Objects"), "./data/Objects");
    EXPECT_EQ(ResolveDataPath(dir + "/DATA/sfx"), dir + "/data/sfx") << "absolute paths";

    std::FILE* file = OpenDataFile("DATA\\OBJECTS\\PLAYER\\rook.anim", "r");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fgetc(file), 'a');
    std::fclose(file);
}

TEST(DataPath, ExactMatchWinsOverOtherCases) {
    const std::string dir = MakeTempDir("paths-exact");
    WriteFile(dir + "/data/Shot.wav", "upper");
    WriteFile(dir + "/data/shot.wav", "lower");
    WriteFile(dir + "/data/SHOT.WAV", "caps");
    ScopedWorkingDirectory cwd(dir);
    for (const char* exact : {"data/shot.wav", "data/Shot.wav", "data/SHOT.WAV"})
        EXPECT_EQ(ResolveDataPath(exact), exact);
    const std::string other = ResolveDataPath("data/sHoT.wav");
    EXPECT_TRUE(other == "data/Shot.wav" || other == "data/shot.wav" || other == "data/SHOT.WAV")
        << other;
}

TEST(DataPath, MissingPathsResolveToNothing) {
    const std::string dir = MakeTempDir("paths-missing");
    WriteFile(dir + "/data/game.cfg", "OpeningStage=Foundry\n");
    ScopedWorkingDirectory cwd(dir);
    for (const char* missing : {"data/missing.cfg", "nothing/game.cfg", "data/game.cfg/inside", "", "\\/"})
        EXPECT_EQ(ResolveDataPath(missing), "") << missing;
    EXPECT_EQ(OpenDataFile("data/missing.cfg", "r"), nullptr);
    EXPECT_EQ(OpenDataFile("DATA", "r"), nullptr) << "a folder is not opened as a file";
}

TEST(DataPath, FolderListingsAreCachedUntilCleared) {
    const std::string dir = MakeTempDir("paths-cache");
    WriteFile(dir + "/data/a.txt", "a");
    ScopedWorkingDirectory cwd(dir);
    EXPECT_EQ(ResolveDataPath("data/A.TXT"), "data/a.txt");
    EXPECT_EQ(ResolveDataPath("data/B.TXT"), "");

    std::ofstream(dir + "/data/b.txt") << "b";  // behind the cache's back
    EXPECT_EQ(ResolveDataPath("data/B.TXT"), "") << "the listing was read once";
    ClearDataPathCache();
    EXPECT_EQ(ResolveDataPath("data/B.TXT"), "data/b.txt");
}
