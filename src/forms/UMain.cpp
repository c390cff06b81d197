#include "forms/UMain.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>

#include "components/imagemenu/TMainImageMenu.h"
#include "components/imagemenu/TSysMenu.h"
#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "components/toolbars/TToolbarButton.h"
#include "components/toolbars/TToolbarSep.h"
#include "draw/ImageList.h"
#include "draw/TextRules.h"
#include "forms/BookHistory.h"
#include "forms/Forms.h"
#include "forms/MainCommands.h"
#include "forms/UAbout.h"
#include "forms/UAdd.h"
#include "forms/UBackups.h"
#include "forms/UKensakuFm.h"
#include "forms/USet.h"
#include "forms/UTuki.h"
#include "ledger/BookFile.h"
#include "ledger/BookRecovery.h"
#include "ledger/ClipboardText.h"
#include "ledger/EntryEditing.h"
#include "platform/FileIo.h"
#include "qtplatform/AnsiText.h"
#include "qtplatform/CommandGuard.h"
#include "qtplatform/FormFont.h"
#include "qtplatform/QtPrinterPort.h"
#include "qtplatform/WindowOrder.h"
#include "reports/MonthlySummary.h"
#include "reports/PrintLayout.h"
#include "settings/SettingsProfile.h"
#include "widgets/ColumnFit.h"
#include "widgets/CommandPictures.h"
#include "widgets/HelpViewer.h"
#include "widgets/LedgerTableModel.h"
#include "widgets/StatusPanelBar.h"
#include "widgets/StringGridView.h"
#include "widgets/VerticalStack.h"

namespace sorabel {
namespace {

const QString kOpenFilter = QStringLiteral("csv files (*.csv)|*.csv|Text files (*.txt)|*.TXT|All Files (*.*)|*.*|");
const QString kSaveFilter = QStringLiteral("csv files (*.csv)|*.csv|All Files (*.*)|*.*|");
const QString kChangedQuestion = QStringLiteral("データは変更されています\r保存しますか？");
const QString kRecoveryQuestion = QStringLiteral("前回、保存されずに終了したデータがあります。復元しますか？");
// The recovery copy follows a change within a second, but is written at
// most once every two seconds.
constexpr int kRecoveryDelayMs = 1000;
constexpr std::int64_t kRecoveryIntervalMs = 2000;
const QString kUtf8Question = QStringLiteral("このファイルは UTF-8 で書かれています。Shift-JIS に変換して開きますか？");
const QString kUnfinishedSaveQuestion = QStringLiteral(
    "%1 の前回の保存は途中で終わっています。\n保存する前の内容の控えが残っています。\n\n"
    "はい: 控えの内容で開きます（上書き保存すると控えは削除されます）\n"
    "いいえ: ファイルの今の内容で開き、控えを削除します\n"
    "キャンセル: 開きません");
const QString kGridHint = QStringLiteral("セルにマウスをあわせて再クリックで編集できます。");
// The cell editor's mask for dates: eight required digits with fixed slashes.
const QString kDateEditMask = QStringLiteral("9999/99/99;_");
const QString kNothingToPaste = QStringLiteral("貼り付けるデータがありません。");
const QString kCsvMime = QStringLiteral("text/csv");

std::string utf8(const QString& text) { return text.toStdString(); }

// The book a drop opens: the first local file named .csv, else the first
// local item (a folder or another file then gets what 開く would say).
// Empty when nothing local was dropped.
QString droppedBookName(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  QString first;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) return path;
    if (first.isEmpty()) first = path;
  }
  return first;
}

// Takes a drag or a drop as a copy: a file manager removes the file of a
// drop it takes for a move. False when the source offers no copy.
bool takeAsCopy(QDropEvent* event) {
  if (!event->possibleActions().testFlag(Qt::CopyAction)) return false;
  event->setDropAction(Qt::CopyAction);
  event->accept();
  return true;
}

}  // namespace

TMainFm::TMainFm(Forms& forms, BookSession& session, QWidget* parent)
    : Form<QMainWindow>(parent),
      forms_(forms),
      session_(session),
      model_(new LedgerTableModel(session.grid(), this)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("MainFm"));
  applyFormFont(this);
  showCaption();
  setWindowIcon(programIcon());
  keepMinimumWindowSize(this);
  setAcceptDrops(true);
  buildMenu();
  buildClient();
  buildHistory();
  buildRecovery();
  helpViewer_ = new HelpViewer(this);
  FormCreate();
}

// The history goes before the menu items its signals update.
TMainFm::~TMainFm() {
  bookHistory_->stack()->disconnect(this);  // its last signals find no menu items
  delete bookHistory_;
  if (recoveryWrite_.valid()) recoveryWrite_.wait();
}

