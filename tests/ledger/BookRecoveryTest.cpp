#include "ledger/BookRecovery.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/TestFiles.h"

namespace sorabel::test {
namespace {

namespace fs = std::filesystem;

constexpr std::time_t kMoment = 1796810400;

TEST(BookRecovery, ACopyIsOfferedOnlyOnceItsProgramHasEndedWithoutDiscardingIt) {
  TempDir dir;
  const fs::path folder = dir / "recovery";
  auto running = std::make_unique<RecoveryCopy>(folder);
  running->write("/home/u/家計.csv", "\"2026/12/09\",\"a\",\"1\",\"0\",\"1\"\r\n", kMoment);
  RecoveryCopy other(folder);  // a second program running at the same time
  other.write("", "x", kMoment + 5);
  EXPECT_TRUE(leftRecoveries(folder).empty());  // both still running

  running->write("/home/u/家計.csv", "second", kMoment + 10);
  running.reset();  // ended without discarding, as a crash leaves it
  const std::vector<LeftRecovery> left = leftRecoveries(folder);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].bookName, "/home/u/家計.csv");
  EXPECT_EQ(readBytes(left[0].book), "second");
  EXPECT_EQ(left[0].savedAt.size(), std::string("yyyy/mm/dd hh:mm:ss").size());

  other.discard();
  removeRecovery(left[0]);
  EXPECT_TRUE(leftRecoveries(folder).empty());
}

TEST(BookRecovery, ACopySetAsideGoesWithTheNextWriteAndADiscardedOneLeavesNothing) {
  TempDir dir;
  const fs::path folder = dir / "recovery";
  { RecoveryCopy crashed(folder); crashed.write("/b.csv", "old", kMoment); }
  {
    RecoveryCopy discarded(folder);
    discarded.write("/c.csv", "gone", kMoment);
    discarded.discard();
  }
  ASSERT_EQ(leftRecoveries(folder).size(), 1u);
  RecoveryCopy next(folder);
  next.setAside(leftRecoveries(folder));
  EXPECT_EQ(leftRecoveries(folder).size(), 1u);  // kept until the next copy is written
  next.write("/d.csv", "new", kMoment + 1);
  EXPECT_TRUE(leftRecoveries(folder).empty());
  next.discard();
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++files;
  EXPECT_EQ(files, 1u);  // only this program's lock
}

}  // namespace
}  // namespace sorabel::test
