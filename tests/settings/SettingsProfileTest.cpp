#include "settings/SettingsProfile.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "settings/ScrambleText.h"

namespace sorabel {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

class SettingsProfileTest : public ::testing::Test {
 protected:
  std::filesystem::path ini() const { return dir / "sorabel.ini"; }
  SettingsProfile open() const { return SettingsProfile(ini()); }
  TempDir dir;
};

TEST_F(SettingsProfileTest, ProfileLivesBesideTheProgramWithIni) {
  EXPECT_EQ(profilePathFor("/opt/sorabel/bin/sorabel"), "/opt/sorabel/bin/sorabel.ini");
  EXPECT_EQ(profilePathFor("/x/Sorabel.exe"), "/x/Sorabel.ini");
}

TEST_F(SettingsProfileTest, MissingProfileGivesTheDefaults) {
  SettingsProfile profile = open();
  EXPECT_EQ(profile.password(), "");
  EXPECT_EQ(profile.windowPlacement(), (WindowPlacement{0, 0, 450, 600}));
  EXPECT_FALSE(profile.restoresWindowPlacement());
  EXPECT_FALSE(profile.centresMainWindow());
  EXPECT_EQ(profile.bookOrder(), BookOrder::OldestFirst);
  EXPECT_FALSE(profile.opensLastBook());
  EXPECT_EQ(profile.lastBook(), "");
  EXPECT_EQ(profile.historyEntry(4), "");
  EXPECT_EQ(profile.registeredDescription(19), "");
}

TEST_F(SettingsProfileTest, TheBackupCountIsTenUnlessSetAndStaysInItsRange) {
  EXPECT_EQ(open().backupCount(), 10);
  open().writeBackupCount(0);
  EXPECT_EQ(open().backupCount(), 0);
  EXPECT_NE(readBytes(ini()).find("[Set]\r\nBackupCount=0\r\n"), std::string::npos);
  writeBytes(ini(), "[Set]\r\nBackupCount=-4\r\n");
  EXPECT_EQ(open().backupCount(), 0);
  writeBytes(ini(), "[Set]\r\nBackupCount=100000\r\n");
  EXPECT_EQ(open().backupCount(), kMaxBackupCount);
  writeBytes(ini(), "[Set]\r\nBackupCount=abc\r\n");
  EXPECT_EQ(open().backupCount(), kDefaultBackupCount);
}

TEST_F(SettingsProfileTest, OptionsCountOnlyWhenExactlyTheirSetValue) {
  writeBytes(ini(),
             "[Set]\r\nStartForm=setform\r\nMainFmPosition=PoCenter \r\nDownUp=sortup\r\n"
             "[File]\r\nStartFile=OpenFile\r\n");
  SettingsProfile profile = open();
  EXPECT_FALSE(profile.restoresWindowPlacement());
  EXPECT_TRUE(profile.centresMainWindow());  // trailing blanks are trimmed by the profile
  EXPECT_EQ(profile.bookOrder(), BookOrder::NewestFirst);
  EXPECT_TRUE(profile.opensLastBook());
}

TEST_F(SettingsProfileTest, WritesEachKeyWithItsValues) {
  SettingsProfile profile = open();
  profile.writeRestoresWindowPlacement(false);
  profile.writeCentresMainWindow(true);
  profile.writeBookOrder(BookOrder::NewestFirst);
  profile.writeOpensLastBook(false);
  profile.writeWindowPlacement({10, -20, 500, 0x300});
  std::string text = readBytes(ini());
  for (const char* line : {"StartForm=SetKotei", "MainFmPosition=PoCenter", "DownUp=SortDown", "StartFile=CloseFile",
                           "Top=10", "Left=-20", "Height=500", "Width=768"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_EQ(open().windowPlacement(), (WindowPlacement{10, -20, 500, 768}));
}

TEST_F(SettingsProfileTest, HexHeightIsReadAsANumber) {
  writeBytes(ini(), "[Form]\r\nHeight=0x1F4\r\n");
  EXPECT_EQ(open().windowPlacement().height, 500);
}

TEST_F(SettingsProfileTest, PasswordIsStoredScrambledAndReadsBackEvenWithBlanksAtTheEnds) {
  SettingsProfile profile = open();
  profile.writePassword("secret");
  EXPECT_NE(readBytes(ini()).find("PathWord=" + scrambleText("secret", "JUB")), std::string::npos);
  // "*" becomes a blank when scrambled with "J" (42 ^ 10 = 32): the third byte.
  for (std::string password : {std::string("ab*"), std::string("*"), std::string("  "), sjis("秘密")}) {
    open().writePassword(password);
    EXPECT_EQ(open().password(), password);
  }
}

// Writes a History list of up to five entries.
void writeHistory(SettingsProfile& profile, std::vector<std::string> entries) {
  entries.resize(SettingsProfile::kHistorySize);
  for (int n = 0; n < SettingsProfile::kHistorySize; ++n) profile.writeHistoryEntry(n, entries[n]);
}

std::vector<std::string> historyOf(const SettingsProfile& profile) {
  auto entries = profile.history();
  return {entries.begin(), entries.end()};
}

TEST_F(SettingsProfileTest, UpdateHistoryPutsTheCurrentBookFirst) {
  SettingsProfile profile = open();
  writeHistory(profile, {"A", "C", "B"});
  updateHistory(profile, "C");
  EXPECT_EQ(historyOf(profile), (std::vector<std::string>{"C", "A", "B", "", ""}));

  writeHistory(profile, {"A", "B", "D", "E", "F"});
  updateHistory(profile, "C");
  EXPECT_EQ(historyOf(profile), (std::vector<std::string>{"C", "A", "B", "D", "E"}));

  writeHistory(profile, {"A", "", "B"});
  updateHistory(profile, "");
  EXPECT_EQ(historyOf(profile), (std::vector<std::string>{"A", "B", "", "", ""}));

  writeHistory(profile, {"/x/Book.csv"});
  updateHistory(profile, "/x/book.csv");  // another spelling is another entry
  EXPECT_EQ(historyOf(profile), (std::vector<std::string>{"/x/book.csv", "/x/Book.csv", "", "", ""}));
}

}  // namespace
}  // namespace sorabel

namespace sorabel {
namespace {

TEST_F(SettingsProfileTest, KeepHistoryPacksTheUntickedPlaces) {
  SettingsProfile profile = open();
  writeHistory(profile, {"A", "B", "C"});
  keepHistory(profile, profile.history(), {false, true, false, false, false});
  EXPECT_EQ(historyOf(profile), (std::vector<std::string>{"A", "C", "", "", ""}));
  keepHistory(profile, profile.history(), {true, true, true, true, true});
  EXPECT_EQ(historyOf(profile), (std::vector<std::string>{"", "", "", "", ""}));
}

TEST_F(SettingsProfileTest, RegisteredDescriptionsAreTwentyLinesAtMost) {
  SettingsProfile profile = open();
  std::vector<AnsiString> many;
  for (int i = 0; i < 25; ++i) many.push_back("d" + std::to_string(i));
  writeRegisteredDescriptions(profile, many);
  EXPECT_EQ(open().registeredDescription(19), "d19");
  EXPECT_EQ(readBytes(ini()).find("d20"), std::string::npos);
  writeRegisteredDescriptions(profile, {"only"});
  EXPECT_EQ(open().registeredDescription(0), "only");
  EXPECT_EQ(open().registeredDescription(1), "");
  EXPECT_NE(readBytes(ini()).find("Tekiyo19=\r\n"), std::string::npos);
}

TEST_F(SettingsProfileTest, PathsThatShiftJisCannotHoldExactlyAreStoredSoTheyRoundTrip) {
  EXPECT_EQ(storedPathValue("/家計簿/a.csv"), sjis("/家計簿/a.csv"));
  for (const char* path : {"/home/u/a〜b.csv", "/home/u/café & co.csv", "/x/100%〜.csv"}) {
    const std::optional<AnsiString> stored = storedPathValue(path);
    ASSERT_TRUE(stored.has_value());
    EXPECT_TRUE(stored->starts_with("file://"));
    EXPECT_EQ(pathOfStoredValue(*stored), path);
  }
  EXPECT_EQ(pathOfStoredValue(sjis("/家計簿/a.csv")), "/家計簿/a.csv");
  EXPECT_FALSE(storedPathValue("/" + std::string(1100, 'a')).has_value());  // longer than a value can be

  SettingsProfile profile = open();
  profile.writeLastBook(*storedPathValue("/home/u/a〜b.csv"));
  EXPECT_EQ(open().lastBook(), "/home/u/a〜b.csv");
}

TEST_F(SettingsProfileTest, WholeNumbersMustBeWholeToTheEnd) {
  writeBytes(ini(), "[Form]\r\nTop=12abc\r\nHeight=0x1F4zz\r\nWidth=0x\r\nLeft=7.5\r\n");
  EXPECT_EQ(open().windowPlacement(), (WindowPlacement{0, 0, 450, 600}));
}

TEST_F(SettingsProfileTest, CommitSavesManyKeysInOneWrite) {
  SettingsProfile profile(ini(), ProfileSaving::OnCommit);
  profile.writeOpensLastBook(true);
  profile.writeWindowPlacement({1, 2, 3, 4});
  EXPECT_FALSE(std::filesystem::exists(ini()));  // nothing on disk before the commit
  profile.commit();
  EXPECT_TRUE(open().opensLastBook());
  EXPECT_EQ(open().windowPlacement(), (WindowPlacement{1, 2, 3, 4}));

  test::writeBytes(dir / "a-file", "");
  SettingsProfile failing(dir / "a-file" / "x.ini", ProfileSaving::OnCommit);  // no folder can be made there
  failing.writeOpensLastBook(true);
  EXPECT_THROW(failing.commit(), ProfileWriteError);
}

}  // namespace
}  // namespace sorabel
