// Benchmarks of the book operations on the largest book: the file named by
// the environment variable SORABEL_BOOK, or a generated 65,535-entry book.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "ledger/BookFile.h"
#include "ledger/SortAndBalance.h"
#include "platform/Cp932.h"
#include "platform/FileIo.h"
#include "reports/MonthlySummary.h"
#include "reports/PrintLayout.h"
#include "support/RecordingPrinter.h"
#include "reports/Search.h"

namespace sorabel {
namespace {

constexpr int kGeneratedEntries = 65'535;

// A book of dated entries in random order with Japanese descriptions.
std::string generatedBook() {
  static const char* const descriptions[] = {"給料", "食費　スーパー", "交通費", "電気代", "文具ﾃｽﾄ", "表示ソフト"};
  std::mt19937 random(42);
  LedgerGrid grid;
  grid.setRowCount(kGeneratedEntries + 1);
  for (int r = 1; r <= kGeneratedEntries; ++r) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", 1990 + static_cast<int>(random() % 30),
                  1 + static_cast<int>(random() % 12), 1 + static_cast<int>(random() % 28));
    grid.setCell(kDateColumn, r, date);
    grid.setCell(kDescriptionColumn, r, sjis(descriptions[random() % 6]));
    bool income = random() % 4 == 0;
    grid.setCell(income ? kIncomeColumn : kExpenseColumn, r, std::to_string(random() % 300000));
  }
  sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
  return bookFileText(grid);
}

// The book file every benchmark works on, written once.
const std::filesystem::path& bookPath() {
  static const std::filesystem::path path = [] {
    if (const char* given = std::getenv("SORABEL_BOOK")) return std::filesystem::path(given);
    auto generated = std::filesystem::temp_directory_path() / "sorabel_bench_book.csv";
    writeFileAtomically(generated, generatedBook());
    return generated;
  }();
  return path;
}

LedgerGrid loadedBook() {
  LedgerGrid grid;
  loadBookFile(grid, bookPath(), BookOrder::OldestFirst);
  return grid;
}

void LoadBook(benchmark::State& state) {
  for (auto _ : state) {
    LedgerGrid grid;
    loadBookFile(grid, bookPath(), BookOrder::OldestFirst);
    benchmark::DoNotOptimize(grid);
  }
  state.counters["entries"] = loadedBook().dataRowCount();
}
BENCHMARK(LoadBook)->Unit(benchmark::kMillisecond);

void SortAndBalance(benchmark::State& state) {
  LedgerGrid grid = loadedBook();
  BookOrder order = BookOrder::OldestFirst;
  for (auto _ : state) {
    // Alternate directions so every pass really moves every row.
    order = order == BookOrder::OldestFirst ? BookOrder::NewestFirst : BookOrder::OldestFirst;
    sortAndBalance(grid, kDateColumn, order);
  }
}
BENCHMARK(SortAndBalance)->Unit(benchmark::kMillisecond);

void SaveBook(benchmark::State& state) {
  LedgerGrid grid = loadedBook();
  auto target = std::filesystem::temp_directory_path() / "sorabel_bench_save.csv";
  for (auto _ : state) {
    sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
    writeBookFile(grid, target);
  }
  std::filesystem::remove(target);
}
BENCHMARK(SaveBook)->Unit(benchmark::kMillisecond);

void BookChanged(benchmark::State& state) {
  LedgerGrid grid = loadedBook();
  auto target = std::filesystem::temp_directory_path() / "sorabel_bench_changed.csv";
  writeBookFile(grid, target);
  for (auto _ : state) benchmark::DoNotOptimize(bookChanged(grid, target));
  std::filesystem::remove(target);
}
BENCHMARK(BookChanged)->Unit(benchmark::kMillisecond);

void Search(benchmark::State& state) {
  const AnsiString needle = sjis("給料");
  int matches = 0;
  for (auto _ : state) matches = searchBookFile(bookPath(), needle).count();
  state.counters["matches"] = matches;
}
BENCHMARK(Search)->Unit(benchmark::kMillisecond);

void MonthlySummary(benchmark::State& state) {
  LedgerGrid grid = loadedBook();
  std::size_t months = 0;
  for (auto _ : state) months = monthlySummary(grid).size();
  state.counters["months"] = static_cast<double>(months);
}
BENCHMARK(MonthlySummary)->Unit(benchmark::kMillisecond);

void PrintAllPages(benchmark::State& state) {
  LedgerGrid grid = loadedBook();
  int pages = 0;
  for (auto _ : state) {
    RecordingPrinter printer;
    printBook(printer, grid, {"2026/12/08", "book.csv"});
    pages = printer.pages;
  }
  state.counters["pages"] = pages;
}
BENCHMARK(PrintAllPages)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorabel

BENCHMARK_MAIN();
