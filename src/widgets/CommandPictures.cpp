#include "widgets/CommandPictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <QPainterPath>

namespace sorabel {
namespace {

// The pictures are 16-colour pictures: every pixel is one of the standard
// sixteen colours, outlines are black, and nothing is smoothed, so that the
// embossed disabled picture (made from the black pixels) keeps each shape.
const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kFolder(255, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kSilver(192, 192, 192);
const QColor kGray(128, 128, 128);
const QColor kNavy(0, 0, 128);
const QColor kOlive(128, 128, 0);
const QColor kMaroon(128, 0, 0);
const QColor kTeal(0, 128, 128);
const QColor kYellowKnob(255, 255, 0);

// The standard sixteen colours.
const QRgb kSixteen[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                           0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

QRgb nearestOfSixteen(QRgb pixel) {
  QRgb best = kSixteen[0];
  int bestDistance = 1 << 30;
  for (QRgb candidate : kSixteen) {
    const int dr = qRed(pixel) - qRed(candidate);
    const int dg = qGreen(pixel) - qGreen(candidate);
    const int db = qBlue(pixel) - qBlue(candidate);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = candidate;
    }
  }
  return best;
}

// Every pixel fully transparent or one of the sixteen colours.
QImage toSixteenColours(QImage image) {
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      image.setPixel(x, y, qAlpha(pixel) < 128 ? qRgba(0, 0, 0, 0) : (0xFF000000u | nearestOfSixteen(pixel)));
    }
  return image;
}

QPixmap withRatio(QImage image, qreal ratio) {
  image.setDevicePixelRatio(ratio);
  return QPixmap::fromImage(image);
}

// A coloured stroke with a black rim, which the disabled picture keeps.
void outlinedLine(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::SquareCap));
  p.drawLine(from, to);
  p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::SquareCap));
  p.drawLine(from, to);
}

void page(QPainter& p) {
  QPainterPath path;
  path.moveTo(3.5, 1.5);
  path.lineTo(10.5, 1.5);
  path.lineTo(13.5, 4.5);
  path.lineTo(13.5, 14.5);
  path.lineTo(3.5, 14.5);
  path.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
  p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
}

// Straight one-pixel lines are filled as rectangles: they cover the same
// pixels at every ratio (a pen would centre them on the pixel edge).
void ruledLines(QPainter& p, int from, int to) {
  for (int y = from; y <= to; y += 2) p.fillRect(QRectF(5, y, 7, 1), kGray);
}

void drawNew(QPainter& p) {
  page(p);
  p.setPen(QPen(kInk, 1));
  p.setBrush(kYellowKnob);  // a spark: the page is new
  const QPoint spark[] = {{3, 0}, {4, 3}, {7, 4}, {4, 5}, {3, 8}, {2, 5}, {0, 4}, {2, 3}};
  p.drawPolygon(spark, 8);
}

void drawOpen(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kOlive);
  p.drawRect(QRectF(1.5, 3.5, 12, 10));
  QPolygonF front({QPointF(1.5, 13.5), QPointF(4.5, 6.5), QPointF(15.5, 6.5), QPointF(12.5, 13.5)});
  p.setBrush(kFolder);
  p.drawPolygon(front);
}

void drawSave(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kBlue);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(kSilver);
  p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void drawSaveAs(QPainter& p) {
  drawSave(p);
  outlinedLine(p, {10, 13}, {14, 9}, kRed);
}

void drawPrinter(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(kSilver);
  p.drawRect(QRectF(1.5, 6.5, 13, 6));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 10.5, 7, 4));
  p.setPen(kGreen);
  p.drawPoint(12, 8);
}

void drawPrinterSetup(QPainter& p) {
  drawPrinter(p);
  outlinedLine(p, {11, 14}, {14, 11}, kBlue);
}

