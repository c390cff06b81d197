// Benchmarks of the book operations on the largest book: the file named by
// the environment variable SORABEL_BOOK, or a generated 65,535-entry book.
//
// GNU sort sorting the same file by its first field (LC_ALL=C sort -t, -k1,1
// -s, output to /dev/null) runs first, in the same run; every other
// benchmark shows its time as a multiple of sort's: x_sort_cpu (processor
// time of the whole process against sort's processor time) and
// x_sort_real (wall-clock time against sort's). A table of both follows
// the run.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "ledger/BookBackups.h"
#include "ledger/BookFile.h"
#include "ledger/BookRecovery.h"
#include "ledger/ClipboardText.h"
#include "ledger/GridChange.h"
#include "ledger/BookSession.h"
#include "ledger/SortAndBalance.h"
#include "platform/Cp932.h"
#include "platform/FileIo.h"
#include "reports/MonthlySummary.h"
#include "reports/PrintLayout.h"
#include "reports/Search.h"
#include "support/RecordingPrinter.h"

extern char** environ;

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

// The book opened as the main window opens it.
BookSession openedBook() {
  BookSession session;
  session.open(bookPath().string(), BookOrder::OldestFirst);
  return session;
}

// Every benchmark but sort's: processor time is the whole process's, since
// the reader and the pass work on both cores on a large book.
void bookOperation(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}

// GNU sort on the book; its processor time comes from the child's usage.
void GnuSort(benchmark::State& state) {
  const std::string file = bookPath().string();
  char* const argv[] = {const_cast<char*>("sort"), const_cast<char*>("-t,"), const_cast<char*>("-k1,1"),
                        const_cast<char*>("-s"), const_cast<char*>(file.c_str()), nullptr};
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e)
    if (std::strncmp(*e, "LC_", 3) != 0 && std::strncmp(*e, "LANG", 4) != 0) env.push_back(*e);
  env.push_back(const_cast<char*>("LC_ALL=C"));
  env.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  double cpuSeconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, "sort", &actions, nullptr, argv, env.data()) != 0) {
      state.SkipWithError("sort cannot be started");
      break;
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("sort failed");
      break;
    }
    cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  }
  posix_spawn_file_actions_destroy(&actions);
  state.counters["sort_cpu_ms"] = benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(GnuSort)->Unit(benchmark::kMillisecond)->UseManualTime();

// Reading the book file into a sorted, balanced grid store, as Open does:
// the file's stamp, its bytes, the checks for an unfinished save and for
// UTF-8, the reading and the order-and-balance pass; the book read before
// is given up as the window gives it up.
void LoadBook(benchmark::State& state) {
  BookSession session;
  for (auto _ : state) session.open(bookPath().string(), BookOrder::OldestFirst);
  state.counters["entries"] = session.grid().dataRowCount();
}
BENCHMARK(LoadBook)->Apply(bookOperation);

void SortAndBalance(benchmark::State& state) {
  BookSession session = openedBook();
  BookOrder order = BookOrder::OldestFirst;
  for (auto _ : state) {
    // Alternate directions so every pass really moves every row.
    order = order == BookOrder::OldestFirst ? BookOrder::NewestFirst : BookOrder::OldestFirst;
    session.sortAndBalance(order);
  }
}
BENCHMARK(SortAndBalance)->Apply(bookOperation);

// Saving as Save does: the pass, the file written beside the book, synced
// and renamed over it, the folder synced.
void SaveBook(benchmark::State& state) {
  BookSession session = openedBook();
  auto target = std::filesystem::temp_directory_path() / "sorabel_bench_save.csv";
  session.saveAs(target.string(), BookOrder::OldestFirst);
  for (auto _ : state) session.save(BookOrder::OldestFirst);
  std::filesystem::remove(target);
}
BENCHMARK(SaveBook)->Apply(bookOperation);

// Not one of the compared operations: what SaveBook cannot go below, the
// book's bytes (made beforehand) written beside the file, synced, renamed
// over it and the folder synced, as Save writes them.
void WriteBookBytes(benchmark::State& state) {
  const std::string text = bookFileText(openedBook().grid());
  auto target = std::filesystem::temp_directory_path() / "sorabel_bench_bytes.csv";
  writeFileAtomically(target, text);
  for (auto _ : state) writeFileAtomically(target, text);
  std::filesystem::remove(target);
}
BENCHMARK(WriteBookBytes)->Apply(bookOperation);

