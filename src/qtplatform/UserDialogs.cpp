#include "qtplatform/UserDialogs.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <algorithm>

#include "qtplatform/WindowOrder.h"

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

// Characters a message shows at most; a longer one is cut in the middle.
constexpr qsizetype kLongestMessage = 2000;
// A message box is never made shorter than this by cutting its text.
constexpr qsizetype kShortestCutMessage = 200;

QString cutInTheMiddle(const QString& text, qsizetype length) {
  if (text.size() <= length) return text;
  const qsizetype head = length / 2;
  return text.left(head) + QStringLiteral("…") + text.right(length - head - 1);
}

// A run of characters this long where a line cannot break (no space and no
// Japanese character, between which lines may break) gets a place where it
// may (a zero-width space), so that a long path or a long number wraps
// rather than widening the box beyond the screen.
constexpr int kLongestUnbrokenRun = 40;

bool lineMayBreakBeside(QChar c) { return c.isSpace() || c.unicode() >= 0x3000; }

QString breakable(const QString& text) {
  QString result;
  result.reserve(text.size() + text.size() / kLongestUnbrokenRun);
  int run = 0;
  for (QChar c : text) {
    run = lineMayBreakBeside(c) ? 0 : run + 1;
    if (run > kLongestUnbrokenRun) {
      result += QChar(0x200B);
      run = 1;
    }
    result += c;
  }
  return result;
}

QString displayText(QString text) {
  return breakable(cutInTheMiddle(text.replace(QLatin1Char('\r'), QLatin1Char('\n')), kLongestMessage));
}

// A message box that keeps to the screen: its text is cut in the middle
// until the box, title bar included, fits the screen's height. (Placing a
// box that fits on the screen is the window system's work; one taller than
// the screen would open with its title bar above it.)
class ScreenBoundMessageBox : public QMessageBox {
 public:
  ScreenBoundMessageBox(Icon icon, const QString& text, StandardButtons buttons, QWidget* parent)
      : QMessageBox(icon, QStringLiteral("Sorabel"), displayText(text), buttons, parent) {}

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // gives the box its size
    const QScreen* shown = screen();
    const int room = shown != nullptr ? shown->availableGeometry().height() : height();
    const QMargins margins = frameMargins(this);
    const int frame = margins.top() + margins.bottom();
    while (height() + std::max(frame, kAssumedTitleBar) > room && text().size() > kShortestCutMessage)
      setText(cutInTheMiddle(text(), text().size() * 3 / 4));
    if (shown != nullptr) keepTitleBarOnScreen(shown->availableGeometry());
  }

 private:
  // Centred on a window low on the screen, a tall box can be placed before
  // the window manager has told its title bar's height, its inner area at
  // the screen's top and the title bar above it. The owner's title bar is
  // as high as the box's will be.
  void keepTitleBarOnScreen(const QRect& area) {
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    int titleBar = frameMargins(this).top();
    if (titleBar <= 0 && owner != nullptr) titleBar = frameMargins(owner).top();
    if (titleBar <= 0) titleBar = kAssumedTitleBar;
    int top = std::min(y(), area.bottom() + 1 - height());
    top = std::max(top, area.top() + titleBar);
    if (top != y()) move(x(), top);
  }

  // Room left for a title bar the window manager has not drawn yet.
  static constexpr int kAssumedTitleBar = 40;
};

QString runFileDialog(QWidget* parent, const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  // Open takes only existing files; Save may name a new one.
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!options.folder.isEmpty()) dialog.setDirectory(options.folder);
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
  ScreenBoundMessageBox box(iconOf(kind), text, QMessageBox::NoButton, parent);
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
  ScreenBoundMessageBox box(iconOf(kind), text, QMessageBox::Ok, parent);
  box.exec();
}

QString QtUserDialogs::openFileName(QWidget* parent, const FileDialogOptions& options) {
  return runFileDialog(parent, options, QFileDialog::AcceptOpen);
}

QString QtUserDialogs::saveFileName(QWidget* parent, const FileDialogOptions& options) {
  return runFileDialog(parent, options, QFileDialog::AcceptSave);
}

void QtUserDialogs::printerSetup(QWidget* parent, QPrinter* printer, const QString& pdfName) {
  QPrintDialog dialog(printer, parent);
  dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  // A set-up dialog confirms the set-up; it does not print.
  for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
    for (QAbstractButton* button : box->buttons())
      if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) button->setText(QStringLiteral("OK"));
  if (printer->outputFileName().isEmpty() && !pdfName.isEmpty())
    if (auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) fileName->setText(pdfName);
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
