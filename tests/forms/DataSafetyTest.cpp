// Nothing the user typed is lost: open cell editors, unsaved new books,
// other writers, unreadable files, exact paths and passwords, printing and
// the settings dialog's single write.

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPrinter>
#include <QTest>

#include "components/toolbars/TToolbarButton.h"
#include "forms/FormsFixture.h"
#include "forms/UAdd.h"
#include "forms/UPathWord.h"
#include "forms/USet.h"
#include "forms/UDataFm.h"
#include "forms/UKensakuFm.h"

namespace sorabel::test {
namespace {

using Rows = std::vector<Utf8Row>;

const char* const kChanged = "データは変更されています\r保存しますか？";
const char* const kOneEntry = "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n";

class DataSafetyTest : public FormsTest {
 protected:
  void openBook(const QString& path) {
    dialogs.openNames.push_back(path);
    main().Open1Click();
  }
  // Opens the cell editor of (column, grid row) and types text into it.
  QLineEdit* typeIntoCell(int column, int row, const QString& text) {
    StringGridView* grid = child<StringGridView>(&main(), "StringGrid1");
    const QModelIndex index = grid->model()->index(row - 1, column);
    grid->setCurrentIndex(index);
    grid->edit(index);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
    if (editor == nullptr) throw std::logic_error("no cell editor");
    editor->setText(text);
    return editor;
  }
  QAction* action(const char* name) { return child<QAction>(&main(), name); }
};

TEST_F(DataSafetyTest, CommandsAndClosingCommitTheOpenCellEditorFirst) {
  start().show();
  openBook(writeBook("book.csv", kOneEntry));

  typeIntoCell(kDescriptionColumn, 1, "typed");
  action("Save1")->trigger();  // a menu command
  EXPECT_EQ(bookText("book.csv"), "\"2001/01/01\",\"typed\",\"1\",\"0\",\"1\"\r\n");

  typeIntoCell(kDescriptionColumn, 1, "by toolbar");
  child<toolbars::TToolbarButton>(&main(), "SpBtnSave")->Click();
  EXPECT_EQ(rows()[0][1], "by toolbar");
  EXPECT_EQ(bookText("book.csv"), "\"2001/01/01\",\"by toolbar\",\"1\",\"0\",\"1\"\r\n");

  typeIntoCell(kDescriptionColumn, 1, "at close");
  dialogs.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(main().close());  // the typed text counts as a change
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{kChanged});
  EXPECT_EQ(rows()[0][1], "at close");
}

TEST_F(DataSafetyTest, AnIncompleteDateStopsTheCommand) {
  start().show();
  openBook(writeBook("book.csv", kOneEntry));
  QLineEdit* editor = typeIntoCell(kDateColumn, 1, "2001/0");
  action("Save1")->trigger();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"入力値が不正です。ｴｽｹｰﾌﾟｷｰで変更を取り消せます"});
  EXPECT_EQ(bookText("book.csv"), kOneEntry);
  EXPECT_TRUE(editor->isVisible());  // still open for correcting
  dialogs.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(main().close());
  EXPECT_EQ(dialogs.texts().size(), 2u);  // refused again; no question
}

TEST_F(DataSafetyTest, NewAsksAndCancelKeepsTheBook) {
  start();
  main().changeBook([](LedgerGrid& grid) { grid.setCell(kDescriptionColumn, 1, sjis("今日の分")); });
  dialogs.answers.push_back(Answer::Cancel);
  main().New1Click();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{kChanged});
  EXPECT_EQ(rows()[0][1], "今日の分");

  dialogs.answers.push_back(Answer::Yes);  // Yes saves first (a new book: Save As)
  dialogs.saveNames.push_back(bookPath("kept.csv"));
  main().New1Click();
  EXPECT_NE(bookText("kept.csv").find("今日の分"), std::string::npos);
  EXPECT_EQ(rows(), (Rows{{"", "", "", "", ""}}));
}

