#include "forms/UMain.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QFileInfo>
#include <QDate>
#include <QFrame>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusTipEvent>
#include <QToolButton>

#include "forms/Forms.h"
#include "forms/UAbout.h"
#include "forms/UAdd.h"
#include "forms/UKensakuFm.h"
#include "forms/USet.h"
#include "forms/UTuki.h"
#include "ledger/BookFile.h"
#include "ledger/EntryEditing.h"
#include "platform/AnsiText.h"
#include "platform/CommandGuard.h"
#include "platform/FileIo.h"
#include "platform/FormFont.h"
#include "platform/HelpViewer.h"
#include "platform/QtPrinterPort.h"
#include "platform/WindowOrder.h"
#include "reports/MonthlySummary.h"
#include "reports/PrintLayout.h"
#include "settings/SettingsProfile.h"
#include "widgets/CommandPictures.h"
#include "widgets/StatusPanelBar.h"
#include "widgets/StringGridView.h"

namespace sorabel {

const QString TMainFm::kCaptionPlain = QStringLiteral("Sorabel");
const QString TMainFm::kCaptionNewFile = QStringLiteral("Sorabel  NewFile");

namespace {

constexpr int kFixedColumnWidth = 80;
constexpr int kDescriptionColumnSlack = 25;

const QString kOpenFilter = QStringLiteral("csv files (*.csv)|*.csv|Text files (*.txt)|*.TXT|All Files (*.*)|*.*|");
const QString kSaveFilter = QStringLiteral("csv files (*.csv)|*.csv|All Files (*.*)|*.*|");
const QString kChangedQuestion = QStringLiteral("データは変更されています\r保存しますか？");
const QString kGridHint = QStringLiteral("セルにマウスをあわせて再クリックで編集できます。");
// The cell editor's mask for dates: eight required digits with fixed slashes.
const QString kDateEditMask = QStringLiteral("9999/99/99;_");

// "Sorabel　<file>": opened, reopened or saved as (an ideographic space).
QString openedCaption(const QString& file) { return QStringLiteral("Sorabel\u3000") + file; }
// "Sorabel  <file>": read at start-up (two spaces).
QString startupCaption(const QString& file) { return QStringLiteral("Sorabel  ") + file; }

// Menu text for a path: "&" would otherwise mark an accelerator.
QString menuText(const QString& path) {
  QString text = path;
  return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

struct MenuCommand {
  const char* name;
  QString caption;
  QString hint;
  QKeySequence shortcut;
};

}  // namespace

TMainFm::TMainFm(Forms& forms, QWidget* parent)
    : QMainWindow(parent), forms_(forms), model_(new LedgerTableModel(grid_, this)), printer_(new QPrinter(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("MainFm"));
  applyFormFont(this);
  setWindowTitle(kCaptionPlain);
  setWindowIcon(programIcon());
  keepMinimumWindowSize(this);
  buildMenu();
  buildClient();
  helpViewer_ = new HelpViewer(this);
  FormCreate();
}

TMainFm::~TMainFm() {
  delete StringGrid1;  // the view must not outlive the book store it shows
  delete printer_;
}

// ---------------------------------------------------------------- building

void TMainFm::buildMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  auto command = [this](QMenu* menu, const MenuCommand& item, std::optional<CommandPicture> picture,
                        void (TMainFm::*handler)()) {
    QAction* action = menu->addAction(item.caption);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setStatusTip(item.hint);
    if (!item.shortcut.isEmpty()) {
      action->setShortcut(item.shortcut);
      addAction(action);  // the shortcut works wherever the focus is in the window
    }
    if (picture) action->setIcon(commandIcon(*picture));
    if (handler != nullptr) connect(action, &QAction::triggered, this, handler);
    return action;
  };
  auto named = [](QMenu* menu, const char* name) {
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
  };
  auto topMenu = [&](const char* name, const QString& caption) { return named(MainMenu1->addMenu(caption), name); };

