// Search, monthly summary, printing and the about box through the windows.

#include <QApplication>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <algorithm>

#include "forms/FormsFixture.h"
#include "forms/UAbout.h"
#include "forms/UDataFm.h"
#include "forms/UKensakuFm.h"
#include "forms/UTuki.h"
#include "qtplatform/WindowOrder.h"
#include "widgets/TextTableModel.h"

// Receives the addresses the desktop shell is asked to open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }
};

namespace sorabel::test {
namespace {

const char* const kBook =
    "\"2001/01/01\",\"給料\",\"1,000,000\",\"0\",\"1,000,000\"\r\n"
    "\"2001/01/05\",\"文具\",\"0\",\"234,567\",\"765,433\"\r\n"
    "\"2001/02/01\",\"給料\",\"234,567\",\"0\",\"1,000,000\"\r\n";

class ReportsTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    start();
    main().resize(640, 300);
    main().move(10, 20);
    main().show();  // the reports take the place of a window the window system has framed
    dialogs.openNames.push_back(writeBook("book.csv", kBook));
    main().Open1Click();
  }

  // Runs a search as the user would, returning what the results window showed.
  struct Shown {
    bool resultsShown = false;
    std::vector<std::vector<QString>> rows;
    QString moji, in, out, status;
    QRect geometry;
  };
  Shown search(const QString& text) {
    Shown shown;
    QTimer resultsTimer;  // answers the results window if it opens
    resultsTimer.setSingleShot(true);
    whenModal([&] {
      TKensakuFm& dialog = *forms->KensakuFm;
      EXPECT_TRUE(child<QLineEdit>(&dialog, "MojiEdit")->text().isEmpty());
      child<QLineEdit>(&dialog, "MojiEdit")->setText(text);
      resultsTimer.start(0);
      QObject::connect(&resultsTimer, &QTimer::timeout, [&] {
        TDataFm& results = *forms->DataFm;
        shown.resultsShown = results.isVisible();
        for (int r = 0; r < results.model()->rowCount(); ++r) {
          std::vector<QString> row;
          for (int c = 0; c < 4; ++c) row.push_back(results.model()->cell(c, r));
          shown.rows.push_back(row);
        }
        shown.moji = child<QLabel>(&results, "LblMoji")->text();
        shown.in = child<QLabel>(&results, "LblIN")->text();
        shown.out = child<QLabel>(&results, "LblOUT")->text();
        shown.status = child<StatusPanelBar>(&results, "StatusBar1")->simpleText();
        shown.geometry = results.geometry();
        child<QAbstractButton>(&results, "EndBtn")->click();
      });
      child<QAbstractButton>(&dialog, "FindBtn")->click();
      if (dialog.isVisible()) child<QAbstractButton>(&dialog, "CancelBtn")->click();
    });
    main().Find2Click();
    return shown;
  }
};

TEST_F(ReportsTest, SearchListsMatchesOfTheStoredFileWithTotals) {
  main().changeBook([](LedgerGrid& grid) { grid.setCell(kDescriptionColumn, 2, sjis("給料")); });  // unsaved
  Shown shown = search("給料");
  ASSERT_TRUE(shown.resultsShown);
  EXPECT_EQ(shown.rows, (std::vector<std::vector<QString>>{{"2001/01/01", "給料", "1,000,000", "0"},
                                                           {"2001/02/01", "給料", "234,567", "0"}}));
  EXPECT_EQ(shown.moji, "給料");
  EXPECT_EQ(shown.in, "1,234,567");
  EXPECT_EQ(shown.out, "0");
  EXPECT_EQ(shown.status, "検索データ - 2件");
  EXPECT_EQ(shown.geometry.size(), main().size());
  EXPECT_EQ(forms->DataFm->pos(), main().pos());
}

TEST_F(ReportsTest, SearchWithoutMatchesShowsOneEmptyRow) {
  Shown shown = search("ないもの");
  ASSERT_TRUE(shown.resultsShown);
  EXPECT_EQ(shown.rows, (std::vector<std::vector<QString>>{{"", "", "", ""}}));
  EXPECT_EQ(shown.in, "0");
  EXPECT_EQ(shown.status, "検索データ - 0件");
}

TEST_F(ReportsTest, EmptySearchTextIsAskedForAgain) {
  Shown shown = search("");
  EXPECT_FALSE(shown.resultsShown);
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"検索文字を入力して下さい。"});
}

