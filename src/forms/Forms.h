#pragma once
// Every window of the program, created once at start-up in a fixed order and
// kept for the whole run. Windows reach each other through this set, as the
// program's units reach each other's forms.

#include <QString>
#include <filesystem>
#include <memory>

namespace sorabel {

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
};

}  // namespace sorabel
