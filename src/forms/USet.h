#pragma once
// The settings dialog: start-up options and the number of backups kept, the twenty registered descriptions,
// the start-up password and the deletion of recent-file entries. Every
// showing reloads the controls from the profile; OK writes them back.

#include <QDialog>
#include <array>

#include "forms/FormWindow.h"
#include "platform/Cp932.h"
#include "settings/SettingsProfile.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace sorabel {

class Forms;

class TSetFm : public Form<QDialog> {
  Q_OBJECT

 public:
  explicit TSetFm(Forms& forms, QWidget* parent = nullptr);

  // Builds the list of the five history check boxes.
  void FormCreate();
  void FormShow() override;
  void BitBtn1Click();
  void BitBtn2Click();
  // Empties, unticks and hides the history check boxes.
  void FormClose();

 protected:
  void done(int result) override;

 private:
  void buildFormTab();
  void buildDescriptionTab();
  void buildPasswordTab();
  void buildHistoryTab();
  void buildButtons();
  static QString historyCaption(const AnsiString& stored);

  // A text as the profile held it and as the dialog showed it.
  struct LoadedText {
    AnsiString stored;
    QString shown;
    // The bytes to write for the text now in the control.
    AnsiString bytesFor(const QString& current) const;
  };

  Forms& forms_;
  std::array<AnsiString, SettingsProfile::kHistorySize> historyValues_;
  LoadedText loadedPassword_;
  std::array<LoadedText, SettingsProfile::kRegisteredDescriptionCount> loadedDescriptions_;

  QTabWidget* PageControl1;
  QWidget* TabSheet3;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox4;
  QCheckBox* CheckBox2;
  QLabel* Label7;
  QSpinBox* BackupCountEdit;
  QWidget* TabSheet4;
  QPlainTextEdit* Memo1;
  QWidget* TabSheet1;
  QLabel* Label1;
  QLineEdit* Edit1;
  QLabel* Label5;
  QWidget* TabSheet2;
  QLabel* Label6;
  QFrame* Panel2;
  QWidget* Panel1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  std::array<QCheckBox*, SettingsProfile::kHistorySize> historyBoxes{};
};

}  // namespace sorabel
