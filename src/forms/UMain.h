#pragma once
// The main window of Sorabel.
//
// Architecture in brief:
//  - The book is a BookSession (ledger/): the grid store, the file name and
//    the book's state, from which the caption follows. StringGrid1 shows the
//    store through LedgerTableModel (widgets/); every change of the book goes
//    through changeBook(), which keeps the view in step.
//  - The ledger's rules (order-and-balance pass, file format, unsaved-changes
//    test, entry editing) live in ledger/; the profile keys in settings/;
//    search, monthly summary and printing in reports/. This class only wires
//    them to menus, toolbar, dialogs and status bar.
//  - The menu and the toolbar are built from one command table
//    (MainCommands). Every handler named ...Click runs inside the command
//    guard: a failure ends the command and is shown in a message box.
//    Message boxes and file dialogs go through UserDialogs, which tests
//    replace.
//  - The other windows use the main window through MainWindowOperations.

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <future>
#include <memory>
#include <vector>

#include "forms/FormWindow.h"
#include "forms/MainWindowOperations.h"
#include "ledger/BookSession.h"
#include "qtplatform/UserDialogs.h"
#include "settings/SettingsProfile.h"

class QAction;
class QMenu;
class QPrinter;
class QTimer;

namespace sorabel {

namespace draw {
class ImageList;
}
namespace imagemenu {
class TMainImageMenu;
}
namespace toolbars {
class TDock;
class TToolbar;
class TToolbarButton;
}

class Forms;
class HelpViewer;
class BookHistory;
class RecoveryCopy;
class LedgerTableModel;
class StatusPanelBar;
class StringGridView;
struct MainCommand;
struct CellBlock;
struct NewEntry;

class TMainFm : public Form<QMainWindow>, public MainWindowOperations {
  Q_OBJECT

 public:
  TMainFm(Forms& forms, BookSession& session, QWidget* parent = nullptr);
  ~TMainFm() override;

  // Window life.
  void FormCreate();
  void FormShow() override;
  void FormResize();
  bool FormCloseQuery();
  void FormClose();

  // Book commands.
  void New1Click();
  void Open1Click();
  void OpenBackup1Click();
  void Save1Click();
  void SaveAs1Click();
  void Exit1Click();
  void Undo1Click();
  void Redo1Click();
  void A1Click();
  void D1Click();
  // Clipboard: Copy puts the selected cells on it as tab-separated text
  // and as the book's comma-separated lines; Cut takes the selected entries
  // whole and deletes them. Paste adds the rows on it as new entries, or
  // puts a single value into the current cell.
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void SortIncClick();
  void SortDecClick();
  void Print1Click();
  void Find2Click();
  void I1Click();
  void S2Click();
  void V1Click();

  // View, window and help commands.
  void T1Click();
  void S3Click();
  void StayTopClick();
  void P1Click();
  void H2Click();

  // Recovery: a copy of left unsaved changes offered back at start-up.
  void offerRecovery();
  // Writes (or, when the book has no unsaved changes, removes) this
  // program's recovery copy now, waiting for a write under way.
  void writeRecoveryNow();

  // Recent files.
  void F1Click();
  void ShowHistoryMenu();
  void HistryClick(int n);
  // At close, into the profile the close writes.
  void UpdateHistory(SettingsProfile& profile);

  // Grid events.
  void StringGrid1SelectCell(int column, int row);
  void StringGrid1Click();
  void StringGrid1KeyDown(int key);
  QString StringGrid1GetEditMask(int column, int row) const;

  // Operations used by several windows.
  void SortAndBalance() override;
  bool BookChanged() const;
  void ShowStatus() override;
  void HintToStatus(const QString& hint);
  void CenterMainWindow() override;

  const BookSession& session() const override { return session_; }
  void changeBook(const std::function<void(LedgerGrid&)>& change) override;
  void aboutToEditBook() override;
  void bookEdited(const QString& what) override;
  BookOrder bookOrder() const override;
  void moveToNewestRow() override;
  QRect mainWindowFrame() const override;
  QRect mainWindowClient() const override { return geometry(); }

