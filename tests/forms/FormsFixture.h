#pragma once
// A fixture that starts the program's windows on a temporary profile, with
// message boxes and file dialogs answered by the test.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "forms/Forms.h"
#include "forms/UMain.h"
#include "ledger/BookFile.h"
#include "platform/Locale.h"
#include "qtplatform/AnsiText.h"
#include "settings/SettingsProfile.h"
#include "support/LedgerFixtures.h"
#include "support/ModalActions.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "widgets/StatusPanelBar.h"
#include "widgets/StringGridView.h"

namespace sorabel::test {

// The control of a window by its object name; a missing one fails the test.
template <class T>
T* child(const QObject* window, const char* name) {
  T* found = window->findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) throw std::logic_error(std::string("no control named ") + name);
  return found;
}

// Types text as a keyboard in full-width mode does: one key press per
// character, carrying the character.
inline void typeCharacters(QWidget* widget, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Commits text into the focused field as an input method does.
inline void commitFromInputMethod(QWidget* widget, const QString& text) {
  QInputMethodEvent event;
  event.setCommitString(text);
  QApplication::sendEvent(widget, &event);
}

// Puts text on the clipboard and pastes it with Ctrl+V.
inline void paste(QWidget* widget, const QString& text) {
  QApplication::clipboard()->setText(text);
  QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

class FormsTest : public ::testing::Test, public ModalActions {
 protected:
  // The user's data and state folders are the test's own, so that the
  // backups and recovery files of a test never reach the real ones.
  void SetUp() override {
    setThousandsSeparator(',');
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString((dir / "state").string()));
  }
  void TearDown() override {
    dropPendingActions();
    forms.reset();
    setThousandsSeparator(0);
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_STATE_HOME");
  }

  std::filesystem::path profilePath() const { return dir / "sorabel.ini"; }

  // Writes the profile from UTF-8 text, stored as Shift-JIS.
  void writeProfile(std::string_view utf8) const { writeBytes(profilePath(), sjis(utf8)); }
  std::string profileText() const { return cp932ToUtf8(readBytes(profilePath())); }

  // A book file from UTF-8 text; returns its path as Qt text.
  QString writeBook(const std::string& name, std::string_view utf8) const {
    writeBytes(dir / name, sjis(utf8));
    return bookPath(name);
  }
  QString bookPath(const std::string& name) const { return QString::fromStdString((dir / name).string()); }
  std::string bookText(const std::string& name) const { return cp932ToUtf8(readBytes(dir / name)); }

  // Creates every window as the program does.
  TMainFm& start() {
    forms = std::make_unique<Forms>(FormPaths{profilePath(), helpFile()});
    return *forms->MainFm;
  }

  TMainFm& main() const { return *forms->MainFm; }
  std::vector<Utf8Row> rows() const { return rowsOf(main().grid()); }
  QString panel(int n) const { return child<StatusPanelBar>(&main(), "StatusBar1")->panelText(n); }

  static QString helpFile() { return QStringLiteral(SORABEL_TEST_HELP_FILE); }

  TempDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<Forms> forms;
};

// The main window shown and active with a book opened through ファイル → 開く,
// and the grid driven by real key presses.
class OpenBookTest : public FormsTest {
 protected:
  void openBook(std::string_view utf8) {
    start().show();
    activate();
    dialogs.openNames.push_back(writeBook("book.csv", utf8));
    main().Open1Click();
  }
  void activate() {
    main().activateWindow();
    QApplication::setActiveWindow(&main());
    grid().setFocus();
  }
  StringGridView& grid() const { return *child<StringGridView>(&main(), "StringGrid1"); }
  QAction* action(const char* name) const { return child<QAction>(&main(), name); }
  std::string book() const { return bookFileText(main().grid()); }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    activate();
    QTest::keyClick(&grid(), key, modifiers);
  }
};

}  // namespace sorabel::test
