#include "forms/Forms.h"

#include <QLineEdit>

#include "forms/UAbout.h"
#include "forms/UAdd.h"
#include "forms/UDataFm.h"
#include "forms/UKensakuFm.h"
#include "forms/USet.h"
#include "forms/UTuki.h"
#include "forms/UMain.h"
#include "forms/UPathWord.h"
#include "platform/UserDialogs.h"
#include "platform/WindowOrder.h"

namespace sorabel {

Forms::Forms(FormPaths paths) : paths_(std::move(paths)) {
  MainFm = new TMainFm(*this);
  PathWordFm = new TPathWordFm;
  AboutFm = new TAboutFm(MainFm);
  SetFm = new TSetFm(*this, MainFm);
  AddFm = new TAddFm(*this, MainFm);
  KensakuFm = new TKensakuFm(*this, MainFm);
  DataFm = new TDataFm(*this, MainFm);
  TukiFm = new TTukiFm(*this, MainFm);
}

Forms::~Forms() {
  delete PathWordFm;
  delete MainFm;  // owns the dialogs parented to it
}

bool Forms::passwordAccepted() {
  if (MainFm->StoredPathWord.isEmpty()) return true;
  centreOnScreen(PathWordFm, OffScreen::ClampToZero);
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