TEST_F(ReportsTest, SearchWithoutABookFileSaysSoAndShowsNoResults) {
  std::filesystem::remove(dir / "book.csv");
  Shown shown = search("給料");
  EXPECT_FALSE(shown.resultsShown);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.contains("book.csv を読み込めません"));

  forms->session().setFileName("");
  dialogs.shown.clear();
  search("給料");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.startsWith("検索するファイルがありません。"));
}

TEST_F(ReportsTest, EnterInTheSearchTextMovesToTheSearchButton) {
  whenModal([this] {
    TKensakuFm& dialog = *forms->KensakuFm;
    QApplication::setActiveWindow(&dialog);
    child<QLineEdit>(&dialog, "MojiEdit")->setFocus();
    QTest::keyClick(child<QLineEdit>(&dialog, "MojiEdit"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QAbstractButton>(&dialog, "FindBtn"));
    EXPECT_TRUE(dialog.isVisible());  // no search yet
    child<QAbstractButton>(&dialog, "CancelBtn")->click();
  });
  main().Find2Click();
}

TEST_F(ReportsTest, AfterAskingForASearchTextTheFocusIsBackInTheField) {
  whenModal([this] {
    TKensakuFm& dialog = *forms->KensakuFm;
    QApplication::setActiveWindow(&dialog);
    auto* field = child<QLineEdit>(&dialog, "MojiEdit");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);  // on to the search button
    QTest::keyClick(child<QAbstractButton>(&dialog, "FindBtn"), Qt::Key_Return);
    EXPECT_EQ(dialogs.texts(), std::vector<QString>{"検索文字を入力して下さい。"});
    EXPECT_EQ(QApplication::focusWidget(), field);
    QTest::keyClicks(field, "abc");  // typed straight into the field
    EXPECT_EQ(field->text(), "abc");
    child<QAbstractButton>(&dialog, "CancelBtn")->click();
  });
  main().Find2Click();
}

TEST_F(ReportsTest, ResultsWindowKeepsItsMinimumAndLaysOutItsPanels) {
  TDataFm& results = *forms->DataFm;
  results.show();
  results.resize(300, 100);
  EXPECT_EQ(results.size(), QSize(600, 167));
  results.resize(800, 400);
  QCoreApplication::processEvents();
  EXPECT_EQ(child<QWidget>(&results, "Panel2")->x(), child<QWidget>(&results, "Panel1")->width() - 397);
  EXPECT_EQ(child<QWidget>(&results, "Panel3")->x(), child<QWidget>(&results, "Panel1")->width() - 241);
  EXPECT_EQ(child<QAbstractButton>(&results, "EndBtn")->x(), child<QWidget>(&results, "Panel1")->width() - 81 - 4);
  EXPECT_EQ(child<StringGridView>(&results, "StringGrid1")->columnWidth(1), child<StringGridView>(&results, "StringGrid1")->width() - 3 * 80 - 25);
  results.hide();
}

TEST_F(ReportsTest, MonthlySummaryListsEachMonthAndCentresOnlyTheFirstTime) {
  std::vector<std::vector<QString>> rows;
  std::vector<QPoint> places;
  QSize outer;
  auto capture = [&] {
    whenModal([&] {
      TTukiFm& window = *forms->TukiFm;
      rows.clear();
      for (int r = 0; r < window.model()->rowCount(); ++r)
        rows.push_back({window.model()->cell(0, r), window.model()->cell(1, r), window.model()->cell(2, r)});
      places.push_back(window.pos());
      outer = window.frameGeometry().size();
      EXPECT_EQ(window.size(), QSize(640, 300));
      child<QAbstractButton>(&window, "EndBtn")->click();
    });
    main().I1Click();
  };
  capture();
  EXPECT_EQ(rows, (std::vector<std::vector<QString>>{{"2001/01", "1,000,000", "234,567"}, {"2001/02", "234,567", "0"}}));
  const QSize screen = screenSize();
  EXPECT_EQ(places[0], QPoint(std::max(0, (screen.width() - outer.width()) / 2),
                              std::max(0, (screen.height() - outer.height()) / 2)));
  capture();
  EXPECT_EQ(places[1], main().pos());
}

TEST_F(ReportsTest, MonthlySummaryOfAnEmptyBookReportsTheDate) {
  main().New1Click();
  main().I1Click();  // no window: nothing would close it
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"'' は日付または時刻ではありません"});
}

