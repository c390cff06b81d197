#pragma once
// Message boxes and file dialogs, behind one small interface so that tests
// can answer them. The program installs QtUserDialogs; tests install a
// scripted implementation.

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace sorabel {

enum class Answer { Ok, Yes, No, Cancel };

enum class AskButtons { YesNo, YesNoCancel };

enum class MessageKind { Plain, Information, Warning, Confirmation, Error };

struct FileDialogOptions {
  QString filter;            // "description|pattern|description|pattern|"
  QString defaultExtension;  // without the dot
  QString folder;            // where the dialog starts
};

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A question with Yes/No or Yes/No/Cancel. A "\r" in text is a line break.
  virtual Answer ask(QWidget* parent, const QString& text, AskButtons buttons, MessageKind kind) = 0;

  // A message with an OK button.
  virtual void tell(QWidget* parent, const QString& text, MessageKind kind) = 0;

  // The chosen file, or an empty string when cancelled. The open dialog
  // accepts only existing files.
  virtual QString openFileName(QWidget* parent, const FileDialogOptions& options) = 0;
  virtual QString saveFileName(QWidget* parent, const FileDialogOptions& options) = 0;

  // The printer set-up dialog; the chosen printer is kept in printer. It
  // confirms with "OK" (it prints nothing). pdfName is offered for printing
  // to a PDF file while the printer has no file name yet.
  virtual void printerSetup(QWidget* parent, QPrinter* printer, const QString& pdfName) = 0;

  static UserDialogs& current();
  // Installs dialogs (not owned); nullptr restores the Qt dialogs.
  static void install(UserDialogs* dialogs);
};

// The Qt dialogs, titled "Sorabel".
class QtUserDialogs : public UserDialogs {
 public:
  Answer ask(QWidget* parent, const QString& text, AskButtons buttons, MessageKind kind) override;
  void tell(QWidget* parent, const QString& text, MessageKind kind) override;
  QString openFileName(QWidget* parent, const FileDialogOptions& options) override;
  QString saveFileName(QWidget* parent, const FileDialogOptions& options) override;
  void printerSetup(QWidget* parent, QPrinter* printer, const QString& pdfName) override;
};

// Converts "csv files (*.csv)|*.csv|All Files (*.*)|*.*|" into Qt's name
// filters. A description that already ends in its pattern is kept as it is;
// "*.*" becomes "*", which on this system is what matches every file.
QStringList qtNameFilters(const QString& filter);

// Shows a failed operation's message: the application's general error report.
void reportError(QWidget* parent, const QString& message);

}  // namespace sorabel
