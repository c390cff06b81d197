// Benchmarks of the main window on the largest book (offscreen): opening
// the book through the Open command, and painting the grid at scroll
// positions all through it; and of the monthly chart's first picture.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "forms/Forms.h"
#include "forms/UMain.h"
#include "ledger/BookFile.h"
#include "platform/FileIo.h"
#include "qtplatform/UserDialogs.h"
#include "widgets/MonthChart.h"
#include "widgets/StringGridView.h"

namespace sorabel {
namespace {

// Answers every file dialog with the benchmark's book and every question with No.
class BenchDialogs : public QtUserDialogs {
 public:
  QString book;
  Answer ask(QWidget*, const QString&, AskButtons, MessageKind) override { return Answer::No; }
  void tell(QWidget*, const QString& text, MessageKind) override { qFatal("%s", qPrintable(text)); }
  QString openFileName(QWidget*, const FileDialogOptions&) override { return book; }
};

QString benchBook() {
  if (const char* given = std::getenv("SORABEL_BOOK")) return QString::fromLocal8Bit(given);
  // The core benchmark writes the generated book; make one the same way.
  const auto path = std::filesystem::temp_directory_path() / "sorabel_gui_bench_book.csv";
  LedgerGrid grid;
  grid.setRowCount(65'536);
  for (int r = 1; r <= 65'535; ++r) {
    grid.setCell(kDateColumn, r, "2001/01/" + std::to_string(10 + r % 20));
    grid.setCell(kDescriptionColumn, r, sjis("食費　スーパー"));
    grid.setCell(kExpenseColumn, r, std::to_string(r % 3000));
  }
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  writeBookFile(grid, path);
  return QString::fromStdString(path.string());
}

struct Window {
  std::filesystem::path profile = std::filesystem::temp_directory_path() / "sorabel_gui_bench.ini";
  BenchDialogs dialogs;
  std::unique_ptr<Forms> forms;
  Window() {
    dialogs.book = benchBook();
    UserDialogs::install(&dialogs);
    forms = std::make_unique<Forms>(FormPaths{profile, QString()});
    forms->MainFm->show();
  }
  ~Window() {
    forms.reset();
    UserDialogs::install(nullptr);
    std::filesystem::remove(profile);
  }
};

void OpenLargestBook(benchmark::State& state) {
  Window window;
  for (auto _ : state) {
    window.forms->MainFm->Open1Click();
    QApplication::processEvents();
  }
  state.counters["entries"] = window.forms->MainFm->grid().dataRowCount();
}
BENCHMARK(OpenLargestBook)->Unit(benchmark::kMillisecond);

void ScrollAndPaint(benchmark::State& state) {
  Window window;
  window.forms->MainFm->Open1Click();
  StringGridView& grid = *window.forms->MainFm->findChild<StringGridView*>(QStringLiteral("StringGrid1"));
  QScrollBar& bar = *grid.verticalScrollBar();
  int step = 0;
  for (auto _ : state) {
    bar.setValue(static_cast<int>((static_cast<long long>(bar.maximum()) * (step++ % 100)) / 100));
    benchmark::DoNotOptimize(grid.viewport()->grab());  // paints the visible rows
  }
}
BENCHMARK(ScrollAndPaint)->Unit(benchmark::kMillisecond);

// A 1,000,000-entry book in date order, written line by line as the program
// saves books (quoted cells, CR LF, amounts with separators), so that making
// it takes little memory and the window's peak is the book's own. Made once
// per machine.
const std::filesystem::path& millionEntryBook() {
  static const std::filesystem::path path = [] {
    const auto file = std::filesystem::temp_directory_path() / "sorabel_gui_bench_million.csv";
    if (std::filesystem::exists(file)) return file;
    const auto part = std::filesystem::path(file).concat(".part");
    std::ofstream out(part, std::ios::binary);
    const std::string description = sjis("食費　スーパー");
    std::int64_t balance = 0;
    char line[160];
    // Amounts as the program writes them: thousands separated, a minus sign.
    const auto amount = [](std::int64_t value) {
      std::string digits = std::to_string(value < 0 ? -value : value);
      for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), 1, ',');
      return value < 0 ? "-" + digits : digits;
    };
    for (int e = 0; e < 1'000'000; ++e) {
      const int expense = static_cast<int>(static_cast<std::int64_t>(e) * 7919 % 3000);
      balance -= expense;
      const int length = std::snprintf(line, sizeof line, "\"%04d/%02d/%02d\",\"%s\",\"0\",\"%s\",\"%s\"\r\n",
                                       1990 + e / 33'600, 1 + e / 2'800 % 12, 1 + e / 100 % 28, description.c_str(),
                                       amount(expense).c_str(), amount(balance).c_str());
      out.write(line, length);
    }
    out.close();
    std::filesystem::rename(part, file);
    return file;
  }();
  return path;
}

// Opening the million-entry book until the window is usable: the book read
// and balanced, the grid and status bar painted.
void OpenMillionEntryBook(benchmark::State& state) {
  Window window;
  window.dialogs.book = QString::fromStdString(millionEntryBook().string());
  for (auto _ : state) {
    window.forms->MainFm->Open1Click();
    benchmark::DoNotOptimize(window.forms->MainFm->grab());
  }
  state.counters["entries"] = window.forms->MainFm->grid().dataRowCount();
}
BENCHMARK(OpenMillionEntryBook)->Unit(benchmark::kMillisecond);

// In the million-entry book: a jump to another place and a cell edited
// there, each painted.
void ScrollAndEditMillionEntryBook(benchmark::State& state) {
  Window window;
  window.dialogs.book = QString::fromStdString(millionEntryBook().string());
  window.forms->MainFm->Open1Click();
  StringGridView& grid = *window.forms->MainFm->findChild<StringGridView*>(QStringLiteral("StringGrid1"));
  QScrollBar& bar = *grid.verticalScrollBar();
  int step = 0;
  int edits = 0;
  for (auto _ : state) {
    step = (step + 7) % 100;
    bar.setValue(bar.maximum() / 100 * step);
    const QModelIndex cell = grid.model()->index(bar.value() + 1, kDescriptionColumn);
    // A text never written before, so that every edit changes the book.
    grid.model()->setData(cell, QStringLiteral("編集 %1").arg(++edits), Qt::EditRole);
    grid.viewport()->repaint();
  }
}
BENCHMARK(ScrollAndEditMillionEntryBook)->Unit(benchmark::kMillisecond);

// In the million-entry book: a cell edited, then Enter, which sorts the
// book and writes the balances from the edited row on. Arg 0 edits a
// description (no balance changes), arg 1 an expense near the end (the
// balances of the rows after it change).
void EditAndEnterMillionEntryBook(benchmark::State& state) {
  Window window;
  window.dialogs.book = QString::fromStdString(millionEntryBook().string());
  window.forms->MainFm->Open1Click();
  StringGridView& grid = *window.forms->MainFm->findChild<StringGridView*>(QStringLiteral("StringGrid1"));
  const bool amount = state.range(0) == 1;
  const int rows = grid.model()->rowCount();
  int edits = 0;
  for (auto _ : state) {
    ++edits;
    const int row = amount ? rows - 1 - edits % 1000 : (edits * 7919) % rows;
    grid.scrollTo(grid.model()->index(row, 0));
    const QModelIndex cell = grid.model()->index(row, amount ? kExpenseColumn : kDescriptionColumn);
    grid.model()->setData(cell, amount ? QString::number(1000 + edits) : QStringLiteral("編集 %1").arg(edits),
                          Qt::EditRole);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&grid, &enter);
    grid.viewport()->repaint();
  }
}
BENCHMARK(EditAndEnterMillionEntryBook)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A book of one entry whose description is 10 MB: opening it through the
// Open command and painting the window with it.
void OpenAndPaintAHugeDescription(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() / "sorabel_gui_bench_huge.csv";
  LedgerGrid grid;
  grid.setCell(kDateColumn, 1, "2001/01/01");
  grid.setCell(kDescriptionColumn, 1, std::string(10'000'000, 'x'));
  grid.setCell(kIncomeColumn, 1, "1");
  writeBookFile(grid, path);
  Window window;
  window.dialogs.book = QString::fromStdString(path.string());
  for (auto _ : state) {
    window.forms->MainFm->Open1Click();
    benchmark::DoNotOptimize(window.forms->MainFm->grab());  // paints the whole window
  }
  std::filesystem::remove(path);
}
BENCHMARK(OpenAndPaintAHugeDescription)->Unit(benchmark::kMillisecond);