void drawAdd(QPainter& p) {
  page(p);
  ruledLines(p, 6, 8);
  outlinedLine(p, {11, 10}, {11, 14}, kGreen);
  outlinedLine(p, {9, 12}, {13, 12}, kGreen);
  p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::SquareCap));
  p.drawLine(QPointF(11, 10), QPointF(11, 14));
}

void drawDelete(QPainter& p) {
  page(p);
  ruledLines(p, 6, 8);
  outlinedLine(p, {9, 10}, {13, 14}, kRed);
  outlinedLine(p, {13, 10}, {9, 14}, kRed);
  p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::SquareCap));
  p.drawLine(QPointF(9, 10), QPointF(13, 14));
}

void drawFind(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kSilver);
  p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::SquareCap));
  p.drawLine(QPointF(10, 10), QPointF(14, 14));
}

void drawMonthly(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(1.5, 2.5, 13, 12));
  p.setBrush(kRed);
  p.drawRect(QRectF(1.5, 2.5, 13, 3));
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawRect(QRectF(4, 10, 2, 4));
  p.setBrush(kGreen);
  p.drawRect(QRectF(7, 8, 2, 6));
  p.setBrush(kBlue);
  p.drawRect(QRectF(10, 7, 2, 7));
}

// A cog: teeth around a wheel with a hole, on a grid of size pixels.
void drawSettings(QPainter& p, int size = 16) {
  const double c = size / 2.0;
  const double outer = size / 2.0 - 0.5;
  p.setPen(QPen(kInk, 1));
  p.setBrush(kSilver);
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(c, c);
    p.rotate(45.0 * i);
    p.drawRect(QRectF(-1.5, -outer, 3, 3));
    p.restore();
  }
  p.drawEllipse(QPointF(c, c), size * 5 / 16.0, size * 5 / 16.0);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(c, c), size / 8.0, size / 8.0);
}

void drawBadge(QPainter& p, const QColor& colour, const QString& letter) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(colour);
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  QFont font = p.font();
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, letter);
}

// A door with an arrow leaving through it, on a grid of size pixels.
void drawExit(QPainter& p, int size = 16) {
  const int door = size / 2;
  const int bottom = size - 2;
  p.setPen(QPen(kInk, 1));
  p.setBrush(kMaroon);
  p.drawRect(QRect(2, 1, door, bottom - 1));
  p.setBrush(kYellowKnob);
  p.drawPoint(door, size / 2 + 1);
  const int mid = size / 2;
  const int tip = size - 1;
  const int head = size / 4;
  p.setPen(QPen(kInk, 1));
  p.setBrush(kRed);
  const QPoint arrow[] = {{door - 1, mid - 1}, {tip - head, mid - 1}, {tip - head, mid - head}, {tip, mid},
                          {tip - head, mid + head}, {tip - head, mid + 1}, {door - 1, mid + 1}};
  p.drawPolygon(arrow, 7);
}

void drawReopen(QPainter& p) {
  drawOpen(p);
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(8.5, 0.5, 6, 6), 30 * 16, 270 * 16);
  p.drawLine(QPointF(14.5, 0.5), QPointF(14.5, 3.5));
  p.drawLine(QPointF(14.5, 3.5), QPointF(11.5, 3.5));
}

void drawCloseBook(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kTeal);
  p.drawRect(QRectF(3.5, 1.5, 10, 13));
  p.setBrush(kPaper);
  p.drawRect(QRectF(5.5, 3.5, 6, 3));
}

// Rows of lines with an arrow: oldest first points down the page.
void drawOrder(QPainter& p, bool oldestFirst) {
  p.setPen(QPen(kInk, 1));
  for (int y = 3; y <= 13; y += 3) p.fillRect(QRectF(1, y, 7, 1), kInk);
  const int tip = oldestFirst ? 15 : 0;
  const int back = oldestFirst ? 10 : 5;
  const int tail = oldestFirst ? 1 : 14;
  p.setBrush(kBlue);
  const QPoint arrow[] = {{11, tail}, {13, tail}, {13, back}, {15, back}, {12, tip}, {9, back}, {11, back}};
  p.drawPolygon(arrow, 7);
}

