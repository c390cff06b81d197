#include "platform/qt/QtPrinterPort.h"

#include <QPrinter>
#include <algorithm>

#include "platform/qt/AnsiText.h"
#include "platform/Errors.h"

namespace sorabel {
namespace {

constexpr int kUnitsPerPoint = QtPrinterPort::kUnitsPerInch / 72;

}  // namespace

QtPrinterPort::QtPrinterPort(QPrinter& printer, int neededWidth, int neededHeight)
    : printer_(printer), neededWidth_(neededWidth), neededHeight_(neededHeight) {}

void QtPrinterPort::ensurePrinterAvailable(const QPrinter& printer) {
  const bool toPrinter = printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
  const bool toFile = !printer.outputFileName().isEmpty();
  if (!(toPrinter && printer.isValid()) && !toFile) throw Error("ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません");
}

double QtPrinterPort::fitFactor(double pageWidth, double pageHeight, int neededWidth, int neededHeight) {
  return std::min({1.0, pageWidth / neededWidth, pageHeight / neededHeight});
}

void QtPrinterPort::setFont(std::string_view name, int pointSize) {
  font_ = QFont(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  font_.setPixelSize(pointSize * kUnitsPerPoint);
  if (painter_.isActive()) painter_.setFont(font_);
}

void QtPrinterPort::setPortrait() {
  if (!printer_.setPageOrientation(QPageLayout::Portrait))
    throw Error("選択されたﾌﾟﾘﾝﾀではｻﾎﾟｰﾄされていない機能です");
}

void QtPrinterPort::beginDoc() {
  if (!painter_.begin(&printer_)) throw Error("印刷を開始できません。プリンタの設定を確認して下さい。");
  const QRect page = printer_.pageLayout().paintRectPixels(printer_.resolution());
  const double unitsToDevice = static_cast<double>(printer_.resolution()) / kUnitsPerInch;
  const double fit = fitFactor(page.width() / unitsToDevice, page.height() / unitsToDevice, neededWidth_, neededHeight_);
  painter_.scale(unitsToDevice * fit, unitsToDevice * fit);
  painter_.setFont(font_);
  painter_.setPen(Qt::black);
}

void QtPrinterPort::newPage() {
  if (!printer_.newPage()) throw Error("印刷中にエラーが発生しました。");
}

void QtPrinterPort::endDoc() {
  if (!painter_.end()) throw Error("印刷中にエラーが発生しました。");
}

void QtPrinterPort::abortDoc() {
  if (!painter_.isActive()) return;
  printer_.abort();
  painter_.end();
}

int QtPrinterPort::textWidth(std::string_view text) {
  const QFontMetrics metrics = painter_.isActive() ? painter_.fontMetrics() : QFontMetrics(font_);
  return metrics.horizontalAdvance(toQString(text));
}

void QtPrinterPort::textOut(int x, int y, std::string_view text) {
  painter_.drawText(x, y + painter_.fontMetrics().ascent(), toQString(text));
}

void QtPrinterPort::line(int x1, int y1, int x2, int y2, int penWidth) {
  painter_.setPen(QPen(Qt::black, penWidth));
  painter_.drawLine(x1, y1, x2, y2);
}

}  // namespace sorabel
