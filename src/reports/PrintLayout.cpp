#include "reports/PrintLayout.h"

#include <cstdint>

#include "ledger/Amount.h"
#include "platform/Locale.h"

namespace sorabel {
namespace {

using G = PrintGeometry;
constexpr std::size_t kDescriptionBytes = 30;

class PagePrinter {
 public:
  PagePrinter(PrinterPort& printer, const LedgerGrid& grid, const PrintJob& job)
      : printer_(printer), grid_(grid), job_(job), pages_(printPageCount(grid)) {}

  void run() {
    printer_.setFont(kPrintFontName, 11);
    printer_.setPortrait();
    printer_.beginDoc();
    int row = 1;
    for (int page = 1;; ++page) {
      if (page > 1) printer_.newPage();
      printHeader(page);
      printFrame();
      printHeadings();
      int line = 1;
      for (; line <= G::rowsPerPage && row <= grid_.dataRowCount(); ++line, ++row) printEntry(line, grid_.row(row));
      if (row > grid_.dataRowCount()) {
        printTotals(line);
        break;
      }
    }
    printer_.endDoc();
  }

 private:
  static int lineY(int line) { return G::top + G::inset + G::pitch * line; }

  void centred(int left, int right, int y, std::string_view text) {
    printer_.textOut(left + (right - left - printer_.textWidth(text)) / 2, y, text);
  }
  void rightAligned(int right, int y, std::string_view text) {
    printer_.textOut(right - printer_.textWidth(text), y, text);
  }

  void printHeader(int page) {
    printer_.setFont(kPrintFontName, 16);
    centred(G::x0, G::x5, 150, sjis("現金出納帳"));
    printer_.setFont(kPrintFontName, 10);
    printer_.textOut(2000, 100, job_.today);
    rightAligned(G::x5 - G::inset, 100, std::to_string(page) + " / " + std::to_string(pages_) + " Page");
    printer_.textOut(G::x0 + G::inset, 240,
                     sjis("Sorabel-簡単出納帳　　データ件数　") + std::to_string(grid_.dataRowCount()) + sjis("件"));
    rightAligned(G::x5 - G::inset, 240, sjis("ﾌｧｲﾙ - ") + job_.bookFileName);
    printer_.setFont(kPrintFontName, 11);
  }

  void printFrame() {
    printer_.line(G::x0, G::top, G::x5, G::top, 5);
    printer_.line(G::x0, G::bottom, G::x5, G::bottom, 5);
    printer_.line(G::x0, G::top, G::x0, G::bottom, 5);
    printer_.line(G::x5, G::top, G::x5, G::bottom, 5);
    for (int x : {G::x1, G::x2, G::x3, G::x4}) printer_.line(x, G::top, x, G::bottom, 1);
    for (int k = 1; k <= G::rowsPerPage; ++k) printer_.line(G::x0, G::top + G::pitch * k, G::x5, G::top + G::pitch * k, 1);
  }

  void printHeadings() {
    const int y = G::top + G::inset;
    centred(G::x0, G::x1, y, sjis("日付"));
    centred(G::x1, G::x2, y, sjis("摘要"));
    centred(G::x2, G::x3, y, sjis("収入"));
    centred(G::x3, G::x4, y, sjis("支出"));
    centred(G::x4, G::x5, y, sjis("残高"));
  }

  void printEntry(int line, const LedgerRowView& cells) {
    const int y = lineY(line);
    printer_.textOut(G::x0 + G::inset, y, cells[kDateColumn]);
    printer_.textOut(G::x1 + G::inset, y, prefixOnCharBoundary(cells[kDescriptionColumn], kDescriptionBytes));
    rightAligned(G::x3 - G::inset, y, cells[kIncomeColumn]);
    rightAligned(G::x4 - G::inset, y, cells[kExpenseColumn]);
    rightAligned(G::x5 - G::inset, y, cells[kBalanceColumn]);
    incomeTotal_ += parseAmount(cells[kIncomeColumn]);
    expenseTotal_ += parseAmount(cells[kExpenseColumn]);
  }

  void printTotals(int line) {
    const int y = lineY(line);
    centred(G::x0, G::x1, y, sjis("合計"));
    rightAligned(G::x3 - G::inset, y, amountText(incomeTotal_));
    rightAligned(G::x4 - G::inset, y, amountText(expenseTotal_));
  }

  PrinterPort& printer_;
  const LedgerGrid& grid_;
  const PrintJob& job_;
  const int pages_;
  std::int64_t incomeTotal_ = 0;
  std::int64_t expenseTotal_ = 0;
};

}  // namespace

int printPageCount(const LedgerGrid& grid) {
  return (grid.dataRowCount() + G::rowsPerPage - 1) / G::rowsPerPage;
}

void printBook(PrinterPort& printer, const LedgerGrid& grid, const PrintJob& job) {
  try {
    PagePrinter(printer, grid, job).run();
  } catch (...) {
    printer.abortDoc();
    throw;
  }
}

}  // namespace sorabel
