#pragma once
// A report window: the search results and the monthly summary. Resizable,
// never smaller than 600 x 167, with a panel of 33 pixels at the top holding
// a closing button at its right end and a read-only grid below it. Each
// showing takes the main window's size and place.

#include <QDialog>
#include <QStringList>

#include "forms/FormWindow.h"

class QPushButton;

namespace sorabel {

class Forms;
class StringGridView;
class TextTableModel;

class ReportWindow : public Form<QDialog> {
  Q_OBJECT

 public:
  TextTableModel* model() const { return model_; }

 protected:
  // headers name the grid's columns; from firstAmountColumn on they are
  // amounts (right-aligned).
  ReportWindow(Forms& forms, const QString& caption, const QStringList& headers, int firstAmountColumn,
               QWidget* parent);

  // The closing button at the panel's right end; it accepts or rejects.
  void addEndButton(const QString& caption, bool accepts);
  // Lays out panel, grid and an optional bottom bar.
  void finishLayout(QWidget* bottom = nullptr);

  // The main window's width, height, top and left.
  void takeMainWindowPlace();
  // Keeps the closing button at the panel's right end.
  virtual void FormResize();

  void resizeEvent(QResizeEvent* event) override;
  // The panel and the grid get their sizes after the window's resize event.
  bool eventFilter(QObject* watched, QEvent* event) override;

  Forms& forms_;
  TextTableModel* model_;
  QWidget* Panel1;
  QPushButton* EndBtn = nullptr;
  StringGridView* StringGrid1;
};

}  // namespace sorabel