  F1 = topMenu("F1", QStringLiteral("ファイル(&F)"));
  connect(F1, &QMenu::aboutToShow, this, &TMainFm::F1Click);
  New1 = command(F1, {"New1", QStringLiteral("新規作成(&N)"), QStringLiteral("ファイルを新規に作成します"), {}},
                 CommandPicture::New, &TMainFm::New1Click);
  Open1 = command(F1, {"Open1", QStringLiteral("開く(&O)"), QStringLiteral("ファイルを開きます"), {}},
                  CommandPicture::Open, &TMainFm::Open1Click);
  N2 = named(F1->addMenu(QStringLiteral("開き直す(&R)")), "N2");
  for (int n = 0; n < static_cast<int>(Histry.size()); ++n) {
    Histry[n] = N2->addAction(QString());
    Histry[n]->setObjectName(QStringLiteral("Histry%1").arg(n));
    connect(Histry[n], &QAction::triggered, this, [this, n] { HistryClick(n); });
  }
  Save1 = command(F1, {"Save1", QStringLiteral("上書き保存(&D)"), QStringLiteral("上書き保存します"), {}},
                  CommandPicture::Save, &TMainFm::Save1Click);
  SaveAs1 = command(F1, {"SaveAs1", QStringLiteral("名前を付けて保存(&A)"), QStringLiteral("名前を付けて新規保存します"), {}},
                    CommandPicture::SaveAs, &TMainFm::SaveAs1Click);
  F1->addSeparator()->setObjectName(QStringLiteral("N1"));
  Print1 = command(F1, {"Print1", QStringLiteral("印刷(&P)"), QStringLiteral("データを印刷します"), {}},
                   CommandPicture::Print, &TMainFm::Print1Click);
  F1->addSeparator()->setObjectName(QStringLiteral("N3"));
  Exit1 = command(F1, {"Exit1", QStringLiteral("終了(&X)"), QStringLiteral("アプリケーションを終了します"), {}},
                  CommandPicture::Exit, &TMainFm::Exit1Click);

  E5 = topMenu("E5", QStringLiteral("編集(&E)"));
  A1 = command(E5, {"A1", QStringLiteral("データ追加(&A)"), QStringLiteral("新しくデータを追加します"), Qt::Key_F3},
               CommandPicture::Add, &TMainFm::A1Click);
  D1 = command(E5, {"D1", QStringLiteral("データ削除(&L)"), QStringLiteral("データを削除します"), Qt::Key_F4},
               CommandPicture::Delete, &TMainFm::D1Click);
  E5->addSeparator()->setObjectName(QStringLiteral("N4"));
  SortInc = command(E5, {"SortInc", QStringLiteral("降順並び(&D)"), QStringLiteral("昇順に並び替えます"), {}},
                    std::nullopt, &TMainFm::SortIncClick);
  SortDec = command(E5, {"SortDec", QStringLiteral("昇順並び(&U)"), QStringLiteral("降順に並び替えます"), {}},
                    std::nullopt, &TMainFm::SortDecClick);
  for (QAction* sort : {SortInc, SortDec}) sort->setCheckable(true);

  Find1 = topMenu("Find1", QStringLiteral("検索(&S)"));
  Find2 = command(Find1, {"Find2", QStringLiteral("検索(&S)"), QStringLiteral("摘要項目の検索"), {}},
                  CommandPicture::Find, &TMainFm::Find2Click);
  I1 = command(Find1, {"I1", QStringLiteral("月別収支一覧(&I)"), QStringLiteral("月別収支一覧を表示します"), {}},
               CommandPicture::Monthly, &TMainFm::I1Click);

  Show1 = topMenu("Show1", QStringLiteral("表示(&V)"));
  T1 = command(Show1, {"T1", QStringLiteral("ツールバー(&A)"), QStringLiteral("ツールバーの表示"), {}}, std::nullopt,
               &TMainFm::T1Click);
  S3 = command(Show1, {"S3", QStringLiteral("ステータスバー(&B)"), QStringLiteral("ステータスバーの表示"), {}},
               std::nullopt, &TMainFm::S3Click);
  StayTop = command(Show1, {"StayTop", QStringLiteral("常に手前に表示(&W)"), QString(), {}}, std::nullopt,
                    &TMainFm::StayTopClick);
  for (QAction* check : {T1, S3, StayTop}) check->setCheckable(true);
  T1->setChecked(true);
  S3->setChecked(true);