TEST_F(DataSafetyTest, AFileChangedByAnotherProgramIsNotOverwrittenUnasked) {
  start();
  const QString book = writeBook("book.csv", kOneEntry);
  openBook(book);
  main().changeBook([](LedgerGrid& grid) { grid.setCell(kDescriptionColumn, 1, "mine"); });
  writeBytes(dir / "book.csv", "\"2002/02/02\",\"theirs\",\"1\",\"0\",\"1\"\r\n");  // a second writer

  dialogs.answers.push_back(Answer::No);
  main().Save1Click();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{book + " は他のプログラムによって変更されています。上書きしますか？"});
  EXPECT_NE(bookText("book.csv").find("theirs"), std::string::npos);

  dialogs.answers.push_back(Answer::Yes);
  main().Save1Click();
  EXPECT_NE(bookText("book.csv").find("mine"), std::string::npos);
  main().Save1Click();  // our own file now: no question
  EXPECT_EQ(dialogs.texts().size(), 2u);
}

TEST_F(DataSafetyTest, AnUnreadableFileLeavesBookNameCaptionAndStatusAlone) {
  start();
  const QString book = writeBook("book.csv", kOneEntry);
  openBook(book);
  openBook("/proc/self/mem");  // exists, but cannot be read
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.startsWith("/proc/self/mem を読み込めません。"));
  EXPECT_EQ(main().BookFileName(), book);
  EXPECT_EQ(main().windowTitle(), QStringLiteral("Sorabel\u3000") + book);
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));
  EXPECT_EQ(panel(3), " 30 byte");
}

TEST_F(DataSafetyTest, PathsAndPasswordsWithWaveDashesComeBackExactly) {
  // The password as the profile holds it: code page 932 bytes, where 〜 and ～ are one.
  {
    SettingsProfile profile(profilePath());
    profile.writePassword(sjis("秘密〜"));
    profile.writeOpensLastBook(true);
  }
  start();
  whenModal([this] {
    child<QLineEdit>(forms->PathWordFm, "Edit1")->setText(QStringLiteral("秘密〜"));  // U+301C, as input methods type it
    child<QAbstractButton>(forms->PathWordFm, "BitBtn1")->click();
  });
  EXPECT_TRUE(forms->passwordAccepted());

  const QString book = writeBook("a〜b.csv", kOneEntry);
  openBook(book);
  main().show();
  EXPECT_TRUE(main().close());
  EXPECT_NE(readBytes(profilePath()).find("FileName=file://"), std::string::npos);

  forms.reset();  // the next start opens the last book again
  start();
  EXPECT_EQ(main().BookFileName(), book);  // the same file, not a～b.csv
  EXPECT_EQ(rows(), (Rows{{"2001/01/01", "a", "1", "0", "1"}}));
  main().ShowHistoryMenu();
  EXPECT_EQ(child<QAction>(&main(), "Histry0")->data().toString(), book);
}

TEST_F(DataSafetyTest, PrintingToPdfNamesCharactersShiftJisLacksAndNeverLeavesAPartialFile) {
  start();
  openBook(writeBook("café.csv", kOneEntry));
  const QString pdf = QString::fromStdString((dir / "café.pdf").string());
  main().P1Click();
  EXPECT_EQ(dialogs.offeredPdfName, pdf);  // beside the book, with its name

  main().printer()->setOutputFormat(QPrinter::PdfFormat);
  main().printer()->setOutputFileName(pdf);
  dialogs.answers.push_back(Answer::Yes);
  main().Print1Click();
  EXPECT_EQ(dialogs.texts().size(), 1u);  // only the page question: the job ran
  ASSERT_TRUE(std::filesystem::exists(dir / "café.pdf"));
  EXPECT_EQ(panel(0), pdf + " に保存しました");
  const std::string printed = readBytes(dir / "café.pdf");

  // An amount beyond 32 bits typed in place aborts the job halfway.
  main().changeBook([](LedgerGrid& grid) { grid.setCell(kIncomeColumn, 1, "9999999999"); });
  dialogs.answers.push_back(Answer::Yes);
  main().Print1Click();
  EXPECT_EQ(dialogs.texts().back(), "'9999999999' は整数ではありません");
  EXPECT_EQ(readBytes(dir / "café.pdf"), printed);  // the earlier PDF is untouched
  int files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 2);  // the book and the PDF: no temporary file left
}

