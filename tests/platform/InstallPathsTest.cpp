#include "platform/InstallPaths.h"

#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "support/TestFiles.h"

namespace sorabel {
namespace {

using test::TempDir;

ProfilePlaceFacts installedFacts() {
  ProfilePlaceFacts facts;
  facts.installed = true;
  facts.besideProgram = "/usr/bin/sorabel.ini";
  facts.home = "/home/hanako";
  return facts;
}

TEST(InstallPaths, AnInstalledProgramUsesTheUsersConfigFolderOnly) {
  ProfilePlaceFacts facts = installedFacts();
  EXPECT_EQ(chooseProfilePath(facts), "/home/hanako/.config/sorabel/sorabel.ini");
  facts.xdgConfigHome = "/data/config";
  EXPECT_EQ(chooseProfilePath(facts), "/data/config/sorabel/sorabel.ini");
  facts.xdgConfigHome = "relative/config";  // not absolute: ignored
  EXPECT_EQ(chooseProfilePath(facts), "/home/hanako/.config/sorabel/sorabel.ini");
  // A profile that root left beside the program, or a folder root may
  // write, changes nothing.
  facts.besideExists = true;
  facts.folderWritable = true;
  EXPECT_EQ(chooseProfilePath(facts), "/home/hanako/.config/sorabel/sorabel.ini");
}

TEST(InstallPaths, ABuildRunOrPortableCopyKeepsItsProfileBesideItself) {
  ProfilePlaceFacts facts = installedFacts();
  facts.installed = false;
  facts.folderWritable = true;
  EXPECT_EQ(chooseProfilePath(facts), "/usr/bin/sorabel.ini");
  facts.folderWritable = false;
  facts.besideExists = true;  // one on a read-only medium
  EXPECT_EQ(chooseProfilePath(facts), "/usr/bin/sorabel.ini");
  facts.besideExists = false;  // nowhere to keep one beside it
  EXPECT_EQ(chooseProfilePath(facts), "/home/hanako/.config/sorabel/sorabel.ini");
}

TEST(InstallPaths, AProgramWithItsDataFolderIsInstalled) {
  TempDir dir;
  std::filesystem::create_directories(dir / "bin");
  test::writeBytes(dir / "bin" / "sorabel.ini", "[Form]\r\n");  // made by root, say
  EXPECT_FALSE(isInstalledProgram(dir / "bin" / "sorabel", "../share/sorabel"));
  EXPECT_EQ(profileLocation(dir / "bin" / "sorabel.ini", false), dir / "bin" / "sorabel.ini");
  std::filesystem::create_directories(dir / "share" / "sorabel");
  EXPECT_TRUE(isInstalledProgram(dir / "bin" / "sorabel", "../share/sorabel"));
  EXPECT_NE(profileLocation(dir / "bin" / "sorabel.ini", true), dir / "bin" / "sorabel.ini");
}

TEST(InstallPaths, AWritableFolderOrAnExistingProfileIsFoundOnDisk) {
  TempDir dir;
  EXPECT_EQ(profileLocation(dir / "sorabel.ini", false), dir / "sorabel.ini");  // the folder is writable
}

TEST(InstallPaths, TheInstalledHelpFileWinsOverTheBuildTreesWhenItIsThere) {
  TempDir dir;
  std::filesystem::create_directories(dir / "bin");
  const std::filesystem::path program = dir / "bin" / "sorabel";
  const std::filesystem::path buildTree = dir / "build" / "Sorabel.hlp";
  EXPECT_EQ(installedDataFolder(program, "../share/sorabel"), dir / "share" / "sorabel");
  EXPECT_EQ(installedOrBuildFile(program, "../share/sorabel", buildTree), buildTree);
  std::filesystem::create_directories(dir / "share" / "sorabel");
  test::writeBytes(dir / "share" / "sorabel" / "Sorabel.hlp", "help");
  EXPECT_EQ(installedOrBuildFile(program, "../share/sorabel", buildTree), dir / "share" / "sorabel" / "Sorabel.hlp");
}

TEST(InstallPaths, AProfileInAFolderNotMadeYetMakesItOnTheFirstWrite) {
  TempDir dir;
  const std::filesystem::path path = dir / "config" / "sorabel" / "sorabel.ini";
  Profile profile(path);
  profile.writeInteger("Form", "Top", 5);
  EXPECT_EQ(test::readBytes(path), "[Form]\r\nTop=5\r\n");
}

}  // namespace
}  // namespace sorabel