  S1 = topMenu("S1", QStringLiteral("設定(&T)"));
  S2 = command(S1, {"S2", QStringLiteral("設定(&D)"), QStringLiteral("機能の設定をします"), {}},
               CommandPicture::Settings, &TMainFm::S2Click);
  P1 = command(S1, {"P1", QStringLiteral("プリンタの設定(&P)"), QStringLiteral("プリンターの設定"), {}},
               CommandPicture::PrinterSetup, &TMainFm::P1Click);

  H1 = topMenu("H1", QStringLiteral("ヘルプ(&H)"));
  H2 = command(H1, {"H2", QStringLiteral("ヘルプ(&H)"), QStringLiteral("ヘルプファイル呼び出し"), Qt::Key_F1},
               CommandPicture::Help, &TMainFm::H2Click);
  V1 = command(H1, {"V1", QStringLiteral("バージョン情報(&J)"), QStringLiteral("このアプリケーションについて"), {}},
               CommandPicture::About, &TMainFm::V1Click);
}

void TMainFm::buildToolbar() {
  Dock = new QWidget;
  Dock->setObjectName(QStringLiteral("Dock"));
  Dock->setFixedHeight(30);
  Panel1 = new QFrame(Dock);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  static_cast<QFrame*>(Panel1)->setFrameShape(QFrame::StyledPanel);
  Panel1->setGeometry(0, 2, 327, 26);

  struct ToolButtonPlace {
    const char* name;
    int left;
    CommandPicture picture;
    QAction* action;
  };
  const ToolButtonPlace buttons[] = {
      {"SpBtnNew", 11, CommandPicture::New, New1},       {"SpBtnOpen", 34, CommandPicture::Open, Open1},
      {"SpBtnSave", 57, CommandPicture::Save, Save1},    {"SpBtnPrint", 86, CommandPicture::Print, Print1},
      {"SpBtnAdd", 115, CommandPicture::Add, A1},        {"SpBtnDelete", 138, CommandPicture::Delete, D1},
      {"SpBtnFind", 167, CommandPicture::Find, Find2},   {"SpBtnCalc", 190, CommandPicture::Monthly, I1},
      {"SpBtnSet", 219, CommandPicture::Settings, S2},   {"SpBtnHelp", 248, CommandPicture::Help, H2},
      {"SpBtnAbout", 271, CommandPicture::About, V1},    {"EndBtn", 300, CommandPicture::Exit, Exit1},
  };
  for (const ToolButtonPlace& item : buttons) {
    auto* button = new QToolButton(Panel1);
    button->setObjectName(QString::fromLatin1(item.name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(commandIcon(item.picture));
    button->setIconSize({16, 16});
    button->setGeometry(item.left, 1, item.action == Exit1 ? 25 : 23, 22);
    button->setToolTip(item.action->statusTip());
    button->setStatusTip(item.action->statusTip());
    button->setEnabled(item.action->isEnabled());
    connect(item.action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    connect(button, &QToolButton::clicked, item.action, &QAction::trigger);
    if (item.action == Exit1) EndBtn = button;
  }
  for (int left : {80, 109, 161, 213, 242, 294}) {
    auto* separator = new QFrame(Panel1);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(left + 2, 3, 2, 20);
  }
}

void TMainFm::buildClient() {
  buildToolbar();
  StringGrid1 = new StringGridView(&ledgerColumnAlign);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->setModel(model_);
  StringGrid1->setStatusTip(kGridHint);
  StringGrid1->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  StringGrid1->cellDelegate()->setColumnMask([this](int column) { return StringGrid1GetEditMask(column, 0); });
  StringGrid1->cellDelegate()->setColumnUsesIme([](int column) { return column == kDescriptionColumn; });
  connect(StringGrid1, &StringGridView::cellEntered, this, [this](int column, int row) {
    StringGrid1SelectCell(column, row);
    StringGrid1Click();
  });
  connect(StringGrid1, &StringGridView::enterPressed, this, [this] { StringGrid1KeyDown(Qt::Key_Return); });
  // The grid gets its final size after the window's resize event; its
  // description column follows it.
  StringGrid1->installEventFilter(this);

  StatusBar1 = new StatusPanelBar({250, 150, 50, 100, 30});
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));

  auto* client = new QWidget;
  stackVertically(client, {{Dock}, {StringGrid1, 1}, {StatusBar1}});
  setCentralWidget(client);
}

// ---------------------------------------------------------------- window life

void TMainFm::FormCreate() {
  readProfileAtStart();
  loadStartupBook();
  setGridColumns();
  StatusBar1->setPanelWidth(0, 200);
}

void TMainFm::readProfileAtStart() {
  runGuarded(this, [this] {
    SettingsProfile profile(forms_.paths().profile);
    StoredPathWord = toQString(profile.password());
    if (profile.restoresWindowPlacement()) {
      const WindowPlacement placement = profile.windowPlacement();
      const QSize screen = screenSize();
      resize(placement.width, placement.height);
      move(std::min(placement.left, screen.width() - 50), std::min(placement.top, screen.height() - 50));
    } else {
      resize(600, 450);
    }
    if (profile.opensLastBook()) BookFileName = toQString(profile.lastBook(toAnsi(BookFileName)));
    const bool oldestFirst = profile.bookOrder() == BookOrder::OldestFirst;
    SortInc->setChecked(oldestFirst);
    SortDec->setChecked(!oldestFirst);
    if (profile.centresMainWindow()) CenterMainWindow();
    if (!profile.opensLastBook()) setWindowTitle(kCaptionNewFile);
  });
}

void TMainFm::loadStartupBook() {
  if (windowTitle() == kCaptionNewFile || !fileExists(toPath(BookFileName))) return;
  runGuarded(this, [this] {
    changeBook([this](LedgerGrid& grid) { readBookFile(grid, toPath(BookFileName)); });
    SortAndBalance();
    ShowStatus();
    setWindowTitle(startupCaption(BookFileName));
  });
}

void TMainFm::setGridColumns() {
  for (int column : {kDateColumn, kIncomeColumn, kExpenseColumn, kBalanceColumn})
    StringGrid1->setColumnWidth(column, kFixedColumnWidth);
  FormResize();
}

void TMainFm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMainFm::FormShow() {
  moveToNewestRow();
  StringGrid1->setFocus();
}

void TMainFm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TMainFm::FormResize() {
  StringGrid1->giveColumnTheRest(kDescriptionColumn, kDescriptionColumnSlack);
  int otherPanels = 0;
  for (int panel = 1; panel < StatusBar1->panelCount(); ++panel) otherPanels += StatusBar1->panelWidth(panel);
  StatusBar1->setPanelWidth(0, width() - otherPanels);
  EndBtn->move(Panel1->width() - (EndBtn->width() + 4), EndBtn->y());
}

void TMainFm::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  // The profile is written when it can be; a failure is shown but never
  // keeps the program from closing.
  runGuarded(this, [this] { FormClose(); });
  helpViewer_->close();
  event->accept();
}

bool TMainFm::FormCloseQuery() {
  if (windowTitle() == kCaptionPlain || !BookChanged()) return true;
  switch (UserDialogs::current().ask(this, kChangedQuestion, AskButtons::YesNoCancel, MessageKind::Warning)) {
    case Answer::Cancel: return false;
    case Answer::Yes: {
      bool saved = false;
      runGuarded(this, [&] { saved = saveBook(); });
      return saved;  // a failed or cancelled save keeps the book open
    }
    default: return true;
  }
}

void TMainFm::FormClose() {
  {
    SettingsProfile profile(forms_.paths().profile);
    const QRect frame = frameGeometry();
    profile.writeWindowPlacement({frame.top(), frame.left(), height(), width()});
    profile.writeLastBook(toAnsi(BookFileName));
    profile.writeBookOrder(bookOrder());
  }
  UpdateHistory();
}

void TMainFm::CenterMainWindow() { centreOnScreen(this, OffScreen::Allowed); }

// ---------------------------------------------------------------- book commands

void TMainFm::New1Click() {
  changeBook([](LedgerGrid& grid) { grid.resetToEmptyBook(); });
  setWindowTitle(kCaptionNewFile);
}

void TMainFm::Open1Click() {
  runGuarded(this, [this] {
    if (BookChanged() &&
        UserDialogs::current().ask(this, kChangedQuestion, AskButtons::YesNoCancel, MessageKind::Warning) == Answer::Yes)
      saveBook();
    const QString name = UserDialogs::current().openFileName(this, {kOpenFilter, QStringLiteral("csv")});
    if (name.isEmpty()) return;
    BookFileName = name;
    LoadBookFile();
    setWindowTitle(openedCaption(BookFileName));
    ShowStatus();
  });
}

void TMainFm::LoadBookFile() {
  const std::filesystem::path path = toPath(BookFileName);
  if (!fileExists(path)) return;
  changeBook([&](LedgerGrid& grid) {
    grid.resetToEmptyBook();
    readBookFile(grid, path);
  });
  SortAndBalance();
}

void TMainFm::Save1Click() {
  runGuarded(this, [this] { saveBook(); });
}

void TMainFm::SaveAs1Click() {
  runGuarded(this, [this] { saveBookAs(); });
}

bool TMainFm::saveBook() {
  // A book without a name (the last book was to be opened but none was
  // remembered) is saved under a name the user chooses.
  if (windowTitle() == kCaptionNewFile || BookFileName.isEmpty()) return saveBookAs();
  SortAndBalance();
  writeBookFile(grid_, toPath(BookFileName));
  return true;
}

bool TMainFm::saveBookAs() {
  const QString name = UserDialogs::current().saveFileName(this, {kSaveFilter, QStringLiteral("csv")});
  if (name.isEmpty()) return false;
  SortAndBalance();
  writeBookFile(grid_, toPath(name));
  BookFileName = name;
  setWindowTitle(openedCaption(BookFileName));
  return true;
}

void TMainFm::Exit1Click() { close(); }

bool TMainFm::BookChanged() const { return bookChanged(grid_, toPath(BookFileName)); }

void TMainFm::SortAndBalance() {
  changeBook([this](LedgerGrid& grid) { sortAndBalance(grid, kDateColumn, bookOrder()); });
}

BookOrder TMainFm::bookOrder() const {
  return SortInc->isChecked() ? BookOrder::OldestFirst : BookOrder::NewestFirst;
}

// ---------------------------------------------------------------- entry editing

void TMainFm::A1Click() {
  forms_.AddFm->DateTimePicker1->setDate(QDate::currentDate());
  forms_.AddFm->exec();
}

void TMainFm::D1Click() {
  runGuarded(this, [this] {
    const QString prompt = toQString(deletePrompt(SelectedDescription));
    if (UserDialogs::current().ask(this, prompt, AskButtons::YesNo, MessageKind::Confirmation) != Answer::Yes) return;
    const auto [first, last] = StringGrid1->selectedGridRows();
    changeBook([&](LedgerGrid& grid) { grid.deleteRows(first, last); });
    SortAndBalance();
    ShowStatus();
    SelectedDescription.clear();
  });
}

void TMainFm::SortIncClick() { switchOrder(BookOrder::OldestFirst); }

void TMainFm::SortDecClick() { switchOrder(BookOrder::NewestFirst); }

void TMainFm::switchOrder(BookOrder order) {
  SortInc->setChecked(order == BookOrder::OldestFirst);
  SortDec->setChecked(order == BookOrder::NewestFirst);
  runGuarded(this, [this] {
    SortAndBalance();
    ShowStatus();
  });
  FormShow();
}

void TMainFm::moveToNewestRow() {
  setCurrentRowKeepingColumn(bookOrder() == BookOrder::OldestFirst ? grid_.lastRow() : 1);
}

void TMainFm::setCurrentRowKeepingColumn(int gridRow) {
  StringGrid1->setCurrentCell(StringGrid1->currentColumn(), gridRow);
}

void TMainFm::StringGrid1SelectCell(int, int row) {
  if (row >= 1 && row <= grid_.lastRow()) SelectedDescription = grid_.cell(kDescriptionColumn, row);
}

void TMainFm::StringGrid1Click() { StringGrid1->setEditingEnabled(StringGrid1->currentColumn() != kBalanceColumn); }

void TMainFm::StringGrid1KeyDown(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) runGuarded(this, [this] { SortAndBalance(); });
}

