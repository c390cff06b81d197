#pragma once
// The printer port on a QPrinter: device units are 1/360 inch, counted from
// the printable area's top-left corner; fonts are in points. When the page
// is smaller than the area the layout needs, everything is scaled down to
// fit. A job printed to a PDF file is written to a temporary file beside it
// and moved into place only when the job completes, so an aborted job never
// leaves a partial PDF nor spoils an earlier one.

#include <QFont>
#include <QPainter>

#include "platform/PrinterPort.h"

class QPrinter;

namespace sorabel {

class QtPrinterPort : public PrinterPort {
 public:
  static constexpr int kUnitsPerInch = 360;

  // neededWidth and neededHeight (device units) decide the scaling.
  QtPrinterPort(QPrinter& printer, int neededWidth, int neededHeight);
  ~QtPrinterPort() override;

  // Throws Error "ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません" when there is neither a printer
  // nor a file (print to PDF) to print to.
  static void ensurePrinterAvailable(const QPrinter& printer);

  // The factor that fits the needed area on a printable area (both in device
  // units): 1 when it fits, smaller when the page is smaller.
  static double fitFactor(double pageWidth, double pageHeight, int neededWidth, int neededHeight);

  void setFont(std::string_view name, int pointSize) override;
  void setPortrait() override;
  void beginDoc() override;
  void newPage() override;
  void endDoc() override;
  void abortDoc() override;
  int textWidth(std::string_view text) override;
  void textOut(int x, int y, std::string_view text) override;
  void line(int x1, int y1, int x2, int y2, int penWidth) override;

 private:
  // Puts the printer's file name back and removes an unfinished file.
  void finishFile(bool completed);

  QPrinter& printer_;
  QString finalFileName_;  // the PDF file while a temporary one is written
  QPainter painter_;
  QFont font_;
  int neededWidth_;
  int neededHeight_;
};

}  // namespace sorabel