// Not one of the compared operations: Save as the program does it with
// its default settings, which first copy the file it replaces to the
// backup folder (ten kept).
void SaveBookWithBackup(benchmark::State& state) {
  BookSession session = openedBook();
  const auto folder = std::filesystem::temp_directory_path() / "sorabel_bench_backups";
  auto target = std::filesystem::temp_directory_path() / "sorabel_bench_save_backed_up.csv";
  session.saveAs(target.string(), BookOrder::OldestFirst);
  session.setBackupPolicy({folder, kDefaultBackupCount});
  for (auto _ : state) session.save(BookOrder::OldestFirst);
  std::filesystem::remove(target);
  std::filesystem::remove_all(folder);
}
BENCHMARK(SaveBookWithBackup)->Apply(bookOperation);

// Not one of the compared operations: the part of a save that is the
// program's own work, the book's text made from the grid (SaveBook adds
// the pass, the writing and the syncing).
void FormatBook(benchmark::State& state) {
  const BookSession session = openedBook();
  for (auto _ : state) benchmark::DoNotOptimize(bookFileText(session.grid()));
}
BENCHMARK(FormatBook)->Apply(bookOperation);

// The unsaved-changes test on a book that equals its file: every row is
// compared with its line.
void BookChanged(benchmark::State& state) {
  BookSession session = openedBook();
  auto target = std::filesystem::temp_directory_path() / "sorabel_bench_changed.csv";
  session.saveAs(target.string(), BookOrder::OldestFirst);
  for (auto _ : state) benchmark::DoNotOptimize(session.changed());
  std::filesystem::remove(target);
}
BENCHMARK(BookChanged)->Apply(bookOperation);

// What the window does on its own thread for a recovery copy of a changed
// book: the unsaved-changes test and the book's text.
void RecoveryCopyText(benchmark::State& state) {
  BookSession session = openedBook();
  auto target = std::filesystem::temp_directory_path() / "sorabel_bench_recovery_book.csv";
  session.saveAs(target.string(), BookOrder::OldestFirst);
  session.grid().setCell(kDescriptionColumn, session.grid().lastRow(), "changed");
  for (auto _ : state) {
    benchmark::DoNotOptimize(session.changed());
    benchmark::DoNotOptimize(bookFileText(session.grid()));
  }
  std::filesystem::remove(target);
}
BENCHMARK(RecoveryCopyText)->Apply(bookOperation);