// ---------------------------------------------------------------- building

QAction* TMainFm::addCommand(QMenu* menu, const MainCommand& command) {
  QAction* action = menu->addAction(QString::fromUtf8(command.caption));
  action->setObjectName(QString::fromLatin1(command.name));
  action->setStatusTip(QString::fromUtf8(command.hint));
  action->setCheckable(command.kind == CommandKind::Check);
  if (command.shortcut != 0) {
    action->setShortcut(QKeySequence(command.shortcut));
    addAction(action);  // the shortcut works wherever the focus is in the window
  }
  if (command.handler != nullptr) connectCommand(action, [this, handler = command.handler] { (this->*handler)(); });
  return action;
}

void TMainFm::connectCommand(QAction* action, std::function<void()> command) {
  connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
    if (commitOpenEdit()) command();
  });
}

bool TMainFm::commitOpenEdit() { return StringGrid1->commitOpenEditor(); }

void TMainFm::buildMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* current = nullptr;
  for (const MainCommand& command : mainCommands()) {
    const QString caption = QString::fromUtf8(command.caption);
    const QString name = QString::fromLatin1(command.name);
    switch (command.kind) {
      case CommandKind::Menu:
        current = MainMenu1->addMenu(caption);
        current->setObjectName(name);
        if (command.handler != nullptr) connect(current, &QMenu::aboutToShow, this, command.handler);
        break;
      case CommandKind::Submenu:
        N2 = current->addMenu(caption);
        N2->setObjectName(name);
        for (int n = 0; n < static_cast<int>(Histry.size()); ++n) {
          Histry[n] = N2->addAction(QString());
          Histry[n]->setObjectName(QStringLiteral("Histry%1").arg(n));
          connectCommand(Histry[n], [this, n] { HistryClick(n); });
        }
        break;
      case CommandKind::Separator: current->addSeparator()->setObjectName(name); break;
      case CommandKind::Item:
      case CommandKind::Check: addCommand(current, command); break;
    }
  }
  Undo1 = findChild<QAction*>(QStringLiteral("Undo1"));
  Redo1 = findChild<QAction*>(QStringLiteral("Redo1"));
  Cut1 = findChild<QAction*>(QStringLiteral("Cut1"));
  Copy1 = findChild<QAction*>(QStringLiteral("Copy1"));
  SortInc = findChild<QAction*>(QStringLiteral("SortInc"));
  SortDec = findChild<QAction*>(QStringLiteral("SortDec"));
  T1 = findChild<QAction*>(QStringLiteral("T1"));
  S3 = findChild<QAction*>(QStringLiteral("S3"));
  StayTop = findChild<QAction*>(QStringLiteral("StayTop"));
  T1->setChecked(true);
  S3->setChecked(true);
  for (const StandardKey& standard : standardKeys()) {
    auto* shortcut = new QShortcut(QKeySequence(standard.key), this);
    connect(shortcut, &QShortcut::activated, findChild<QAction*>(QString::fromLatin1(standard.command)),
            &QAction::trigger);
  }
  buildImageMenu();
}

void TMainFm::buildImageMenu() {
  using namespace imagemenu;
  ImageList1 = new draw::ImageList(16, 16, this);
  ImageList1->setObjectName(QStringLiteral("ImageList1"));
  ImageList1->addStrip(commandPictureStrip(16).toImage(), draw::rgb(255, 0, 255));
  ImageMenu1 = new TMainImageMenu(this);
  ImageMenu1->setObjectName(QStringLiteral("ImageMenu1"));
  const draw::CanvasFont menuFont{kMenuFontName, -12, draw::clHighlightText};
  ImageMenu1->setActiveFont(menuFont);
  draw::CanvasFont inactive = menuFont;
  inactive.color = draw::clMenuText;
  ImageMenu1->setInActiveFont(inactive);
  ImageMenu1->setImages(ImageList1);
  ImageMenu1->SysMenu().setItemHeight(0);  // stored 0: ignored, stays 20
  // The items' pictures and hints, in the order of the design's table.
  for (const char* name : {"New1", "Save1", "SaveAs1", "Print1", "Exit1", "A1", "D1", "SortInc", "SortDec", "F1", "I1",
                           "T1", "S3", "S2", "Find2", "P1", "H2", "V1", "Open1", "N2", "Cut1", "Copy1", "Paste1"}) {
    const MainCommand& command = *findCommand(name);
    QAction* item = command.kind == CommandKind::Menu || command.kind == CommandKind::Submenu
                        ? findChild<QMenu*>(QString::fromLatin1(name))->menuAction()
                        : findChild<QAction*>(QString::fromLatin1(name));
    const QString hint = *command.hint == '\0' ? QString() : QStringLiteral("|") + QString::fromUtf8(command.hint);
    ImageMenu1->ItemImages().Add(item, command.picture, hint);
  }
  ImageMenu1->setMenu(MainMenu1);
}

