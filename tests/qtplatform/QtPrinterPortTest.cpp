#include "qtplatform/QtPrinterPort.h"

#include <QPageSize>
#include <QPrinter>
#include <gtest/gtest.h>

#include "platform/Errors.h"

namespace sorabel {
namespace {

TEST(QtPrinterPort, TableIsScaledDownOnlyWhenThePageIsSmaller) {
  // A4 less margins at 360 units an inch holds the 2700 x 4000 table.
  EXPECT_DOUBLE_EQ(QtPrinterPort::fitFactor(2800, 4100, 2700, 4000), 1.0);
  EXPECT_DOUBLE_EQ(QtPrinterPort::fitFactor(1350, 4100, 2700, 4000), 0.5);
  EXPECT_DOUBLE_EQ(QtPrinterPort::fitFactor(2700, 2000, 2700, 4000), 0.5);
}

TEST(QtPrinterPort, NoPrinterAndNoFileIsReported) {
  QPrinter printer;
  printer.setPrinterName(QString());
  printer.setOutputFileName(QString());
  try {
    QtPrinterPort::ensurePrinterAvailable(printer);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません");
  }
  printer.setOutputFileName("/tmp/x.pdf");
  EXPECT_NO_THROW(QtPrinterPort::ensurePrinterAvailable(printer));
}

}  // namespace
}  // namespace sorabel