QString TMainFm::StringGrid1GetEditMask(int column, int) const {
  return column == kDateColumn ? kDateEditMask : QString();
}

// ---------------------------------------------------------------- reports and dialogs

void TMainFm::Print1Click() {
  runGuarded(this, [this] {
    const QString question = QStringLiteral("%1ﾍﾟｰｼﾞを印刷します。").arg(printPageCount(grid_));
    if (UserDialogs::current().ask(this, question, AskButtons::YesNo, MessageKind::Confirmation) != Answer::Yes) return;
    QtPrinterPort::ensurePrinterAvailable(*printer_);
    QtPrinterPort port(*printer_, PrintGeometry::neededWidth, PrintGeometry::neededHeight);
    const PrintJob job{QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")).toStdString(),
                       toAnsi(QFileInfo(BookFileName).fileName())};
    printBook(port, grid_, job);
  });
}

void TMainFm::Find2Click() { forms_.KensakuFm->exec(); }

void TMainFm::I1Click() {
  runGuarded(this, [this] {
    forms_.TukiFm->showMonths(monthlySummary(grid_));
    forms_.TukiFm->exec();
  });
}

void TMainFm::S2Click() { forms_.SetFm->exec(); }

void TMainFm::V1Click() { forms_.AboutFm->exec(); }