TEST_F(DataSafetyTest, SettingsOkNeverStumblesOverBytesItDidNotChange) {
  // A hand-edited profile: bytes that are not valid Shift-JIS.
  writeBytes(profilePath(), "[History]\r\nFile0=/a&b.csv\r\nFile1=/bad\x81\x20.csv\r\n[Tekiyo]\r\nTekiyo0=x\xFD\r\n");
  start();
  whenModal([this] {
    TSetFm& set = *forms->SetFm;
    EXPECT_EQ(child<QCheckBox>(&set, "ChBox1")->text(), "/a&&b.csv");  // "&" is shown as itself
    child<QAbstractButton>(&set, "BitBtn1")->click();
  });
  main().S2Click();
  EXPECT_TRUE(dialogs.shown.empty());
  const std::string written = readBytes(profilePath());
  EXPECT_NE(written.find("File1=/bad\x81\x20.csv"), std::string::npos);
  EXPECT_NE(written.find("Tekiyo0=x\xFD"), std::string::npos);
}

TEST_F(DataSafetyTest, EntryDialogIsPlacedBesideTheMainWindowAtItsFirstShowing) {
  start();
  main().move(120, 40);  // placed by the window system after start-up
  main().show();
  QPoint shown;
  whenModal([&] {
    shown = forms->AddFm->pos();
    forms->AddFm->reject();
  });
  main().A1Click();
  EXPECT_EQ(shown, QPoint(120, 110));
}

TEST_F(DataSafetyTest, AmountColumnsWidenSoNoAmountIsShownCut) {
  start().show();
  openBook(writeBook("big.csv", "\"2001/01/01\",\"a\",\"1,859,337,592\",\"0\",\"\"\r\n"));
  StringGridView* grid = child<StringGridView>(&main(), "StringGrid1");
  const int needed = grid->fontMetrics().horizontalAdvance("1,859,337,592") + 10;
  EXPECT_GE(grid->columnWidth(kBalanceColumn), needed);
  EXPECT_GE(grid->columnWidth(kIncomeColumn), needed);
  EXPECT_EQ(grid->columnWidth(kExpenseColumn), 80);  // never narrower than 80
  int others = 0;
  for (int column : {0, 2, 3, 4}) others += grid->columnWidth(column);
  EXPECT_EQ(grid->columnWidth(kDescriptionColumn), grid->width() - others - 25);
}

TEST_F(DataSafetyTest, DialogsStartInTheBooksFolder) {
  start();
  std::filesystem::create_directory(dir / "books");
  writeBytes(dir / "books" / "b.csv", kOneEntry);
  openBook(QString::fromStdString((dir / "books" / "b.csv").string()));
  dialogs.openNames.push_back("");
  main().Open1Click();
  EXPECT_EQ(dialogs.lastOptions.folder, QString::fromStdString((dir / "books").string()));
}

TEST_F(DataSafetyTest, EnterInTheResultsGridPressesTheirOkButton) {
  start();
  openBook(writeBook("book.csv", kOneEntry));
  bool closedByEnter = false;
  whenModal([&] {
    child<QLineEdit>(forms->KensakuFm, "MojiEdit")->setText("a");
    QTimer::singleShot(0, [&] {
      StringGridView* grid = child<StringGridView>(forms->DataFm, "StringGrid1");
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(grid, &enter);
      closedByEnter = !forms->DataFm->isVisible();
      if (!closedByEnter) forms->DataFm->reject();
    });
    child<QAbstractButton>(forms->KensakuFm, "FindBtn")->click();
  });
  main().Find2Click();
  EXPECT_TRUE(closedByEnter);
}

}  // namespace
}  // namespace sorabel::test