  QString BookFileName() const;
  // The start-up password as the profile holds it (code page 932 bytes).
  const AnsiString& StoredPathWord() const { return storedPathWord_; }
  const AnsiString& SelectedDescription() const { return selectedDescription_; }
  const LedgerGrid& grid() const { return session_.grid(); }
  QPrinter* printer() const { return printer_.get(); }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // A book file dropped from a file manager opens as 開く opens it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildMenu();
  QAction* addCommand(QMenu* menu, const MainCommand& command);
  // ImageMenu1 draws MainMenu1 with the pictures of ImageList1.
  void buildImageMenu();
  void buildToolbar();
  void buildClient();
  void buildHistory();
  void buildRecovery();
  // A change of the book: the recovery copy is written within 2 seconds.
  void scheduleRecovery();
  void discardRecovery();
  // A change that puts another book in place (New, Open...): the undo
  // history starts again.
  void replaceBook(const std::function<void(LedgerGrid&)>& change);
  void readProfileAtStart();
  void loadStartupBook();
  void setGridColumns();
  void showCaption();
  // Connects a command so that it runs after an open cell editor's text has
  // gone into the book (and not at all when that text is refused).
  void connectCommand(QAction* action, std::function<void()> command);
  bool commitOpenEdit();
  // The unsaved-changes question. False when the command must not go on:
  // Cancel (where cancelStops), or Yes whose save did not happen.
  bool offerToSave(AskButtons buttons, bool cancelStops);
  // Save and Save As; false when nothing was saved (dialog cancelled, or the
  // user would not overwrite a file another program changed).
  bool saveBook();
  bool saveBookAs();
  // Before a save: the backups as the settings have them now. After it: a
  // backup that could not be made is told once a run.
  void setBackupPolicy();
  void tellBackupFailure();
  // Where the open and save dialogs start: the book's folder, else the last
  // folder used.
  QString dialogFolder() const;
  void rememberFolder(const QString& file);
  void setCurrentRowKeepingColumn(int gridRow);
  // The questions reading a book may ask: a UTF-8 file, the copy left by an
  // unfinished save of the book called name.
  OpenQuestions openQuestions(const std::string& name);
  // Reads the book called name again as it stands (a recent file): nothing
  // changes when the file cannot be read or the user chose to open nothing.
  void reopenBook(const std::string& name);
  // SortIncClick and SortDecClick: check the order, re-run the pass.
  void switchOrder(BookOrder order);
  // Open and a dropped file: the book of that name in place of this one.
  void openBookNamed(const QString& name);
  void openDroppedBook(const QString& name);
  // The selected rows go, as one step of the history called what.
  void deleteSelectedRows(const QString& what);
  // The selected cells; the current cell when none are selected.
  CellBlock selectedBlock() const;
  void putOnClipboard(const CellBlock& block);
  void pasteEntries(const std::vector<NewEntry>& entries);
  // A value pasted as typing it into the current cell and pressing Enter
  // would put it there.
  void pasteIntoCurrentCell(const QString& value);
  // Cut and Copy need entries.
  void updateClipboardCommands();

  Forms& forms_;
  BookSession& session_;
  LedgerTableModel* model_;
  BookHistory* bookHistory_ = nullptr;
  std::unique_ptr<RecoveryCopy> recovery_;
  QTimer* recoveryTimer_ = nullptr;
  std::future<void> recoveryWrite_;
  QElapsedTimer recoveryClock_;  // since the last recovery write
  HelpViewer* helpViewer_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  AnsiString storedPathWord_;
  bool backupFailureTold_ = false;
  QString lastFolder_;
  AnsiString selectedDescription_;

  QMenuBar* MainMenu1 = nullptr;
  draw::ImageList* ImageList1 = nullptr;
  imagemenu::TMainImageMenu* ImageMenu1 = nullptr;
  QMenu* N2 = nullptr;
  std::array<QAction*, SettingsProfile::kHistorySize> Histry{};
  QAction* Undo1 = nullptr;
  QAction* Redo1 = nullptr;
  QAction* Cut1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* SortInc = nullptr;
  QAction* SortDec = nullptr;
  QAction* T1 = nullptr;
  QAction* S3 = nullptr;
  QAction* StayTop = nullptr;
  toolbars::TDock* Dock = nullptr;
  toolbars::TToolbar* Panel1 = nullptr;
  toolbars::TToolbarButton* EndBtn = nullptr;
  StringGridView* StringGrid1 = nullptr;
  StatusPanelBar* StatusBar1 = nullptr;
};

}  // namespace sorabel