// ---------------------------------------------------------------- view, window, help

void TMainFm::T1Click() {
  const bool show = !Panel1->isVisible();
  Panel1->setVisible(show);
  Dock->setVisible(show);
  T1->setChecked(show);
}

void TMainFm::S3Click() {
  const bool show = !StatusBar1->isVisible();
  StatusBar1->setVisible(show);
  S3->setChecked(show);
}

void TMainFm::StayTopClick() {
  const bool onTop = !windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  StayTop->setChecked(onTop);
  setStaysOnTop(this, onTop);
}

void TMainFm::P1Click() { UserDialogs::current().printerSetup(this, printer_); }

void TMainFm::H2Click() { helpViewer_->showContents(forms_.paths().helpFile); }

// ---------------------------------------------------------------- status bar

void TMainFm::ShowStatus() {
  StatusBar1->setPanelText(1, QStringLiteral(" データ件数 %1件").arg(grid_.dataRowCount()));
  StatusBar1->setPanelText(2, bookOrder() == BookOrder::OldestFirst ? QStringLiteral(" 降順") : QStringLiteral(" 昇順"));
  const std::optional<std::uintmax_t> size = fileSize(toPath(BookFileName));
  StatusBar1->setPanelText(3, size ? QStringLiteral(" %1 byte").arg(*size) : QString());
}