void TMainFm::buildToolbar() {
  using namespace toolbars;
  Dock = new TDock(nullptr, TDockPosition::dpTop);
  Dock->setObjectName(QStringLiteral("Dock"));
  Dock->setBoundLines(blTop | blBottom | blLeft | blRight);
  Panel1 = new TToolbar(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setCaption(QStringLiteral("Panel1"));
  Panel1->OnClose = [this](QObject*) { T1->setChecked(false); };
  int left = 0;  // creation places keep the table's order in the layout
  for (const char* name : toolbarLayout()) {
    if (name == nullptr) {
      auto* separator = new TToolbarSep(Panel1);
      separator->setGeometry(left, 0, 6, 22);
      left += 6;
      continue;
    }
    const MainCommand& command = *findCommand(name);
    QAction* action = findChild<QAction*>(QString::fromLatin1(command.name));
    auto* button = new TToolbarButton(Panel1);
    button->setObjectName(QString::fromLatin1(command.toolButton));
    const bool large = command.handler == &TMainFm::Exit1Click || command.handler == &TMainFm::S2Click;
    button->setGlyph(commandPixmap(static_cast<CommandPicture>(command.picture), large ? 20 : 16).toImage());
    button->setGeometry(left, 0, command.handler == &TMainFm::Exit1Click ? 25 : 23, 22);
    left += button->width();
    button->setHint(action->statusTip());
    button->setEnabled(action->isEnabled());
    connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    button->OnClick = [action] { action->trigger(); };
    if (command.handler == &TMainFm::Exit1Click) EndBtn = button;
  }
  Panel1->SetDockedTo(Dock);
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
  StringGrid1->cellDelegate()->setColumnText(
      [](int column) { return column == kDescriptionColumn ? FieldText::Words : FieldText::Figures; });
  connect(StringGrid1, &StringGridView::cellEntered, this, [this](int column, int row) {
    StringGrid1SelectCell(column, row);
    StringGrid1Click();
  });
  connect(StringGrid1, &StringGridView::enterPressed, this, [this] { StringGrid1KeyDown(Qt::Key_Return); });
  connect(StringGrid1, &StringGridView::fittedColumnsResized, this, &TMainFm::FormResize);
  // The grid gets its final size after the window's resize event; its
  // description column follows it.
  StringGrid1->installEventFilter(this);
  connect(model_, &QAbstractItemModel::dataChanged, this, &TMainFm::updateClipboardCommands);
  connect(StringGrid1, &StringGridView::cellEntered, this, &TMainFm::updateClipboardCommands);

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
  updateClipboardCommands();
}

void TMainFm::readProfileAtStart() {
  runGuarded(this, [this] {
    SettingsProfile profile(forms_.paths().profile);
    storedPathWord_ = profile.password();
    if (profile.restoresWindowPlacement()) {
      const WindowPlacement placement = profile.windowPlacement();
      const QSize screen = screenSize();
      resize(placement.width, placement.height);
      move(std::min(placement.left, screen.width() - 50), std::min(placement.top, screen.height() - 50));
    } else {
      const WindowPlacement defaults;
      resize(defaults.width, defaults.height);
    }
    if (profile.opensLastBook()) session_.setFileName(profile.lastBook());
    const bool oldestFirst = profile.bookOrder() == BookOrder::OldestFirst;
    SortInc->setChecked(oldestFirst);
    SortDec->setChecked(!oldestFirst);
    if (profile.centresMainWindow()) CenterMainWindow();
    if (!profile.opensLastBook()) session_.startWithNewBook();
    showCaption();
  });
}

void TMainFm::loadStartupBook() {
  if (session_.state() != BookState::LastBookMissing) return;
  runGuarded(this, [this] {
    bool read = false;
    replaceBook([&](LedgerGrid&) { read = session_.readLastBook(bookOrder(), openQuestions(session_.fileName())); });
    if (!read) return;
    ShowStatus();
    showCaption();
  });
}

void TMainFm::showCaption() { setWindowTitle(QString::fromStdString(session_.caption())); }

// The amount columns are 80 pixels wide, or as wide as their widest amount.
void TMainFm::setGridColumns() {
  StringGrid1->setColumnWidth(kDateColumn, kFixedColumnWidth);
  StringGrid1->fitColumnsToTexts({kIncomeColumn, kExpenseColumn, kBalanceColumn}, kFixedColumnWidth,
                                 widestAmountSample(StringGrid1->fontMetrics()));
  FormResize();
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
  if (!commitOpenEdit() || !FormCloseQuery()) {
    event->ignore();
    return;
  }
  // The profile is written when it can be; a failure is shown but never
  // keeps the program from closing.
  runGuarded(this, [this] { FormClose(); });
  discardRecovery();
  helpViewer_->close();
  event->accept();
}

bool TMainFm::FormCloseQuery() {
  bool goOn = false;
  runGuarded(this, [&] { goOn = offerToSave(AskButtons::YesNoCancel, true); });
  return goOn;  // a failed or cancelled save keeps the book open
}

bool TMainFm::offerToSave(AskButtons buttons, bool cancelStops) {
  if (!BookChanged()) return true;
  switch (UserDialogs::current().ask(this, kChangedQuestion, buttons, MessageKind::Warning)) {
    case Answer::Cancel: return !cancelStops;
    case Answer::Yes: return saveBook();
    default: return true;  // the book that replaces it or the close removes the recovery copy
  }
}

// Every key of the close is written in one save. A book path that the
// profile cannot hold is left out (the other keys are written all the same)
// and the user is told.
void TMainFm::FormClose() {
  SettingsProfile profile(forms_.paths().profile, ProfileSaving::OnCommit);
  const QRect frame = mainWindowFrame();
  profile.writeWindowPlacement({frame.top(), frame.left(), height(), width()});
  const std::optional<AnsiString> stored = storedPathValue(session_.fileName());
  if (stored) profile.writeLastBook(*stored);
  profile.writeBookOrder(bookOrder());
  UpdateHistory(profile);
  profile.commit();
  if (!stored)
    throw Error(session_.fileName() +
                "\nこのファイル名は長すぎるため、次回起動時に開くファイルと履歴に保存できませんでした。");
}

QRect TMainFm::mainWindowFrame() const { return outerFrame(this); }

void TMainFm::CenterMainWindow() { centreOnScreen(this, OffScreen::Allowed); }

// ---------------------------------------------------------------- book commands

QString TMainFm::BookFileName() const { return QString::fromStdString(session_.fileName()); }

void TMainFm::changeBook(const std::function<void(LedgerGrid&)>& change) {
  model_->change([&](LedgerGrid& grid) { change(grid); });
}

void TMainFm::replaceBook(const std::function<void(LedgerGrid&)>& change) {
  changeBook(change);
  bookHistory_->restart();
  discardRecovery();
}

// ---------------------------------------------------------------- recovery

void TMainFm::buildRecovery() {
  recovery_ = std::make_unique<RecoveryCopy>(recoveryFolder());
  recoveryTimer_ = new QTimer(this);
  recoveryTimer_->setSingleShot(true);
  connect(recoveryTimer_, &QTimer::timeout, this, [this] {
    const std::int64_t wait = kRecoveryIntervalMs - recoveryClock_.elapsed();
    if (recoveryClock_.isValid() && wait > 0) {
      recoveryTimer_->start(static_cast<int>(wait));
      return;
    }
    writeRecoveryNow();
  });
  connect(model_, &QAbstractItemModel::dataChanged, this, &TMainFm::scheduleRecovery);
}

void TMainFm::scheduleRecovery() {
  if (!recoveryTimer_->isActive()) recoveryTimer_->start(kRecoveryDelayMs);
}

// The book's text is made here; the files are written and synced on a
// thread of their own, so that a large book never holds up typing.
void TMainFm::writeRecoveryNow() {
  if (recoveryWrite_.valid()) recoveryWrite_.wait();
  if (!session_.changed()) {
    discardRecovery();
    return;
  }
  std::string bytes;
  try {
    bytes = bookFileText(grid());
  } catch (const Error&) {
    return;  // a cell no file can hold: Save will say so
  }
  recoveryClock_.start();
  const std::string name = session_.state() == BookState::NewBook ? std::string() : session_.fileName();
  recoveryWrite_ = std::async(std::launch::async, [copy = recovery_.get(), name, bytes = std::move(bytes)] {
    try {
      copy->write(name, bytes, std::time(nullptr));
    } catch (const Error&) {
      // Without a recovery copy the program runs as before; Save still works.
    }
  });
}

void TMainFm::discardRecovery() {
  recoveryTimer_->stop();
  if (recoveryWrite_.valid()) recoveryWrite_.wait();
  recovery_->discard();
}

void TMainFm::offerRecovery() {
  runGuarded(this, [this] {
    const std::vector<LeftRecovery> left = leftRecoveries(recoveryFolder());
    if (left.empty()) return;
    const LeftRecovery& newest = left.front();
    if (UserDialogs::current().ask(this, kRecoveryQuestion, AskButtons::YesNo, MessageKind::Confirmation) !=
        Answer::Yes) {
      recovery_->setAside({newest});
      return;
    }
    const std::string bytes = readBookBytes(newest.book);
    replaceBook([&](LedgerGrid&) {
      session_.openRecovered(bytes, newest.bookName);
      session_.sortAndBalance(bookOrder());
    });
    showCaption();
    ShowStatus();
    moveToNewestRow();
    writeRecoveryNow();  // this program's copy first, then the old one goes
    if (recoveryWrite_.valid()) recoveryWrite_.wait();
    removeRecovery(newest);
  });
}

void TMainFm::aboutToEditBook() { bookHistory_->aboutToChange(); }

void TMainFm::bookEdited(const QString& what) { bookHistory_->record(what); }

void TMainFm::Undo1Click() {
  bookHistory_->stack()->undo();
  ShowStatus();
}

void TMainFm::Redo1Click() {
  bookHistory_->stack()->redo();
  ShowStatus();
}

void TMainFm::buildHistory() {
  BookHistory::Window window;
  window.grid = [this]() -> const LedgerGrid& { return grid(); };
  window.changeBook = [this](const std::function<void(LedgerGrid&)>& change) { changeBook(change); };
  window.order = [this] { return bookOrder(); };
  window.setOrder = [this](BookOrder order) {
    SortInc->setChecked(order == BookOrder::OldestFirst);
    SortDec->setChecked(order == BookOrder::NewestFirst);
  };
  window.selection = [this] { return StringGrid1->gridSelection(); };
  window.select = [this](const StringGridView::Selection& selection) { StringGrid1->setGridSelection(selection); };
  bookHistory_ = new BookHistory(std::move(window), this);
  QUndoStack* stack = bookHistory_->stack();
  auto showHints = [this, stack] {
    Undo1->setEnabled(stack->canUndo());
    Redo1->setEnabled(stack->canRedo());
    Undo1->setStatusTip(bookHistory_->undoHint());
    Redo1->setStatusTip(bookHistory_->redoHint());
  };
  connect(stack, &QUndoStack::indexChanged, this, showHints);
  connect(stack, &QUndoStack::cleanChanged, this, showHints);
  connect(model_, &LedgerTableModel::cellEdited, this, [this] { bookEdited(QStringLiteral("セルの編集")); });
  showHints();
}

void TMainFm::New1Click() {
  runGuarded(this, [this] {
    if (!offerToSave(AskButtons::YesNoCancel, true)) return;
    replaceBook([this](LedgerGrid&) { session_.newBook(); });
    showCaption();
  });
}

void TMainFm::Open1Click() {
  runGuarded(this, [this] {
    if (!offerToSave(AskButtons::YesNoCancel, false)) return;
    const QString name = UserDialogs::current().openFileName(this, {kOpenFilter, QStringLiteral("csv"), dialogFolder()});
    if (name.isEmpty()) return;
    openBookNamed(name);
  });
}

void TMainFm::openBookNamed(const QString& name) {
  rememberFolder(name);
  replaceBook([&](LedgerGrid&) { session_.open(utf8(name), bookOrder(), openQuestions(utf8(name))); });
  showCaption();
  ShowStatus();
}

void TMainFm::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedBookName(event->mimeData()).isEmpty()) takeAsCopy(event);
}

