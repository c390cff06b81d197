#pragma once
// The gallery's page for the button menu bar and the system menu drawer: it
// opens a form whose main menu is shown as a bar of flat buttons, wider than
// the form (so the sliders appear), with its window menu drawn by the image
// menu.

#include <QWidget>

namespace gallery {

class MenuButtonBarPage : public QWidget {
  Q_OBJECT

 public:
  explicit MenuButtonBarPage(QWidget* parent = nullptr);

  // The form, made on first need.
  QWidget* demoForm();

 private:
  QWidget* form_ = nullptr;
};

}  // namespace gallery
