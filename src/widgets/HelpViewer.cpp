#include "widgets/HelpViewer.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "qtplatform/UserDialogs.h"

namespace sorabel {

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Sorabel ヘルプ"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(560, 480);
}

void HelpViewer::showContents(const QString& helpFile) {
  QFile file(helpFile);
  if (!file.open(QIODevice::ReadOnly)) {
    UserDialogs::current().tell(parentWidget(), QStringLiteral("ヘルプファイル %1 を開けません。").arg(helpFile),
                                MessageKind::Error);
    return;
  }
  browser_->setHtml(QString::fromUtf8(file.readAll()));
  browser_->moveCursor(QTextCursor::Start);
  show();
  raise();
  activateWindow();
}

QString HelpViewer::shownText() const { return browser_->toPlainText(); }

}  // namespace sorabel