// The book opens once the drop is over, so that the file manager is not
// kept waiting while the unsaved-changes question is open.
void TMainFm::dropEvent(QDropEvent* event) {
  const QString name = droppedBookName(event->mimeData());
  if (name.isEmpty() || !takeAsCopy(event)) return;
  QMetaObject::invokeMethod(this, [this, name] { openDroppedBook(name); }, Qt::QueuedConnection);
}

// As 開く, but nothing is asked for what cannot be opened, and Cancel keeps
// the book: no file dialog follows where the user could still turn back.
void TMainFm::openDroppedBook(const QString& name) {
  if (!commitOpenEdit()) return;
  runGuarded(this, [this, &name] {
    checkReadable(std::filesystem::path(utf8(name)));
    if (!offerToSave(AskButtons::YesNoCancel, true)) return;
    openBookNamed(name);
  });
}

QString TMainFm::dialogFolder() const {
  if (!session_.fileName().empty()) {
    const QFileInfo book(BookFileName());
    if (book.absoluteDir().exists()) return book.absolutePath();
  }
  return lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
}

void TMainFm::rememberFolder(const QString& file) { lastFolder_ = QFileInfo(file).absolutePath(); }

OpenQuestions TMainFm::openQuestions(const std::string& name) {
  OpenQuestions questions;
  questions.convertFromUtf8 = [this] {
    return UserDialogs::current().ask(this, kUtf8Question, AskButtons::YesNo, MessageKind::Confirmation) == Answer::Yes;
  };
  questions.unfinishedSave = [this, name] {
    const QString text = kUnfinishedSaveQuestion.arg(QString::fromStdString(name));
    switch (UserDialogs::current().ask(this, text, AskButtons::YesNoCancel, MessageKind::Warning)) {
      case Answer::Yes: return UnfinishedSaveChoice::OpenCopy;
      case Answer::No: return UnfinishedSaveChoice::OpenFile;
      default: return UnfinishedSaveChoice::OpenNothing;
    }
  };
  return questions;
}

