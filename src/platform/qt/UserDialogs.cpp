#include "platform/qt/UserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace sorabel {
namespace {

QtUserDialogs qtDialogs;
UserDialogs* installed = nullptr;

QMessageBox::Icon iconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Plain: return QMessageBox::NoIcon;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Confirmation: return QMessageBox::Question;
    case MessageKind::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

QString displayText(QString text) { return text.replace(QLatin1Char('\r'), QLatin1Char('\n')); }

QString runFileDialog(QWidget* parent, const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);  // a typed name that does not exist is allowed
  dialog.setNameFilters(qtNameFilters(options.filter));
  dialog.setDefaultSuffix(options.defaultExtension);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

UserDialogs& UserDialogs::current() { return installed != nullptr ? *installed : qtDialogs; }

void UserDialogs::install(UserDialogs* dialogs) { installed = dialogs; }

Answer QtUserDialogs::ask(QWidget* parent, const QString& text, AskButtons buttons, MessageKind kind) {
  QMessageBox box(iconOf(kind), QStringLiteral("Sorabel"), displayText(text), QMessageBox::NoButton, parent);
  QMessageBox::StandardButtons standard = QMessageBox::Yes | QMessageBox::No;
  if (buttons == AskButtons::YesNoCancel) standard |= QMessageBox::Cancel;
  box.setStandardButtons(standard);
  box.setDefaultButton(QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == AskButtons::YesNoCancel ? Answer::Cancel : Answer::No;
  }
}

void QtUserDialogs::tell(QWidget* parent, const QString& text, MessageKind kind) {
  QMessageBox box(iconOf(kind), QStringLiteral("Sorabel"), displayText(text), QMessageBox::Ok, parent);
  box.exec();
}

QString QtUserDialogs::openFileName(QWidget* parent, const FileDialogOptions& options) {
  return runFileDialog(parent, options, QFileDialog::AcceptOpen);
}

QString QtUserDialogs::saveFileName(QWidget* parent, const FileDialogOptions& options) {
  return runFileDialog(parent, options, QFileDialog::AcceptSave);
}

void QtUserDialogs::printerSetup(QWidget* parent, QPrinter* printer) {
  QPrintDialog dialog(printer, parent);
  dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  dialog.exec();
}

QStringList qtNameFilters(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    QString pattern = parts[i + 1];
    if (pattern.isEmpty()) continue;
    if (pattern == QLatin1String("*.*")) {
      pattern = QStringLiteral("*");
      description.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
    }
    QString suffix = QLatin1Char('(') + pattern + QLatin1Char(')');
    result << (description.endsWith(suffix, Qt::CaseInsensitive) ? description : description + QLatin1Char(' ') + suffix);
  }
  return result;
}

void reportError(QWidget* parent, const QString& message) {
  UserDialogs::current().tell(parent, message, MessageKind::Error);
}

}  // namespace sorabel
