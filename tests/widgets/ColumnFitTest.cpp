// Columns fitted to their widest text: measured from the cells' bytes or
// through the model, passing over texts too short to matter, and after a
// change only where the rows changed.

#include <QFontDatabase>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <random>
#include <algorithm>

#include "forms/FormsFixture.h"
#include "ledger/SortAndBalance.h"
#include "widgets/ColumnFit.h"
#include "widgets/LedgerTableModel.h"
#include "widgets/StringGridView.h"
#include "widgets/TextTableModel.h"

namespace sorabel::test {
namespace {

// A proportional font in which "W" is far wider than "i".
QFont proportionalFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(13);
  return font;
}

// The width of a column as measured text by text, with no text passed
// over: a text of ASCII characters by its characters' advances added up
// (rounded each, so a little wider than the text may need), any other
// whole; the first widest also whole, when that is wider.
int measuredWidth(const QFontMetrics& metrics, const QStringList& texts, int minimum, int most) {
  int widest = 0;
  QString first;
  for (const QString& text : texts) {
    int width = 0;
    for (QChar c : text) width += metrics.horizontalAdvance(c);
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 128; }))
      width = metrics.horizontalAdvance(text);
    if (width > widest) {
      widest = width;
      first = text;
    }
  }
  return std::clamp(columnWidthForText(std::max(widest, metrics.horizontalAdvance(first))), minimum, most);
}

// True when every text is shown whole (or the column is as wide as it gets).
bool showsWhole(const QFontMetrics& metrics, const QStringList& texts, int width, int most) {
  return width == most || std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
           return width >= columnWidthForText(metrics.horizontalAdvance(text));
         });
}

// Two grids of one fitted column: over the main grid's model (the cells'
// bytes) and over a table of texts (through data()).
struct FittedGrids {
  LedgerGrid book;
  LedgerTableModel ledgerModel{book};
  TextTableModel textModel{{QStringLiteral("a"), QStringLiteral("b")}};
  StringGridView byBytes{[](int) { return CellAlign::Left; }};
  StringGridView byTexts{[](int) { return CellAlign::Left; }};
  static constexpr int kMinimum = 12;
  const QString widestWhole = QString(40, QLatin1Char('W'));

  FittedGrids() {
    for (StringGridView* grid : {&byBytes, &byTexts}) grid->setFont(proportionalFont());
    byBytes.setModel(&ledgerModel);
    byTexts.setModel(&textModel);
    byBytes.fitColumnsToTexts({kIncomeColumn}, kMinimum, widestWhole);
    byTexts.fitColumnsToTexts({1}, kMinimum, widestWhole);
  }
  int most() const { return columnWidthForText(byBytes.fontMetrics().horizontalAdvance(widestWhole)); }
  void show(const QStringList& texts) {
    ledgerModel.change([&](LedgerGrid& grid) {
      grid.setRowCount(static_cast<int>(texts.size()) + 1);
      for (int r = 1; r <= texts.size(); ++r) grid.setCell(kIncomeColumn, r, toAnsi(texts[r - 1]));
    });
    std::vector<QStringList> rows;
    for (const QString& text : texts) rows.push_back({QString(), text});
    textModel.setRows(rows);
  }
};

TEST(ColumnFit, TheWidestTextInPixelsWinsOverTheLongestInCharacters) {
  FittedGrids grids;
  const QFontMetrics metrics(proportionalFont());
  ASSERT_GT(metrics.horizontalAdvance(QStringLiteral("WWW")), metrics.horizontalAdvance(QStringLiteral("iiiiiii")));
  const QStringList texts = {QStringLiteral("iiiiiii"), QStringLiteral("WWW"), QStringLiteral("ii"), QStringLiteral("iiiiii")};
  grids.show(texts);
  for (int width : {grids.byBytes.columnWidth(kIncomeColumn), grids.byTexts.columnWidth(1)}) {
    EXPECT_TRUE(showsWhole(metrics, texts, width, grids.most())) << width;
    EXPECT_EQ(width, measuredWidth(metrics, {QStringLiteral("WWW")}, FittedGrids::kMinimum, grids.most()));
  }
}