void TMainFm::Save1Click() {
  runGuarded(this, [this] { saveBook(); });
}

void TMainFm::SaveAs1Click() {
  runGuarded(this, [this] { saveBookAs(); });
}

bool TMainFm::saveBook() {
  if (session_.saveNeedsName()) return saveBookAs();
  if (session_.changedOnDisk() &&
      UserDialogs::current().ask(this, BookFileName() + QStringLiteral(" は他のプログラムによって変更されています。上書きしますか？"),
                                 AskButtons::YesNo, MessageKind::Warning) != Answer::Yes)
    return false;
  setBackupPolicy();
  changeBook([this](LedgerGrid&) { session_.save(bookOrder()); });
  bookHistory_->joinPass();
  discardRecovery();
  tellBackupFailure();
  return true;
}

bool TMainFm::saveBookAs() {
  const QString name = UserDialogs::current().saveFileName(this, {kSaveFilter, QStringLiteral("csv"), dialogFolder()});
  if (name.isEmpty()) return false;
  rememberFolder(name);
  setBackupPolicy();
  changeBook([&](LedgerGrid&) { session_.saveAs(utf8(name), bookOrder()); });
  bookHistory_->joinPass();
  discardRecovery();
  showCaption();
  tellBackupFailure();
  return true;
}

