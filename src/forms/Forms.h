#pragma once
// Every window of the program, created once at start-up in a fixed order and
// kept for the whole run, and the book they work on. Windows reach each
// other through this set, by the windows' operations, never their controls.

#include <QString>
#include <filesystem>
#include <memory>

#include "ledger/BookSession.h"

namespace sorabel {

class MainWindowOperations;
class TMainFm;
class TPathWordFm;
class TAboutFm;
class TSetFm;
class TAddFm;
class TKensakuFm;
class TDataFm;
class TTukiFm;

struct FormPaths {
  std::filesystem::path profile;  // the settings profile
  QString helpFile;               // "Sorabel.hlp"
};

class Forms {
 public:
  // Creates TMainFm (its FormCreate runs now), TPathWordFm, TAboutFm,
  // TSetFm, TAddFm, TKensakuFm, TDataFm and TTukiFm, in this order.
  explicit Forms(FormPaths paths);
  ~Forms();
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  const FormPaths& paths() const { return paths_; }
  BookSession& session() { return *session_; }
  // The main window's operations, for the other windows.
  MainWindowOperations& mainWindow();

  // The start-up password: with none stored, true at once. Otherwise the
  // password dialog is shown and its text compared exactly; a wrong one is
  // told "パスワードが違います。" and gives false. A right one destroys the
  // password dialog.
  bool passwordAccepted();

  TMainFm* MainFm = nullptr;
  TPathWordFm* PathWordFm = nullptr;
  TAboutFm* AboutFm = nullptr;
  TSetFm* SetFm = nullptr;
  TAddFm* AddFm = nullptr;
  TKensakuFm* KensakuFm = nullptr;
  TDataFm* DataFm = nullptr;
  TTukiFm* TukiFm = nullptr;

 private:
  FormPaths paths_;
  // Made before the windows and destroyed after them: the grid view shows it.
  std::unique_ptr<BookSession> session_;
};

}  // namespace sorabel
