#pragma once
// A form with docks on its four sides and toolbars of plain buttons.

#include <QApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <gtest/gtest.h>
#include <memory>

#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "components/toolbars/TToolbarButton.h"
#include "components/toolbars/TToolbarSep.h"
#include "components/toolbars/ToolbarDrag.h"
#include "components/toolbars/ToolbarInternals.h"
#include "support/RecordingCanvas.h"

namespace sorabel::test {

using namespace sorabel::toolbars;
using draw::Rect;
using draw::Size;

class ToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<QWidget>();
    form->resize(640, 480);
    auto* grid = new QGridLayout(form.get());
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    top = new TDock(form.get(), TDockPosition::dpTop);
    bottom = new TDock(form.get(), TDockPosition::dpBottom);
    left = new TDock(form.get(), TDockPosition::dpLeft);
    right = new TDock(form.get(), TDockPosition::dpRight);
    grid->addWidget(top, 0, 0, 1, 3);
    grid->addWidget(left, 1, 0);
    grid->addWidget(new QWidget(form.get()), 1, 1);
    grid->addWidget(right, 1, 2);
    grid->addWidget(bottom, 2, 0, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
  }

  // Handlers of a test capture its locals; the form outlives them.
  void TearDown() override {
    for (TDock* dock : form->findChildren<TDock*>()) dock->OnInsertRemoveBar = nullptr;
    for (TToolbar* bar : form->findChildren<TToolbar*>()) bar->OnClose = nullptr;
    for (TToolbarButton* button : form->findChildren<TToolbarButton*>()) button->OnClick = nullptr;
  }

  // A toolbar of buttons of the given widths (0: a separator), docked.
  TToolbar* toolbar(std::initializer_list<int> widths, TDock* dock, int row = 0, int pos = -1) {
    auto* bar = new TToolbar(form.get());
    int x = 0;
    for (int width : widths) {
      QWidget* control = width == 0 ? static_cast<QWidget*>(new TToolbarSep(bar)) : new TToolbarButton(bar);
      control->setGeometry(x, 0, width == 0 ? 6 : width, 22);
      x += control->width();
    }
    bar->SetDockRow(row);
    bar->SetDockPos(pos);
    bar->SetDockedTo(dock);
    return bar;
  }

  std::unique_ptr<QWidget> form;
  TDock* top = nullptr;
  TDock* bottom = nullptr;
  TDock* left = nullptr;
  TDock* right = nullptr;
};

}  // namespace sorabel::test
