#include "widgets/CommandPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace sorabel {
namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(252, 252, 246);
const QColor kFolder(236, 196, 80);
const QColor kBlue(48, 96, 192);
const QColor kGreen(40, 150, 70);
const QColor kRed(200, 50, 40);

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

void ruledLines(QPainter& p, int from, int to) {
  p.setPen(QPen(QColor(130, 130, 150), 1));
  for (int y = from; y <= to; y += 2) p.drawLine(5, y, 11, y);
}

void drawNew(QPainter& p) {
  page(p);
  p.setPen(QPen(kFolder.darker(130), 1));
  p.drawLine(2, 2, 4, 4);
}

void drawOpen(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kFolder.darker(115));
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
  p.setBrush(QColor(200, 200, 210));
  p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void drawSaveAs(QPainter& p) {
  drawSave(p);
  p.setPen(QPen(kRed, 2));
  p.drawLine(9, 14, 15, 8);
}

void drawPrinter(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(QColor(180, 180, 190));
  p.drawRect(QRectF(1.5, 6.5, 13, 6));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 10.5, 7, 4));
  p.setPen(kGreen);
  p.drawPoint(12, 8);
}

void drawPrinterSetup(QPainter& p) {
  drawPrinter(p);
  p.setPen(QPen(kBlue, 2));
  p.drawLine(11, 15, 15, 11);
}

void drawAdd(QPainter& p) {
  page(p);
  ruledLines(p, 6, 8);
  p.setPen(QPen(kGreen, 2));
  p.drawLine(11, 9, 11, 15);
  p.drawLine(8, 12, 14, 12);
}

void drawDelete(QPainter& p) {
  page(p);
  ruledLines(p, 6, 8);
  p.setPen(QPen(kRed, 2));
  p.drawLine(8, 9, 14, 15);
  p.drawLine(14, 9, 8, 15);
}

void drawFind(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(210, 230, 250));
  p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
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

void drawSettings(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(160, 160, 175));
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(8, 8);
    p.rotate(45.0 * i);
    p.drawRect(QRectF(-1.5, -7.5, 3, 3));
    p.restore();
  }
  p.drawEllipse(QPointF(8, 8), 5, 5);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(8, 8), 2, 2);
}

void drawBadge(QPainter& p, const QColor& colour, const QString& letter) {
  p.setPen(QPen(colour.darker(130), 1));
  p.setBrush(colour);
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  QFont font = p.font();
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, letter);
}

void drawExit(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(150, 100, 60));
  p.drawRect(QRectF(2.5, 1.5, 8, 13));
  p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(8, 8, 15, 8);
  p.drawLine(12, 5, 15, 8);
  p.drawLine(12, 11, 15, 8);
}

void drawReopen(QPainter& p) {
  drawOpen(p);
  p.setPen(QPen(kGreen, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(8.5, 0.5, 6, 6), 30 * 16, 270 * 16);
  p.setPen(QPen(kGreen, 1));
  p.drawLine(QPointF(14.5, 0.5), QPointF(14.5, 3.5));
  p.drawLine(QPointF(14.5, 3.5), QPointF(11.5, 3.5));
}

void drawCloseBook(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(40, 110, 90));
  p.drawRect(QRectF(3.5, 1.5, 10, 13));
  p.setBrush(kPaper);
  p.drawRect(QRectF(5.5, 3.5, 6, 3));
}

// Rows of lines with an arrow: oldest first points down the page.
void drawOrder(QPainter& p, bool oldestFirst) {
  p.setPen(QPen(QColor(130, 130, 150), 1));
  for (int y = 3; y <= 13; y += 3) p.drawLine(1, y, 8, y);
  p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(12, 2, 12, 14);
  const int tip = oldestFirst ? 14 : 2;
  const int back = oldestFirst ? 10 : 6;
  p.drawLine(12, tip, 9, back);
  p.drawLine(12, tip, 15, back);
}

void drawToolbar(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(220, 220, 225));
  p.drawRect(QRectF(0.5, 4.5, 15, 7));
  p.setBrush(kBlue);
  for (int x = 3; x <= 11; x += 4) p.drawRect(QRectF(x - 0.5, 6.5, 2, 3));
}

}  // namespace

QPixmap commandPixmap(CommandPicture picture, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
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
  return pixmap;
}

QIcon commandIcon(CommandPicture picture) { return QIcon(commandPixmap(picture)); }

QPixmap commandPictureStrip(int size) {
  QPixmap strip(size * kCommandPictureCount, size);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  for (int i = 0; i < kCommandPictureCount; ++i)
    p.drawPixmap(i * size, 0, commandPixmap(static_cast<CommandPicture>(i), size));
  return strip;
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