TEST_F(ReportsTest, PrintAsksForThePageCountAndNoPrintsNothing) {
  main().printer()->setOutputFormat(QPrinter::PdfFormat);
  main().printer()->setOutputFileName(QString::fromStdString((dir / "out.pdf").string()));
  dialogs.answers.push_back(Answer::No);
  main().Print1Click();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"1ﾍﾟｰｼﾞを印刷します。"});
  EXPECT_FALSE(std::filesystem::exists(dir / "out.pdf"));
}

TEST_F(ReportsTest, MissingPrinterIsReported) {
  // Qt's own state when the system has no printer: no printer name and no
  // file to print to.
  main().printer()->setPrinterName(QString());
  main().printer()->setOutputFileName(QString());
  dialogs.answers.push_back(Answer::Yes);
  main().Print1Click();
  EXPECT_EQ(dialogs.texts().back(), "ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません");
}

// Runs a command; its standard output, or nothing when it failed.
std::optional<QString> run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return std::nullopt;
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(ReportsTest, ThirtySixEntriesPrintTwoPdfPagesWithTheTotalsOnTheSecond) {
  main().changeBook([](LedgerGrid& grid) {
    grid.setRowCount(37);
    for (int r = 1; r <= 36; ++r) {
      grid.setCell(kDateColumn, r, "2001/01/01");
      grid.setCell(kDescriptionColumn, r, "entry" + std::to_string(r));
      grid.setCell(kIncomeColumn, r, "100");
    }
  });
  main().SortAndBalance();
  const QString pdf = QString::fromStdString((dir / "book.pdf").string());
  main().printer()->setOutputFormat(QPrinter::PdfFormat);
  main().printer()->setOutputFileName(pdf);
  dialogs.answers.push_back(Answer::Yes);
  main().Print1Click();
  EXPECT_EQ(dialogs.texts(), std::vector<QString>{"2ﾍﾟｰｼﾞを印刷します。"});
  ASSERT_TRUE(std::filesystem::exists(dir / "book.pdf"));

  const QString prefix = QString::fromStdString((dir / "page").string());
  ASSERT_TRUE(run("pdftoppm", {"-r", "40", "-png", pdf, prefix})) << "pdftoppm failed";
  QImage first(prefix + "-1.png");
  QImage second(prefix + "-2.png");
  ASSERT_FALSE(first.isNull());
  ASSERT_FALSE(second.isNull());
  EXPECT_FALSE(std::filesystem::exists(dir / "page-3.png"));
  // The second page is mostly the empty frame: far less ink than the first.
  auto ink = [](const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
    return dark;
  };
  EXPECT_GT(ink(first), 0);
  EXPECT_GT(ink(second), 0);

  const QString secondText = run("pdftotext", {"-f", "2", "-l", "2", "-layout", pdf, "-"}).value_or(QString());
  EXPECT_TRUE(secondText.contains("合計"));
  EXPECT_TRUE(secondText.contains("entry36"));
  EXPECT_TRUE(secondText.contains("2 / 2 Page"));
  EXPECT_TRUE(secondText.contains("3,600"));
  const QString firstText = run("pdftotext", {"-f", "1", "-l", "1", "-layout", pdf, "-"}).value_or(QString());
  EXPECT_FALSE(firstText.contains("合計"));
  EXPECT_TRUE(firstText.contains("現金出納帳"));
}

TEST_F(ReportsTest, AboutBoxShowsNameVersionAndOpensItsLinks) {
  TAboutFm& about = *forms->AboutFm;
  EXPECT_EQ(about.windowTitle(), "Sorabelについて");
  EXPECT_EQ(child<QLabel>(&about, "Label1")->text(), "Sorabel");
  EXPECT_EQ(child<QLabel>(&about, "Label4")->text(), "Ver2.3");
  EXPECT_EQ(child<QLabel>(&about, "Label3")->text(), "HomePage");
  EXPECT_EQ(child<QAbstractButton>(&about, "BitBtn1")->text(), "OK(&O)");

  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("https", &catcher, "open");
  QDesktopServices::setUrlHandler("mailto", &catcher, "open");
  QTest::mouseClick(child<QLabel>(&about, "LblHomePage"), Qt::LeftButton);
  QTest::mouseClick(child<QLabel>(&about, "LblName"), Qt::LeftButton);
  QDesktopServices::unsetUrlHandler("https");
  QDesktopServices::unsetUrlHandler("mailto");
  EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl(TAboutFm::kHomePageUrl), QUrl(TAboutFm::kMailUrl)}));
}

}  // namespace
}  // namespace sorabel::test

#include "ReportsTest.moc"
