#pragma once
// The help viewer: shows the contents page of the program's help file, an
// HTML text, in a window of its own.

#include <QDialog>

class QTextBrowser;

namespace sorabel {

class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* parent = nullptr);

  // The help command "CONTENTS()": loads the file and shows its first page.
  // A missing file is reported here, in the viewer's own words.
  void showContents(const QString& helpFile);

  QString shownText() const;

 private:
  QTextBrowser* browser_;
};

}  // namespace sorabel
