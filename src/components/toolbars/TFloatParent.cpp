#include "components/toolbars/TFloatParent.h"

namespace sorabel::toolbars {

TFloatParent::TFloatParent(QWidget* form) : QWidget(form) {
  setObjectName(QStringLiteral("FloatParent"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 0, 0);
  hide();
}

}  // namespace sorabel::toolbars
