#include "platform/Profile.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace sorabel {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(Profile, MissingFileSectionOrKeyReadsAsTheDefault) {
  TempDir dir;
  Profile missing(dir / "none.ini");
  EXPECT_EQ(missing.readString("Form", "PathWord", "dflt"), "dflt");
  EXPECT_EQ(missing.readInteger("Form", "Height", 450), 450);

  writeBytes(dir / "p.ini", "[Form]\r\nTop=5\r\n");
  Profile profile(dir / "p.ini");
  EXPECT_EQ(profile.readInteger("Form", "Left", 7), 7);
  EXPECT_EQ(profile.readInteger("Set", "Top", 9), 9);
}

TEST(Profile, ReadsValuesTheWayTheWindowsProfileFunctionsDo) {
  TempDir dir;
  writeBytes(dir / "p.ini",
             "; comment\r\n"
             "[form]\r\n"
             "  top = 12  \r\n"
             "Quoted=  \"  spaced  \"  \r\n"
             "Empty=\r\n"
             "Hex=0x1F4\r\n"
             "HexUpper=0X10\r\n"
             "JustPrefix=0x\r\n"
             "Word=abc\r\n"
             "Negative=-25\r\n"
             "[Other]\r\n"
             "Top=99\n");  // a bare line feed is accepted too
  Profile profile(dir / "p.ini");
  EXPECT_EQ(profile.readInteger("FORM", "TOP", 0), 12);  // names match without case
  EXPECT_EQ(profile.readString("Form", "Top", ""), "12");
  EXPECT_EQ(profile.readString("Form", "Quoted", ""), "  spaced  ");
  EXPECT_EQ(profile.readString("Form", "Empty", "dflt"), "");
  EXPECT_EQ(profile.readInteger("Form", "Hex", 0), 500);
  EXPECT_EQ(profile.readInteger("Form", "HexUpper", 0), 16);
  EXPECT_EQ(profile.readInteger("Form", "JustPrefix", 3), 3);  // "0x" alone is not a number
  EXPECT_EQ(profile.readInteger("Form", "Word", 450), 450);
  EXPECT_EQ(profile.readInteger("Form", "Negative", 0), -25);
  EXPECT_EQ(profile.readInteger("Other", "Top", 0), 99);
}

TEST(Profile, LongValuesAreReadUpTo1023BytesOnACharacterBoundary) {
  TempDir dir;
  std::string ascii(1100, 'a');
  std::string kanji;
  for (int i = 0; i < 600; ++i) kanji += sjis("表");
  writeBytes(dir / "p.ini", "[S]\r\nA=" + ascii + "\r\nK=x" + kanji + "\r\n");
  Profile profile(dir / "p.ini");
  EXPECT_EQ(profile.readString("S", "A", "").size(), 1023u);
  EXPECT_EQ(profile.readString("S", "K", "").size(), 1023u);  // "x" + 511 kanji
  EXPECT_EQ(profile.readString("S", "K", "").back(), '\x5C');
}

TEST(Profile, WritesKeepEverythingElseAndNeverRemoveKeys) {
  TempDir dir;
  writeBytes(dir / "p.ini", "; mine\r\n[Form]\r\nTop=1\r\n\r\n[File]\r\nFileName=a.csv\r\n");
  Profile profile(dir / "p.ini");
  profile.writeInteger("form", "top", 20);
  profile.writeString("Form", "Left", "30");
  profile.writeString("File", "FileName", "");
  profile.writeString("History", "File0", sjis("C:\\家計簿.csv"));
  EXPECT_EQ(readBytes(dir / "p.ini"),
            "; mine\r\n[Form]\r\nTop=20\r\nLeft=30\r\n\r\n[File]\r\nFileName=\r\n\r\n[History]\r\nFile0=" +
                sjis("C:\\家計簿.csv") + "\r\n");
  Profile reread(dir / "p.ini");
  EXPECT_EQ(reread.readString("File", "FileName", "dflt"), "");
  EXPECT_EQ(reread.readString("History", "File0", ""), sjis("C:\\家計簿.csv"));
}

TEST(Profile, ValuesWithBlanksOrQuotesAtTheEndsReadBackAsWritten) {
  TempDir dir;
  Profile profile(dir / "p.ini");
  for (std::string value : {" lead", "trail ", "\"quoted\"", "\"", "mid dle", "\t"}) {
    profile.writeString("Form", "PathWord", value);
    EXPECT_EQ(Profile(dir / "p.ini").readString("Form", "PathWord", "?"), value);
  }
}

TEST(Profile, FailedWriteReportsThePathAndKeepsTheFile) {
  TempDir dir;
  writeBytes(dir / "a-file", "");
  const auto path = dir / "a-file" / "p.ini";  // its folder cannot be made
  Profile profile(path);
  try {
    profile.writeString("Form", "Top", "1");
    FAIL();
  } catch (const ProfileWriteError& e) {
    EXPECT_EQ(std::string(e.what()), path.string() + " に書き込めません");
  }

  writeBytes(dir / "full.ini", "[Form]\r\nTop=1\r\n");
  Profile full(dir / "full.ini");
  {
    test::FileSizeLimit diskFull(64);
    EXPECT_THROW(full.writeString("Form", "Big", std::string(200, 'x')), ProfileWriteError);
  }
  EXPECT_EQ(readBytes(dir / "full.ini"), "[Form]\r\nTop=1\r\n");
  EXPECT_EQ(full.readString("Form", "Big", "none"), "none");  // the failed write is not kept
}

}  // namespace
}  // namespace sorabel
