#include "forms/ReportWindow.h"

#include <QPushButton>
#include <QStyle>

#include "forms/Forms.h"
#include "forms/MainWindowOperations.h"
#include "qtplatform/FormFont.h"
#include "widgets/StringGridView.h"
#include "widgets/TextTableModel.h"
#include "widgets/VerticalStack.h"

namespace sorabel {

ReportWindow::ReportWindow(Forms& forms, const QString& caption, const QStringList& headers, int firstAmountColumn,
                           QWidget* parent)
    : Form<QDialog>(parent), forms_(forms), model_(new TextTableModel(headers, this)) {
  applyFormFont(this);
  setWindowTitle(caption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
  keepMinimumWindowSize(this);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(33);
  StringGrid1 = StringGridView::readOnly(firstAmountColumn, model_, this);
}

void ReportWindow::addEndButton(const QString& caption, bool accepts) {
  EndBtn = new QPushButton(caption, Panel1);
  EndBtn->setObjectName(QStringLiteral("EndBtn"));
  EndBtn->setIcon(style()->standardIcon(accepts ? QStyle::SP_DialogOkButton : QStyle::SP_DialogCancelButton));
  EndBtn->setDefault(true);  // Enter in the grid closes the window
  connect(EndBtn, &QPushButton::clicked, this, accepts ? &QDialog::accept : &QDialog::reject);
}

void ReportWindow::finishLayout(QWidget* bottom) {
  if (bottom != nullptr)
    stackVertically(this, {{Panel1}, {StringGrid1, 1}, {bottom}});
  else
    stackVertically(this, {{Panel1}, {StringGrid1, 1}});
  for (QWidget* child : {static_cast<QWidget*>(StringGrid1), Panel1}) child->installEventFilter(this);
}

// The same client rectangle as the main window: under the same window frame
// that is the same outer size and place. (Before it is first mapped, a
// window's own frame is not known yet, so its outer rectangle cannot be set.)
void ReportWindow::takeMainWindowPlace() { setGeometry(forms_.mainWindow().mainWindowClient()); }

void ReportWindow::FormResize() {
  if (EndBtn != nullptr) EndBtn->move(Panel1->width() - EndBtn->width() - 4, EndBtn->y());
}

void ReportWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && (watched == StringGrid1 || watched == Panel1)) FormResize();
  return QDialog::eventFilter(watched, event);
}

}  // namespace sorabel
