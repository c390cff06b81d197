#include "forms/USet.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>

#include "draw/TextRules.h"
#include "forms/Forms.h"
#include "forms/MainWindowOperations.h"
#include "qtplatform/AnsiText.h"
#include "qtplatform/CommandGuard.h"
#include "qtplatform/FormFont.h"
#include "settings/SettingsProfile.h"
#include "widgets/PasswordField.h"
#include "widgets/VerticalStack.h"

namespace sorabel {
namespace {

QCheckBox* checkBox(const QString& text, const QString& name, QRect geometry, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  box->setGeometry(geometry);
  return box;
}

QWidget* tab(QTabWidget* pages, const QString& name, const QString& caption) {
  auto* page = new QWidget;
  page->setObjectName(name);
  pages->addTab(page, caption);
  return page;
}

}  // namespace

TSetFm::TSetFm(Forms& forms, QWidget* parent) : Form<QDialog>(parent), forms_(forms) {
  setObjectName(QStringLiteral("SetFm"));
  applyFormFont(this);
  setWindowTitle(QStringLiteral("設定"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(338, 191);
  centreOnFirstShowing();
  // The design's check boxes are 13 to 17 pixels high: a tick box that fits
  // the lowest of them whole.
  setStyleSheet(QStringLiteral("QCheckBox::indicator { width: 12px; height: 12px; }"));

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  buildFormTab();
  buildDescriptionTab();
  buildPasswordTab();
  buildHistoryTab();
  buildButtons();

  stackVertically(this, {{PageControl1, 1}, {Panel1}});
  FormCreate();
}

void TSetFm::buildFormTab() {
  TabSheet3 = tab(PageControl1, QStringLiteral("TabSheet3"), QStringLiteral("フォーム設定"));
  CheckBox1 = checkBox(QStringLiteral("起動時に前回終了時のファイルを読み込む"), QStringLiteral("CheckBox1"),
                       {48, 12, 257, 17}, TabSheet3);
  CheckBox4 = checkBox(QStringLiteral("前回終了時のサイズで起動する"), QStringLiteral("CheckBox4"), {48, 36, 249, 17},
                       TabSheet3);
  CheckBox2 = checkBox(QStringLiteral("中央に表示"), QStringLiteral("CheckBox2"), {48, 64, 81, 13}, TabSheet3);
  Label7 = new QLabel(QStringLiteral("保存時に残すバックアップの数(&B)"), TabSheet3);
  Label7->setObjectName(QStringLiteral("Label7"));
  Label7->setGeometry(48, 90, 190, 16);
  BackupCountEdit = new QSpinBox(TabSheet3);
  BackupCountEdit->setObjectName(QStringLiteral("BackupCountEdit"));
  BackupCountEdit->setRange(0, kMaxBackupCount);
  BackupCountEdit->setSpecialValueText(QStringLiteral("なし"));
  BackupCountEdit->setGeometry(240, 88, 57, 20);
  Label7->setBuddy(BackupCountEdit);
  setTabOrder(CheckBox2, CheckBox1);
  setTabOrder(CheckBox1, CheckBox4);
  setTabOrder(CheckBox4, BackupCountEdit);
}

void TSetFm::buildDescriptionTab() {
  TabSheet4 = tab(PageControl1, QStringLiteral("TabSheet4"), QStringLiteral("摘要登録"));
  Memo1 = new QPlainTextEdit(TabSheet4);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  stackVertically(TabSheet4, {{Memo1, 1}});
}

void TSetFm::buildPasswordTab() {
  TabSheet1 = tab(PageControl1, QStringLiteral("TabSheet1"), QStringLiteral("パスワード設定"));
  Label1 = new QLabel(QStringLiteral("パスワード"), TabSheet1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->move(48, 36);
  Edit1 = makePasswordField(TabSheet1);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(128, 32, 133, 20);
  Edit1->setMaxLength(10);
  Label5 = new QLabel(QStringLiteral("パスワードを空白にすると起動時にパスワードを問いません"), TabSheet1);
  Label5->setObjectName(QStringLiteral("Label5"));
  Label5->setWordWrap(true);
  Label5->setGeometry(50, 82, 231, 24);
}

void TSetFm::buildHistoryTab() {
  TabSheet2 = tab(PageControl1, QStringLiteral("TabSheet2"), QStringLiteral("履歴削除"));
  Label6 = new QLabel(QStringLiteral("削除する履歴をチェックしてOKボタンを押して下さい。"), TabSheet2);
  Label6->setObjectName(QStringLiteral("Label6"));
  Label6->setWordWrap(true);
  Label6->setGeometry(28, 4, 272, 14);  // one line in the installed font
  Panel2 = new QFrame(TabSheet2);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFrameShape(QFrame::Panel);
  Panel2->setFrameShadow(QFrame::Sunken);
  Panel2->setLineWidth(2);
  Panel2->setGeometry(12, 24, 305, 93);
  for (int n = 1; n <= SettingsProfile::kHistorySize; ++n)
    checkBox(QString(), QStringLiteral("ChBox%1").arg(n), {12, 8 + 16 * (n - 1), 281, 17}, Panel2)->hide();
}

void TSetFm::buildButtons() {
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(33);
  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK(&O)"), Panel1);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(68, 4, 80, 25);
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("ｷｬﾝｾﾙ(&C)"), Panel1);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(172, 4, 80, 25);
  connect(BitBtn1, &QPushButton::clicked, this, &TSetFm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TSetFm::BitBtn2Click);
}

void TSetFm::FormCreate() {
  for (int n = 0; n < SettingsProfile::kHistorySize; ++n) historyBoxes[n] = Panel2->findChild<QCheckBox*>(QStringLiteral("ChBox%1").arg(n + 1));
}

// A path as a check box caption: "&" shows as itself, not as an accelerator.
QString TSetFm::historyCaption(const AnsiString& stored) {
  return draw::literalCaption(QString::fromStdString(pathOfStoredValue(stored)));
}

AnsiString TSetFm::LoadedText::bytesFor(const QString& current) const {
  return current == shown ? stored : toAnsi(current);
}

void TSetFm::FormShow() {
  runGuarded(this, [this] {
    SettingsProfile profile(forms_.paths().profile);
    for (int n = 0; n < SettingsProfile::kHistorySize; ++n) {
      historyValues_[n] = profile.historyEntry(n);
      historyBoxes[n]->setText(historyCaption(historyValues_[n]));
      historyBoxes[n]->setVisible(!historyValues_[n].empty());
    }
    CheckBox2->setChecked(profile.centresMainWindow());
    loadedPassword_ = {profile.password(), toQString(profile.password())};
    Edit1->setText(loadedPassword_.shown);
    CheckBox1->setChecked(profile.opensLastBook());
    CheckBox4->setChecked(profile.restoresWindowPlacement());
    BackupCountEdit->setValue(profile.backupCount());
    QStringList lines;
    for (int n = 0; n < SettingsProfile::kRegisteredDescriptionCount; ++n) {
      loadedDescriptions_[n] = {profile.registeredDescription(n), toQString(profile.registeredDescription(n))};
      lines << loadedDescriptions_[n].shown;
    }
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
  });
}

// Everything is converted before anything is written, and the profile is
// written once. A text left as it was loaded is written back byte for byte,
// so bytes that are not valid Shift-JIS (a hand-edited profile) never block
// OK; history entries are never converted at all.
void TSetFm::BitBtn1Click() {
  const bool saved = runGuarded(this, [this] {
    const AnsiString password = loadedPassword_.bytesFor(Edit1->text());
    std::vector<AnsiString> lines;
    const QStringList memo = Memo1->toPlainText().split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < memo.size() && n < SettingsProfile::kRegisteredDescriptionCount; ++n)
      lines.push_back(loadedDescriptions_[n].bytesFor(memo[n]));
    std::array<bool, SettingsProfile::kHistorySize> remove{};
    for (int n = 0; n < SettingsProfile::kHistorySize; ++n) remove[n] = historyBoxes[n]->isChecked();

    SettingsProfile profile(forms_.paths().profile, ProfileSaving::OnCommit);
    profile.writeOpensLastBook(CheckBox1->isChecked());
    profile.writeCentresMainWindow(CheckBox2->isChecked());
    profile.writeRestoresWindowPlacement(CheckBox4->isChecked());
    profile.writeBackupCount(BackupCountEdit->value());
    profile.writePassword(password);
    writeRegisteredDescriptions(profile, lines);
    keepHistory(profile, historyValues_, remove);
    profile.commit();
  });
  if (!saved) return;  // the dialog stays open so nothing typed is lost
  if (CheckBox2->isChecked()) forms_.mainWindow().CenterMainWindow();
  accept();
}

void TSetFm::BitBtn2Click() { reject(); }

void TSetFm::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TSetFm::FormClose() {
  for (QCheckBox* box : historyBoxes) {
    box->setText(QString());
    box->setChecked(false);
    box->hide();
  }
}

}  // namespace sorabel