void TMainFm::setBackupPolicy() {
  session_.setBackupPolicy({backupFolder(), SettingsProfile(forms_.paths().profile).backupCount()});
}

void TMainFm::tellBackupFailure() {
  const std::optional<std::string> failure = session_.takeBackupFailure();
  if (!failure || backupFailureTold_) return;
  backupFailureTold_ = true;
  UserDialogs::current().tell(
      this, QStringLiteral("ファイルは保存しましたが、前のファイルのバックアップを残せませんでした。\n") + QString::fromStdString(*failure),
      MessageKind::Warning);
}

void TMainFm::OpenBackup1Click() {
  runGuarded(this, [this] {
    if (listBackups(backupFolder(), session_.filePath()).empty()) {
      UserDialogs::current().tell(this, QStringLiteral("このファイルのバックアップはありません。"), MessageKind::Information);
      return;
    }
    if (!offerToSave(AskButtons::YesNoCancel, false)) return;
    TBackupFm chooser(listBackups(backupFolder(), session_.filePath()), this);
    if (chooser.exec() != QDialog::Accepted) return;
    const std::optional<std::filesystem::path> backup = chooser.chosen();
    if (!backup) return;
    replaceBook([&](LedgerGrid&) { session_.openBackup(*backup, bookOrder()); });
    showCaption();
    ShowStatus();
  });
}

void TMainFm::Exit1Click() { close(); }

bool TMainFm::BookChanged() const { return session_.changed(); }

void TMainFm::SortAndBalance() {
  changeBook([this](LedgerGrid&) { session_.sortAndBalance(bookOrder()); });
}

BookOrder TMainFm::bookOrder() const {
  return SortInc->isChecked() ? BookOrder::OldestFirst : BookOrder::NewestFirst;
}

// ---------------------------------------------------------------- entry editing

void TMainFm::A1Click() { forms_.AddFm->showForDate(QDate::currentDate()); }

void TMainFm::D1Click() {
  runGuarded(this, [this] {
    const QString prompt = toQString(deletePrompt(selectedDescription_));
    if (UserDialogs::current().ask(this, prompt, AskButtons::YesNo, MessageKind::Confirmation) != Answer::Yes) return;
    deleteSelectedRows(QStringLiteral("データ削除"));
  });
}