// What the writing thread does with it: both files written, synced and
// renamed into place.
void RecoveryCopyWrite(benchmark::State& state) {
  BookSession session = openedBook();
  const std::string text = bookFileText(session.grid());
  const auto folder = std::filesystem::temp_directory_path() / "sorabel_bench_recovery";
  {
    RecoveryCopy copy(folder);
    for (auto _ : state) copy.write("/home/user/book.csv", text, std::time(nullptr));
    copy.discard();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(RecoveryCopyWrite)->Apply(bookOperation);

// One undo step of a cell edit, as the window records it: the change found
// between the book before and after (its pass included), and the book kept
// as the next step's start.
void UndoStepOfACellEdit(benchmark::State& state) {
  BookSession session = openedBook();
  LedgerGrid baseline = session.grid();
  std::size_t held = 0;
  int edit = 0;
  for (auto _ : state) {
    session.grid().setCell(kIncomeColumn, 1 + (edit * 7919) % session.grid().dataRowCount(),
                           std::to_string(100000 + edit));
    ++edit;
    session.sortAndBalance(BookOrder::OldestFirst);
    const GridChange change = GridChange::between(baseline, session.grid());
    held += change.storedBytes();
    baseline = session.grid();
  }
  state.counters["bytes_per_step"] = benchmark::Counter(static_cast<double>(held) / static_cast<double>(edit));
}
BENCHMARK(UndoStepOfACellEdit)->Apply(bookOperation);

// Not one of the compared operations: the pass on a book whose rows are in
// no order at all (a book put together elsewhere), so it really sorts.
void SortAndBalanceUnordered(benchmark::State& state) {
  BookSession session = openedBook();
  LedgerGrid& grid = session.grid();
  std::mt19937 random(7);
  std::vector<int> order(static_cast<std::size_t>(grid.dataRowCount()));
  for (auto _ : state) {
    state.PauseTiming();
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i) + 1;
    std::shuffle(order.begin(), order.end(), random);
    grid.reorderDataRows(order);
    state.ResumeTiming();
    session.sortAndBalance(BookOrder::OldestFirst);
  }
}
BENCHMARK(SortAndBalanceUnordered)->Apply(bookOperation);

void Search(benchmark::State& state) {
  const AnsiString needle = sjis("給料");
  int matches = 0;
  for (auto _ : state) matches = searchBookFile(bookPath(), needle).count();
  state.counters["matches"] = matches;
}
BENCHMARK(Search)->Apply(bookOperation);

void MonthlySummary(benchmark::State& state) {
  const BookSession session = openedBook();
  std::size_t months = 0;
  for (auto _ : state) months = monthlySummary(session.grid()).size();
  state.counters["months"] = static_cast<double>(months);
}
BENCHMARK(MonthlySummary)->Apply(bookOperation);

void PrintAllPages(benchmark::State& state) {
  const BookSession session = openedBook();
  int pages = 0;
  for (auto _ : state) {
    RecordingPrinter printer;
    printBook(printer, session.grid(), {"2026/12/08", "book.csv"});
    pages = printer.pages;
  }
  state.counters["pages"] = pages;
}
BENCHMARK(PrintAllPages)->Apply(bookOperation);

// Copy of every cell as the clipboard gets it (tab-separated and the book's
// lines), as Ctrl+A, Ctrl+C do.
void CopyWholeBook(benchmark::State& state) {
  const BookSession session = openedBook();
  const CellBlock all{1, session.grid().lastRow(), kDateColumn, kBalanceColumn};
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = tabSeparatedText(session.grid(), all).size();
    bytes += commaSeparatedText(session.grid(), all).size();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(CopyWholeBook)->Apply(bookOperation);

// Pasting the whole book's tab-separated text into it, as Ctrl+V does: the
// rows read, added as entries, sorted and balanced (the grid then holds the
// book twice).
void PasteWholeBook(benchmark::State& state) {
  const BookSession session = openedBook();
  const std::string text =
      tabSeparatedText(session.grid(), {1, session.grid().lastRow(), kDateColumn, kBalanceColumn});
  for (auto _ : state) {
    state.PauseTiming();
    LedgerGrid grid = session.grid();
    state.ResumeTiming();
    addEntries(grid, pastedEntries(text, '\t'), BookOrder::OldestFirst);
    sortAndBalance(grid, kDateColumn, BookOrder::OldestFirst);
    benchmark::DoNotOptimize(grid.lastRow());
  }
}
BENCHMARK(PasteWholeBook)->Apply(bookOperation);

// Adds each run's multiples of GNU sort's times (of the same kind: a single
// run, a mean or a median) and prints them together at the end.
class SortRatioReporter : public benchmark::ConsoleReporter {
 public:
  using ConsoleReporter::ConsoleReporter;

  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown = runs;
    for (Run& run : shown) {
      if (run.error_occurred || !comparable(run)) continue;
      const std::string kind = run.run_type == Run::RT_Aggregate ? run.aggregate_name : "";
      if (run.run_name.function_name == "GnuSort") {
        sort_[kind] = {seconds(run, run.GetAdjustedRealTime()), run.counters["sort_cpu_ms"].value / 1e3};
        continue;
      }
      const auto sort = sort_.find(kind);
      if (sort == sort_.end() || sort->second.cpu <= 0 || sort->second.real <= 0) continue;
      const Times ratio{seconds(run, run.GetAdjustedRealTime()) / sort->second.real,
                        seconds(run, run.GetAdjustedCPUTime()) / sort->second.cpu};
      run.counters["x_sort_cpu"] = ratio.cpu;
      run.counters["x_sort_real"] = ratio.real;
      if (kind.empty() || kind == "median") table_[run.run_name.function_name] = ratio;
    }
    ConsoleReporter::ReportRuns(shown);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    if (table_.empty()) return;
    std::ostream& out = GetOutputStream();
    out << "\nTime as a multiple of GNU sort's (processor time, wall-clock time):\n";
    for (const auto& [name, ratio] : table_) {
      char line[128];
      std::snprintf(line, sizeof line, "  %-24s %6.3f  %6.3f\n", name.c_str(), ratio.cpu, ratio.real);
      out << line;
    }
  }

 private:
  struct Times {
    double real = 0;
    double cpu = 0;
  };

  static bool comparable(const Run& run) {
    return run.run_type == Run::RT_Iteration || run.aggregate_name == "mean" || run.aggregate_name == "median";
  }
  static double seconds(const Run& run, double value) { return value / benchmark::GetTimeUnitMultiplier(run.time_unit); }

  std::map<std::string, Times> sort_;
  std::map<std::string, Times> table_;
};

bool consoleOutput(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--benchmark_format=") && arg != "--benchmark_format=console") return false;
  }
  return true;
}

}  // namespace
}  // namespace sorabel

int main(int argc, char** argv) {
  const bool console = sorabel::consoleOutput(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (console) {
    sorabel::SortRatioReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                              : benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
  } else {
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  return 0;
}
