#pragma once
// A one-line field for a password: every character shows as "*" and the
// input method offers no predictions.

class QLineEdit;
class QWidget;

namespace sorabel {

QLineEdit* makePasswordField(QWidget* parent);

}  // namespace sorabel
