#include "qtplatform/QtPrinterPort.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <filesystem>
#include <algorithm>

#include "platform/Errors.h"
#include "platform/FileIo.h"
#include "qtplatform/AnsiText.h"

namespace sorabel {
namespace {

constexpr int kUnitsPerPoint = QtPrinterPort::kUnitsPerInch / 72;

std::filesystem::perms pdfPermissions(const std::filesystem::path& target) {
  std::error_code error;
  const std::filesystem::file_status existing = std::filesystem::status(target, error);
  if (!error && std::filesystem::is_regular_file(existing)) return existing.permissions();
  return static_cast<std::filesystem::perms>(newFileMode());
}

}  // namespace

QtPrinterPort::QtPrinterPort(QPrinter& printer, int neededWidth, int neededHeight)
    : printer_(printer), neededWidth_(neededWidth), neededHeight_(neededHeight) {}

QtPrinterPort::~QtPrinterPort() {
  if (painter_.isActive()) {
    printer_.abort();
    painter_.end();
  }
  finishFile(false);
}

void QtPrinterPort::finishFile(bool completed) {
  if (finalFileName_.isEmpty()) return;
  const QString temporary = printer_.outputFileName();
  printer_.setOutputFileName(finalFileName_);
  if (completed) {
    std::error_code error;
    // The temporary file was made private; the PDF gets the mode of the file
    // it replaces, or that of any new file of the user.
    std::filesystem::permissions(toPath(temporary), pdfPermissions(toPath(finalFileName_)), error);
    if (!error) std::filesystem::rename(toPath(temporary), toPath(finalFileName_), error);
    if (error) {
      QFile::remove(temporary);
      finalFileName_.clear();
      throw Error(toPath(temporary).string() + " を " + toPath(printer_.outputFileName()).string() +
                  " にできません。\n" + error.message());
    }
  } else {
    QFile::remove(temporary);
  }
  finalFileName_.clear();
}

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
  if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) {
    const QFileInfo target(printer_.outputFileName());
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(false);
    if (!temporary.open()) throw Error(toPath(target.absoluteFilePath()).string() + " に保存できません。");
    finalFileName_ = printer_.outputFileName();
    printer_.setOutputFileName(temporary.fileName());
  }
  if (!painter_.begin(&printer_)) {
    finishFile(false);
    throw Error("印刷を開始できません。プリンタの設定を確認して下さい。");
  }
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
  if (!painter_.end()) {
    finishFile(false);
    throw Error("印刷中にエラーが発生しました。");
  }
  finishFile(true);
}

void QtPrinterPort::abortDoc() {
  if (painter_.isActive()) {
    printer_.abort();
    painter_.end();
  }
  finishFile(false);
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
