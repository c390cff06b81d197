#include "forms/UKensakuFm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "forms/Forms.h"
#include "forms/MainWindowOperations.h"
#include "forms/UDataFm.h"
#include "qtplatform/AnsiText.h"
#include "qtplatform/CommandGuard.h"
#include "qtplatform/FormFont.h"
#include "reports/Search.h"
#include "widgets/VerticalStack.h"

namespace sorabel {

TKensakuFm::TKensakuFm(Forms& forms, QWidget* parent) : Form<QDialog>(parent), forms_(forms) {
  setObjectName(QStringLiteral("KensakuFm"));
  applyFormFont(this);
  setWindowTitle(QStringLiteral("検索"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  resize(297, 121);
  centreOnFirstShowing();

  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Label1 = new QLabel(QStringLiteral("摘要項目内の文字列を検索します。"), Panel2);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(44, 8, 182, 12);
  Label2 = new QLabel(QStringLiteral("検索する文字列を入力して下さい。"), Panel2);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(44, 24, 176, 12);
  MojiEdit = new QLineEdit(Panel2);
  MojiEdit->setObjectName(QStringLiteral("MojiEdit"));
  MojiEdit->setGeometry(60, 44, 177, 20);
  MojiEdit->installEventFilter(this);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(45);
  FindBtn = new QPushButton(QStringLiteral("検索開始(&F)"), Panel1);
  FindBtn->setObjectName(QStringLiteral("FindBtn"));
  FindBtn->setGeometry(64, 8, 85, 29);
  CancelBtn = new QPushButton(QStringLiteral("キャンセル(&X)"), Panel1);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setGeometry(152, 8, 85, 29);
  for (QPushButton* button : {FindBtn, CancelBtn}) button->setAutoDefault(true);

  stackVertically(this, {{Panel2, 1}, {Panel1}});

  setTabOrder(MojiEdit, FindBtn);
  setTabOrder(FindBtn, CancelBtn);
  connect(FindBtn, &QPushButton::clicked, this, &TKensakuFm::FindBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &TKensakuFm::CancelBtnClick);
}

void TKensakuFm::FormShow() {
  MojiEdit->clear();
  MojiEdit->setFocus();
}

bool TKensakuFm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == MojiEdit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      FindBtn->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TKensakuFm::FindBtnClick() {
  if (MojiEdit->text().isEmpty()) {
    UserDialogs::current().tell(this, QStringLiteral("検索文字を入力して下さい。"), MessageKind::Information);
    MojiEdit->setFocus();  // where the text is to be typed
    return;
  }
  SearchResult result;
  const bool found = runGuarded(this, [&] {
    const BookSession& book = forms_.mainWindow().session();
    if (book.fileName().empty()) throw Error("検索するファイルがありません。\nファイルを保存してから検索して下さい。");
    result = searchBookFile(book.filePath(), toAnsi(MojiEdit->text()));
  });
  if (!found) return;
  forms_.DataFm->showResult(MojiEdit->text(), result);
  forms_.DataFm->exec();
  accept();
}

void TKensakuFm::CancelBtnClick() { reject(); }

}  // namespace sorabel