// The message of a conversion error that quotes ten million digits, shown
// in the program's message box until it is painted.
void MessageBoxOfTenMillionDigits(benchmark::State& state) {
  const QString message = QLatin1Char('\'') + QString(10'000'000, QLatin1Char('9')) + QStringLiteral("' は整数ではありません");
  for (auto _ : state) {
    QTimer::singleShot(0, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        benchmark::DoNotOptimize(box->grab());
        box->done(0);
      }
    });
    QtUserDialogs().tell(nullptr, message, MessageKind::Error);
  }
}
BENCHMARK(MessageBoxOfTenMillionDigits)->Unit(benchmark::kMillisecond);

// The monthly chart from nothing to its first picture: made, given its
// months (3 years, or 50 years that scroll), sized and painted once.
void MonthChartFirstPaint(benchmark::State& state) {
  std::vector<ChartMonth> months;
  for (int i = 0; i < state.range(0); ++i)
    months.push_back({QStringLiteral("%1/%2").arg(1975 + i / 12).arg(i % 12 + 1, 2, 10, QLatin1Char('0')),
                      200'000 + 1'000 * (i % 37), 150'000 + 3'000 * (i % 53)});
  for (auto _ : state) {
    MonthChart chart;
    chart.resize(700, 400);
    chart.setMonths(months);
    benchmark::DoNotOptimize(chart.grab());
  }
}
BENCHMARK(MonthChartFirstPaint)->Arg(36)->Arg(600)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorabel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