// Random texts of narrow and wide characters, some of them Japanese, in
// columns of many sizes: both ways of measuring, which pass over texts too
// short to matter and stop at the widest whole text, give what measuring
// every text gives, and show every text whole.
TEST(ColumnFit, RandomColumnsGetTheWidthOfMeasuringEveryText) {
  FittedGrids grids;
  const QFontMetrics metrics(proportionalFont());
  const QString characters = QStringLiteral("iIl.,1W@M0-") + QString::fromUtf8("食費ｱ");
  std::mt19937 random(7);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  for (int column = 0; column < 300; ++column) {
    QStringList texts;
    for (int row = pick(30); row >= 0; --row) {
      QString text;
      for (int length = pick(column % 5 == 0 ? 50 : 9); length > 0; --length) text += characters[pick(characters.size())];
      texts << text;
    }
    grids.show(texts);
    const int expected = measuredWidth(metrics, texts, FittedGrids::kMinimum, grids.most());
    ASSERT_EQ(grids.byBytes.columnWidth(kIncomeColumn), expected) << column << ": " << texts.join(u'|').toStdString();
    ASSERT_EQ(grids.byTexts.columnWidth(1), expected) << column << ": " << texts.join(u'|').toStdString();
    ASSERT_TRUE(showsWhole(metrics, texts, expected, grids.most())) << column;
    // Single cells typed over, as the grid's editor does it: measured alone
    // unless they held the widest text.
    for (int edit = 0; edit < 4; ++edit) {
      const int row = pick(static_cast<int>(texts.size()));
      QString text;
      for (int length = pick(12); length > 0; --length) text += characters[pick(characters.size())];
      texts[row] = text;
      grids.ledgerModel.setData(grids.ledgerModel.index(row, kIncomeColumn), text, Qt::EditRole);
      ASSERT_EQ(grids.byBytes.columnWidth(kIncomeColumn), measuredWidth(metrics, texts, FittedGrids::kMinimum, grids.most()))
          << column << " edit " << edit << ": " << texts.join(u'|').toStdString();
    }
  }
}

// Texts whose characters add up alike may still differ as a whole: the
// first of them counts, also when a cell above the widest is typed over.
TEST(ColumnFit, OfTextsEquallyWideTheFirstCounts) {
  FittedGrids grids;
  const QFontMetrics metrics(proportionalFont());
  const auto sum = [&](const QString& text) {
    int width = 0;
    for (QChar c : text) width += metrics.horizontalAdvance(c);
    return width;
  };
  // Two orders of the same characters whose whole advances differ.
  QString first;
  QString second;
  const QString characters = QStringLiteral("iIl.,1W@M0-jfrtTVAY");
  for (int a = 0; a < characters.size() && first.isEmpty(); ++a)
    for (int b = 0; b < characters.size() && first.isEmpty(); ++b)
      for (int c = 0; c < characters.size() && first.isEmpty(); ++c) {
        const QString one = QString(characters[a]) + characters[b] + characters[c];
        const QString other = QString(characters[c]) + characters[b] + characters[a];
        if (std::max(sum(one), metrics.horizontalAdvance(one)) > std::max(sum(other), metrics.horizontalAdvance(other))) {
          first = one;
          second = other;
        }
      }
  ASSERT_FALSE(first.isEmpty()) << "no such texts in this font";
  grids.show({QStringLiteral("i"), second, QStringLiteral("ii")});
  EXPECT_EQ(grids.byBytes.columnWidth(kIncomeColumn), measuredWidth(metrics, {second}, FittedGrids::kMinimum, grids.most()));
  grids.ledgerModel.setData(grids.ledgerModel.index(0, kIncomeColumn), first, Qt::EditRole);
  EXPECT_EQ(grids.byBytes.columnWidth(kIncomeColumn), measuredWidth(metrics, {first}, FittedGrids::kMinimum, grids.most()));
}

class FittedMainGridTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    start().show();
    main().activateWindow();
    std::string book;
    for (int r = 1; r <= 30; ++r)
      book += "\"2001/01/" + std::string(r < 10 ? "0" : "") + std::to_string(r) + "\",\"e" + std::to_string(r) +
              "\",\"" + (r == 12 ? "1,234,567,890" : std::to_string(r)) + "\",\"0\",\"0\"\r\n";
    dialogs.openNames.push_back(writeBook("book.csv", book));
    main().Open1Click();
  }
  StringGridView& grid() const { return *child<StringGridView>(&main(), "StringGrid1"); }
  // Types text into a cell as a user does: F2, the old text selected and
  // replaced, then the key that leaves the editor.
  void type(int column, int row, const QString& text, Qt::Key leave) {
    grid().setCurrentCell(column, row);
    QTest::keyClick(&grid(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(grid().cellDelegate()->openEditor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, leave);
    QCoreApplication::processEvents();
  }
  // The width of measuring every shown text of the column, between 80 and
  // the widest amount; it shows them whole.
  int needed(int column) const {
    QStringList texts;
    for (int row = 0; row < grid().model()->rowCount(); ++row) texts << grid().model()->index(row, column).data().toString();
    const QFontMetrics& metrics = grid().fontMetrics();
    const int most = columnWidthForText(metrics.horizontalAdvance(widestAmountSample(metrics)));
    const int width = measuredWidth(metrics, texts, 80, most);
    EXPECT_TRUE(showsWhole(metrics, texts, width, most)) << column;
    return width;
  }
};

// The widest amount narrowed, another made wider, a description changed:
// typed into the cells, with Tab and with Enter (which writes the balances
// of the rows after it).
TEST_F(FittedMainGridTest, ColumnsFollowEveryTypedChangeOfTheirWidestText) {
  ASSERT_GT(needed(kIncomeColumn), 80);
  EXPECT_EQ(grid().columnWidth(kIncomeColumn), needed(kIncomeColumn));
  type(kIncomeColumn, 12, QStringLiteral("5"), Qt::Key_Tab);  // the widest becomes narrow
  EXPECT_EQ(grid().columnWidth(kIncomeColumn), 80);
  type(kIncomeColumn, 20, QStringLiteral("-1,999,999,999"), Qt::Key_Tab);
  EXPECT_EQ(grid().columnWidth(kIncomeColumn), needed(kIncomeColumn));
  EXPECT_GT(grid().columnWidth(kIncomeColumn), 80);
  const int widths[] = {grid().columnWidth(kIncomeColumn), grid().columnWidth(kExpenseColumn),
                        grid().columnWidth(kBalanceColumn)};
  type(kDescriptionColumn, 3, QStringLiteral("WWWWWWWWWWWWWWWWWWWW"), Qt::Key_Tab);
  EXPECT_EQ(grid().columnWidth(kIncomeColumn), widths[0]);
  EXPECT_EQ(grid().columnWidth(kExpenseColumn), widths[1]);
  EXPECT_EQ(grid().columnWidth(kBalanceColumn), widths[2]);
  type(kExpenseColumn, 2, QStringLiteral("2000000000"), Qt::Key_Return);  // every later balance turns negative
  for (int column : {kIncomeColumn, kExpenseColumn, kBalanceColumn})
    EXPECT_EQ(grid().columnWidth(column), needed(column)) << column;
}

// After a change only the rows written are repainted: every row whose shown
// text changed lies in a range the model reported.
TEST_F(FittedMainGridTest, EveryRowWhoseTextChangedIsReported) {
  QAbstractItemModel& model = *grid().model();
  const auto shown = [&] {
    std::vector<QStringList> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < model.columnCount(); ++column) cells << model.index(row, column).data().toString();
      rows.push_back(cells);
    }
    return rows;
  };
  const auto check = [&](const std::function<void()>& change) {
    const std::vector<QStringList> before = shown();
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    change();
    const std::vector<QStringList> after = shown();
    ASSERT_EQ(before.size(), after.size());
    for (int row = 0; row < static_cast<int>(after.size()); ++row) {
      if (before[static_cast<std::size_t>(row)] == after[static_cast<std::size_t>(row)]) continue;
      bool reported = false;
      for (const QList<QVariant>& signal : spy)
        reported = reported || (signal[0].toModelIndex().row() <= row && row <= signal[1].toModelIndex().row());
      EXPECT_TRUE(reported) << "row " << row;
    }
  };
  check([&] { type(kIncomeColumn, 10, QStringLiteral("100000"), Qt::Key_Return); });
  check([&] { type(kDateColumn, 25, QStringLiteral("20010102"), Qt::Key_Return); });  // the row moves
  check([&] { type(kDescriptionColumn, 5, QStringLiteral("x"), Qt::Key_Return); });
  check([&] { main().Undo1Click(); });
  check([&] { main().Undo1Click(); });
  check([&] { main().Redo1Click(); });
}

}  // namespace
}  // namespace sorabel::test