void TMainFm::deleteSelectedRows(const QString& what) {
  const auto selected = StringGrid1->selectedGridRows();
  aboutToEditBook();
  changeBook([&selected](LedgerGrid& grid) { grid.deleteRows(selected.first, selected.second); });
  SortAndBalance();
  bookEdited(what);
  ShowStatus();
  selectedDescription_.clear();
}

// ---------------------------------------------------------------- clipboard

// Cut asks nothing, unlike データ削除: the entries are on the clipboard and
// the step can be undone. They go whole, so that pasting brings them back.
void TMainFm::Cut1Click() {
  runGuarded(this, [this] {
    const auto [first, last] = StringGrid1->selectedGridRows();
    putOnClipboard({std::min(first, last), std::max(first, last), kDateColumn, kBalanceColumn});
    deleteSelectedRows(QStringLiteral("切り取り"));
  });
}

void TMainFm::Copy1Click() {
  runGuarded(this, [this] { putOnClipboard(selectedBlock()); });
}

CellBlock TMainFm::selectedBlock() const {
  const StringGridView::Selection s = StringGrid1->gridSelection();
  if (s.top == 0) return {s.row, s.row, s.column, s.column};
  return {s.top, s.bottom, s.left, s.right};
}

void TMainFm::putOnClipboard(const CellBlock& block) {
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(tabSeparatedText(grid(), block)));
  data->setData(kCsvMime, QByteArray::fromStdString(commaSeparatedText(grid(), block)));
  QGuiApplication::clipboard()->setMimeData(data);
}

// Rows become new entries wherever the selection is: the book's order
// decides where an entry stands, as it does for データ追加. Comma-separated
// text is read only when nothing else is offered.
void TMainFm::Paste1Click() {
  runGuarded(this, [this] {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    std::string text;
    PastedText kind = PastedText::Nothing;
    if (data != nullptr && data->hasText()) {
      text = utf8(data->text());
      kind = kindOfPastedText(text);
    } else if (data != nullptr && data->hasFormat(kCsvMime)) {
      text = data->data(kCsvMime).toStdString();
      if (kindOfPastedText(text) != PastedText::Nothing) kind = PastedText::CommaRows;
    }
    switch (kind) {
      case PastedText::Nothing: UserDialogs::current().tell(this, kNothingToPaste, MessageKind::Information); break;
      case PastedText::Value: pasteIntoCurrentCell(QString::fromStdString(pastedValue(text))); break;
      case PastedText::TabRows: pasteEntries(pastedEntries(text, '\t')); break;
      case PastedText::CommaRows: pasteEntries(pastedEntries(text, ',')); break;
    }
  });
}

void TMainFm::pasteEntries(const std::vector<NewEntry>& entries) {
  if (entries.empty()) {
    UserDialogs::current().tell(this, kNothingToPaste, MessageKind::Information);  // a header row alone
    return;
  }
  aboutToEditBook();
  changeBook([&](LedgerGrid& grid) { addEntries(grid, entries, bookOrder()); });
  SortAndBalance();
  ShowStatus();
  moveToNewestRow();
  bookEdited(QStringLiteral("貼り付け"));
}

// The value goes through the cell editor, whose rules (the date's mask,
// full-width figures, Shift-JIS) and refusals it meets as typed text does.
// The balance column takes none, as it takes no typing.
void TMainFm::pasteIntoCurrentCell(const QString& value) {
  if (!StringGrid1->editingEnabled() || StringGrid1->currentGridRow() < 1) return;
  StringGrid1->edit(StringGrid1->currentIndex());
  auto* editor = qobject_cast<QLineEdit*>(StringGrid1->cellDelegate()->openEditor());
  if (editor == nullptr) return;
  editor->selectAll();
  editor->insert(value);
  if (StringGrid1->commitOpenEditor()) StringGrid1KeyDown(Qt::Key_Return);
}

void TMainFm::updateClipboardCommands() {
  const bool entries = !isEmptyBook(grid()) && StringGrid1->currentGridRow() >= 1;
  Cut1->setEnabled(entries);
  Copy1->setEnabled(entries);
}

void TMainFm::SortIncClick() { switchOrder(BookOrder::OldestFirst); }

void TMainFm::SortDecClick() { switchOrder(BookOrder::NewestFirst); }

void TMainFm::switchOrder(BookOrder order) {
  aboutToEditBook();
  SortInc->setChecked(order == BookOrder::OldestFirst);
  SortDec->setChecked(order == BookOrder::NewestFirst);
  runGuarded(this, [this] {
    SortAndBalance();
    bookEdited(QStringLiteral("並び替え"));
    ShowStatus();
  });
  FormShow();
}

void TMainFm::moveToNewestRow() {
  setCurrentRowKeepingColumn(bookOrder() == BookOrder::OldestFirst ? grid().lastRow() : 1);
}