void drawToolbar(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kSilver);
  p.drawRect(QRectF(0.5, 4.5, 15, 7));
  p.setBrush(kBlue);
  for (int x = 3; x <= 11; x += 4) p.drawRect(QRectF(x - 0.5, 6.5, 2, 3));
}

}  // namespace

qreal pictureRatio() {
  return QGuiApplication::instance() != nullptr ? std::max<qreal>(1.0, qApp->devicePixelRatio()) : 1.0;
}

QPixmap commandPixmap(CommandPicture picture, int size, qreal ratio) {
  if (ratio <= 0) ratio = 1.0;
  const int pixels = std::max(1, qRound(size * ratio));
  QImage image(pixels, pixels, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.scale(pixels / qreal(size), pixels / qreal(size));
  // The door and the cog have designs of their own at each size; the
  // others are drawn on their 16-pixel grid.
  if (picture == CommandPicture::Exit || picture == CommandPicture::Settings) {
    if (picture == CommandPicture::Exit)
      drawExit(p, size);
    else
      drawSettings(p, size);
    p.end();
    return withRatio(toSixteenColours(image), ratio);
  }
  p.scale(size / 16.0, size / 16.0);
  switch (picture) {
    case CommandPicture::Reopen: drawReopen(p); break;
    case CommandPicture::CloseBook: drawCloseBook(p); break;
    case CommandPicture::OldestFirst: drawOrder(p, true); break;
    case CommandPicture::NewestFirst: drawOrder(p, false); break;
    case CommandPicture::Toolbar: drawToolbar(p); break;
    case CommandPicture::New: drawNew(p); break;
    case CommandPicture::Open: drawOpen(p); break;
    case CommandPicture::Save: drawSave(p); break;
    case CommandPicture::SaveAs: drawSaveAs(p); break;
    case CommandPicture::Print: drawPrinter(p); break;
    case CommandPicture::PrinterSetup: drawPrinterSetup(p); break;
    case CommandPicture::Add: drawAdd(p); break;
    case CommandPicture::Delete: drawDelete(p); break;
    case CommandPicture::Find: drawFind(p); break;
    case CommandPicture::Monthly: drawMonthly(p); break;
    case CommandPicture::Settings: drawSettings(p); break;
    case CommandPicture::Help: drawBadge(p, kBlue, QStringLiteral("?")); break;
    case CommandPicture::About: drawBadge(p, kGreen, QStringLiteral("i")); break;
    case CommandPicture::Exit: drawExit(p); break;
  }
  p.end();
  return withRatio(toSixteenColours(image), ratio);
}

QPixmap commandPictureStrip(int size, qreal ratio) {
  QImage strip(qRound(size * ratio) * kCommandPictureCount, qRound(size * ratio), QImage::Format_ARGB32);
  strip.fill(Qt::transparent);
  for (int i = 0; i < kCommandPictureCount; ++i) {
    const QImage cell = commandPixmap(static_cast<CommandPicture>(i), size, ratio).toImage();
    for (int y = 0; y < cell.height(); ++y)
      for (int x = 0; x < cell.width(); ++x) strip.setPixel(i * cell.width() + x, y, cell.pixel(x, y));
  }
  return withRatio(strip, ratio);
}

// The application icon: the PNG sizes rendered from the icon's SVG, the
// same pictures the desktop's launcher shows.
QIcon programIcon() {
  static const QIcon icon = [] {
    QIcon sizes;
    for (int size : kProgramIconSizes)
      sizes.addFile(QStringLiteral(":/icons/sorabel-%1.png").arg(size), QSize(size, size));
    return sizes;
  }();
  return icon;
}

QPixmap programPixmap(int size) { return programIcon().pixmap(size, size); }

}  // namespace sorabel
