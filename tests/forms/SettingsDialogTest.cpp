// The settings dialog: loading from and saving to the profile.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "forms/FormsFixture.h"
#include "forms/USet.h"
#include "qtplatform/WindowOrder.h"
#include "settings/ScrambleText.h"

namespace sorabel::test {
namespace {

class SettingsDialogTest : public FormsTest {
 protected:
  TSetFm& dialog() const { return *forms->SetFm; }

  // Opens the dialog from the menu, lets change adjust it, then presses OK
  // (or Cancel).
  void edit(const std::function<void(TSetFm&)>& change, bool ok = true) {
    whenModal([this, change, ok] {
      change(dialog());
      child<QAbstractButton>(&dialog(), ok ? "BitBtn1" : "BitBtn2")->click();
    });
    main().S2Click();
  }
};

TEST_F(SettingsDialogTest, LoadsEveryControlFromTheProfile) {
  writeProfile(
      "[Form]\r\nPathWord=" + cp932ToUtf8(scrambleText("himitsu", "JUB")) +
      "\r\n[File]\r\nStartFile=OpenFile\r\n[Set]\r\nStartForm=SetForm\r\nMainFmPosition=PoCenter\r\n"
      "[Tekiyo]\r\nTekiyo0=給料\r\nTekiyo3=電気代\r\n[History]\r\nFile0=/a.csv\r\nFile1=/b.csv\r\n");
  start();
  edit(
      [](TSetFm& set) {
        EXPECT_TRUE(child<QCheckBox>(&set, "CheckBox1")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(&set, "CheckBox2")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(&set, "CheckBox4")->isChecked());
        EXPECT_EQ(child<QLineEdit>(&set, "Edit1")->text(), "himitsu");
        const QStringList lines = child<QPlainTextEdit>(&set, "Memo1")->toPlainText().split('\n');
        EXPECT_EQ(lines.size(), 20);
        EXPECT_EQ(lines[0], "給料");
        EXPECT_EQ(lines[3], "電気代");
        EXPECT_EQ(child<QCheckBox>(&set, "ChBox1")->text(), "/a.csv");
        EXPECT_FALSE(child<QCheckBox>(&set, "ChBox2")->isHidden());
        EXPECT_TRUE(child<QCheckBox>(&set, "ChBox3")->isHidden());
      },
      false);
  // Closing resets the history boxes.
  EXPECT_EQ(child<QCheckBox>(&dialog(), "ChBox1")->text(), "");
  EXPECT_TRUE(child<QCheckBox>(&dialog(), "ChBox1")->isHidden());
}

TEST_F(SettingsDialogTest, MissingProfileOpensEmptyAndOkWritesTheUncheckedValues) {
  start();
  edit([](TSetFm& set) {
    EXPECT_FALSE(child<QCheckBox>(&set, "CheckBox4")->isChecked());
    EXPECT_EQ(child<QLineEdit>(&set, "Edit1")->text(), "");
    EXPECT_EQ(child<QTabWidget>(&set, "PageControl1")->currentIndex(), 0);
  });
  const std::string text = profileText();
  for (const char* line : {"StartFile=CloseFile", "MainFmPosition=PoNone", "StartForm=SetKotei", "PathWord=\r\n",
                           "Tekiyo0=\r\n", "Tekiyo19=\r\n", "File0=\r\n", "File4=\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST_F(SettingsDialogTest, OkWithoutChangesKeepsEveryValue) {
  writeProfile("[Form]\r\nPathWord=" + cp932ToUtf8(scrambleText("pw", "JUB")) +
               "\r\n[File]\r\nStartFile=OpenFile\r\n[History]\r\nFile0=/a.csv\r\n[Tekiyo]\r\nTekiyo1=x\r\n");
  start();
  edit([](TSetFm&) {});
  SettingsProfile profile(profilePath());
  EXPECT_EQ(profile.password(), "pw");
  EXPECT_TRUE(profile.opensLastBook());
  EXPECT_EQ(profile.historyEntry(0), "/a.csv");
  EXPECT_EQ(profile.registeredDescription(1), "x");
}

TEST_F(SettingsDialogTest, SavesDescriptionsPasswordAndHistoryDeletions) {
  writeProfile("[History]\r\nFile0=/a.csv\r\nFile1=/b.csv\r\nFile2=/c.csv\r\n");
  start();
  edit([](TSetFm& set) {
    QStringList lines;
    for (int i = 0; i < 25; ++i) lines << QStringLiteral("摘要%1").arg(i);
    child<QPlainTextEdit>(&set, "Memo1")->setPlainText(lines.join('\n'));
    child<QLineEdit>(&set, "Edit1")->setText("0123456789ABC");
    EXPECT_EQ(child<QLineEdit>(&set, "Edit1")->text(), "0123456789");  // ten characters at most
    child<QCheckBox>(&set, "ChBox2")->setChecked(true);
  });
  SettingsProfile profile(profilePath());
  EXPECT_EQ(profile.registeredDescription(19), sjis("摘要19"));
  EXPECT_EQ(profileText().find("摘要20"), std::string::npos);
  EXPECT_EQ(profile.password(), "0123456789");
  EXPECT_EQ(profile.history(), (std::array<AnsiString, 5>{"/a.csv", "/c.csv", "", "", ""}));

  edit([](TSetFm& set) { child<QPlainTextEdit>(&set, "Memo1")->setPlainText("one\ntwo"); });
  EXPECT_EQ(SettingsProfile(profilePath()).registeredDescription(1), "two");
  EXPECT_EQ(SettingsProfile(profilePath()).registeredDescription(2), "");
}

TEST_F(SettingsDialogTest, CancelWritesNothing) {
  start();
  edit([](TSetFm& set) { child<QCheckBox>(&set, "CheckBox1")->setChecked(true); }, false);
  EXPECT_FALSE(std::filesystem::exists(profilePath()));
}

TEST_F(SettingsDialogTest, CentreOptionCentresTheMainWindowAtOnce) {
  start();
  main().move(3, 4);
  edit([](TSetFm& set) { child<QCheckBox>(&set, "CheckBox2")->setChecked(true); });
  const QSize screen = screenSize();
  EXPECT_EQ(main().pos(), QPoint((screen.width() - main().frameGeometry().width()) / 2,
                                 (screen.height() - main().frameGeometry().height()) / 2));
}

TEST_F(SettingsDialogTest, LaterShowingsKeepTheChosenTab) {
  start();
  edit([](TSetFm& set) { child<QTabWidget>(&set, "PageControl1")->setCurrentIndex(2); }, false);
  edit([](TSetFm& set) {
    EXPECT_EQ(child<QTabWidget>(&set, "PageControl1")->currentIndex(), 2);
    EXPECT_EQ(child<QTabWidget>(&set, "PageControl1")->tabText(2), "パスワード設定");
  }, false);
}

TEST_F(SettingsDialogTest, PasswordFieldShowsStars) {
  start();
  edit([](TSetFm& set) {
    child<QTabWidget>(&set, "PageControl1")->setCurrentIndex(2);
    auto* field = child<QLineEdit>(&set, "Edit1");
    QTest::keyClicks(field, "abc");
    EXPECT_EQ(field->text(), "abc");
    EXPECT_EQ(field->displayText(), "***");
  }, false);
}

}  // namespace
}  // namespace sorabel::test