void TMainFm::setCurrentRowKeepingColumn(int gridRow) {
  StringGrid1->setCurrentCell(StringGrid1->currentColumn(), gridRow);
}

void TMainFm::StringGrid1SelectCell(int, int row) {
  if (row >= 1 && row <= grid().lastRow()) selectedDescription_ = grid().cell(kDescriptionColumn, row);
}

void TMainFm::StringGrid1Click() { StringGrid1->setEditingEnabled(StringGrid1->currentColumn() != kBalanceColumn); }

void TMainFm::StringGrid1KeyDown(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter)
    runGuarded(this, [this] {
      SortAndBalance();
      bookHistory_->joinPass();
    });
}

QString TMainFm::StringGrid1GetEditMask(int column, int) const {
  return column == kDateColumn ? kDateEditMask : QString();
}

// ---------------------------------------------------------------- reports and dialogs

void TMainFm::Print1Click() {
  runGuarded(this, [this] {
    const QString question = QStringLiteral("%1ﾍﾟｰｼﾞを印刷します。").arg(printPageCount(grid()));
    if (UserDialogs::current().ask(this, question, AskButtons::YesNo, MessageKind::Confirmation) != Answer::Yes) return;
    QtPrinterPort::ensurePrinterAvailable(*printer_);
    QtPrinterPort port(*printer_, PrintGeometry::neededWidth, PrintGeometry::neededHeight);
    // The file name is only shown on the page: a character Shift-JIS cannot
    // hold is printed as "〓" rather than refusing the job.
    const PrintJob job{QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")).toStdString(),
                       utf8ToCp932Replacing(utf8(QFileInfo(BookFileName()).fileName()), sjis("〓"))};
    printBook(port, grid(), job);
    if (printer_->outputFormat() == QPrinter::PdfFormat)
      HintToStatus(QStringLiteral("%1 に保存しました").arg(printer_->outputFileName()));
  });
}

void TMainFm::Find2Click() { forms_.KensakuFm->exec(); }

void TMainFm::I1Click() {
  runGuarded(this, [this] {
    forms_.TukiFm->showMonths(monthlySummary(grid()));
    forms_.TukiFm->exec();
  });
}

void TMainFm::S2Click() { forms_.SetFm->exec(); }

void TMainFm::V1Click() { forms_.AboutFm->exec(); }

// ---------------------------------------------------------------- view, window, help

void TMainFm::T1Click() {
  const bool show = !Panel1->Visible();
  Panel1->setVisible(show);  // the dock keeps its rows; without a toolbar it is 0 thick
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

void TMainFm::P1Click() {
  // Printing to a PDF file offers the book's name with ".pdf", beside the book.
  const QFileInfo book(BookFileName());
  const QString pdf = session_.fileName().empty() ? QString()
                                                  : book.absolutePath() + QLatin1Char('/') + book.completeBaseName() +
                                                        QStringLiteral(".pdf");
  UserDialogs::current().printerSetup(this, printer_.get(), pdf);
}

void TMainFm::H2Click() { helpViewer_->showContents(forms_.paths().helpFile); }

// ---------------------------------------------------------------- status bar

void TMainFm::ShowStatus() {
  StatusBar1->setPanelText(1, QStringLiteral(" データ件数 %1件").arg(grid().dataRowCount()));
  StatusBar1->setPanelText(2, bookOrder() == BookOrder::OldestFirst ? QStringLiteral(" 降順") : QStringLiteral(" 昇順"));
  const std::optional<std::uintmax_t> size = fileSize(session_.filePath());
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
      const QString path = QString::fromStdString(pathOfStoredValue(entries[n]));
      Histry[n]->setData(path);
      Histry[n]->setText(draw::literalCaption(path));  // a "&" in a path marks no accelerator
      Histry[n]->setVisible(!path.isEmpty());
    }
  });
}

void TMainFm::HistryClick(int n) {
  runGuarded(this, [this, n] {
    if (!offerToSave(AskButtons::YesNo, false)) return;  // the user cancelled saving: the book stays
    reopenBook(utf8(Histry[n]->data().toString()));
  });
}

void TMainFm::reopenBook(const std::string& name) {
  bool read = false;
  replaceBook([&](LedgerGrid&) { read = session_.reopen(name, openQuestions(name)); });
  if (!read) return;
  setCurrentRowKeepingColumn(grid().lastRow());
  showCaption();
  ShowStatus();
}

void TMainFm::UpdateHistory(SettingsProfile& profile) {
  updateHistory(profile, storedPathValue(session_.fileName()).value_or(AnsiString()));
}

}  // namespace sorabel
