#include "platform/qt/UserDialogs.h"

#include <gtest/gtest.h>

namespace sorabel {
namespace {

TEST(QtNameFilters, KeepDescriptionsAndMatchEveryFileForStarDotStar) {
  EXPECT_EQ(qtNameFilters("csv files (*.csv)|*.csv|Text files (*.txt)|*.TXT|All Files (*.*)|*.*|"),
            (QStringList{"csv files (*.csv)", "Text files (*.txt)", "All Files (*)"}));
  EXPECT_EQ(qtNameFilters("Books|*.csv;*.txt|"), (QStringList{"Books (*.csv;*.txt)"}));
  EXPECT_EQ(qtNameFilters(""), QStringList{});
}

}  // namespace
}  // namespace sorabel