void TMainFm::HintToStatus(const QString& hint) { StatusBar1->setPanelText(0, hint); }

bool TMainFm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1 && event->type() == QEvent::Resize) FormResize();
  return QMainWindow::eventFilter(watched, event);
}

bool TMainFm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    HintToStatus(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

// ---------------------------------------------------------------- recent files

void TMainFm::F1Click() { ShowHistoryMenu(); }

void TMainFm::ShowHistoryMenu() {
  runGuarded(this, [this] {
    const auto entries = SettingsProfile(forms_.paths().profile).history();
    N2->setEnabled(!entries[0].empty());
    for (std::size_t n = 0; n < Histry.size(); ++n) {
      const QString path = toQString(entries[n]);
      Histry[n]->setData(path);
      Histry[n]->setText(menuText(path));
      Histry[n]->setVisible(!path.isEmpty());
    }
  });
}

void TMainFm::HistryClick(int n) {
  runGuarded(this, [this, n] {
    if (BookChanged() &&
        UserDialogs::current().ask(this, kChangedQuestion, AskButtons::YesNo, MessageKind::Warning) == Answer::Yes &&
        !saveBook())
      return;  // the user cancelled saving: the book stays
    BookFileName = Histry[n]->data().toString();
    ReopenBookFile();
  });
}

void TMainFm::ReopenBookFile() {
  changeBook([this](LedgerGrid& grid) {
    grid.resetToEmptyBook();
    readBookFile(grid, toPath(BookFileName));
  });
  setCurrentRowKeepingColumn(grid_.lastRow());
  setWindowTitle(openedCaption(BookFileName));
  ShowStatus();
}

void TMainFm::UpdateHistory() {
  SettingsProfile profile(forms_.paths().profile);
  updateHistory(profile, toAnsi(BookFileName));
}

}  // namespace sorabel
