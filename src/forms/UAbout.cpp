#include "forms/UAbout.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

#include "qtplatform/FormFont.h"
#include "qtplatform/WindowDecorations.h"
#include "widgets/CommandPictures.h"

namespace sorabel {

const QString TAboutFm::kHomePageUrl = QStringLiteral("https://sorabel.example/");
const QString TAboutFm::kMailUrl = QStringLiteral("mailto:author@sorabel.example");

namespace {

QLabel* label(const QString& text, const QString& name, QPoint at, int pixelSize, bool bold, QWidget* parent) {
  auto* result = new QLabel(text, parent);
  result->setObjectName(name);
  QFont font = result->font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  result->setFont(font);
  result->move(at);
  result->adjustSize();
  return result;
}

// Blue, bold, underlined, with the hand cursor.
QLabel* link(const QString& text, const QString& name, QPoint at, const QString& hint, QWidget* parent) {
  QLabel* result = label(text, name, at, 12, true, parent);
  QFont font = result->font();
  font.setUnderline(true);
  result->setFont(font);
  result->adjustSize();
  QPalette palette = result->palette();
  palette.setColor(QPalette::WindowText, Qt::blue);
  result->setPalette(palette);
  result->setCursor(Qt::PointingHandCursor);
  result->setToolTip(hint);
  result->setStatusTip(hint);
  return result;
}

}  // namespace

TAboutFm::TAboutFm(QWidget* parent) : Form<QDialog>(parent) {
  setObjectName(QStringLiteral("AboutFm"));
  applyFormFont(this);
  setWindowTitle(QStringLiteral("Sorabelについて"));
  showTitleWithoutButtons(this);  // no title-bar buttons
  setFixedSize(232, 149);
  centreOnFirstShowing();

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 0, 232, 149);
  Image1 = new QLabel(Panel1);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(36, 16, 32, 32);
  Image1->setPixmap(programPixmap(32));
  Label1 = label(QStringLiteral("Sorabel"), QStringLiteral("Label1"), {90, 16}, 27, false, Panel1);
  Label4 = label(QStringLiteral("Ver2.3"), QStringLiteral("Label4"), {146, 44}, 16, true, Panel1);
  Label2 = label(QStringLiteral("Programmed by"), QStringLiteral("Label2"), {28, 70}, 13, true, Panel1);
  LblName = link(QStringLiteral("ソラベル"), QStringLiteral("LblName"), {168, 72}, QStringLiteral("作者にメールを送ります"),
                 Panel1);
  Label3 = label(QStringLiteral("HomePage"), QStringLiteral("Label3"), {28, 90}, 13, true, Panel1);
  LblHomePage = link(QStringLiteral("sorabel.example"), QStringLiteral("LblHomePage"), {124, 92},
                     QStringLiteral("ホームページへジャンプします"), Panel1);
  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK(&O)"), Panel1);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(58, 114, 123, 25);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  LblName->installEventFilter(this);
  LblHomePage->installEventFilter(this);
}

bool TAboutFm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == LblHomePage) LblHomePageClick();
    if (watched == LblName) LblNameClick();
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutFm::LblHomePageClick() { QDesktopServices::openUrl(QUrl(kHomePageUrl)); }

void TAboutFm::LblNameClick() { QDesktopServices::openUrl(QUrl(kMailUrl)); }

}  // namespace sorabel
