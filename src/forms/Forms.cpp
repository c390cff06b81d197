#include "forms/Forms.h"

#include <QLineEdit>

#include "forms/UAdd.h"
#include "forms/UMain.h"
#include "forms/UPathWord.h"
#include "platform/UserDialogs.h"
#include "platform/WindowOrder.h"

namespace sorabel {

Forms::Forms(FormPaths paths) : paths_(std::move(paths)) {
  MainFm = new TMainFm(*this);
  PathWordFm = new TPathWordFm;
  AddFm = new TAddFm(*this, MainFm);
}

Forms::~Forms() {
  delete PathWordFm;
  delete MainFm;  // owns the dialogs parented to it
}

bool Forms::passwordAccepted() {
  if (MainFm->StoredPathWord.isEmpty()) return true;
  const QSize screen = screenSize();
  PathWordFm->move((screen.width() - PathWordFm->frameGeometry().width()) / 2,
                   (screen.height() - PathWordFm->frameGeometry().height()) / 2);
  PathWordFm->exec();  // closed in whatever way, the text is compared
  if (PathWordFm->Edit1->text() != MainFm->StoredPathWord) {
    UserDialogs::current().tell(nullptr, QStringLiteral("パスワードが違います。"), MessageKind::Plain);
    return false;
  }
  delete PathWordFm;
  PathWordFm = nullptr;
  return true;
}

}  // namespace sorabel
