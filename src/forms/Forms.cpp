#include "forms/Forms.h"

#include "components/imagemenu/ImageMenuTypes.h"
#include "forms/UAbout.h"
#include "forms/UAdd.h"
#include "forms/UDataFm.h"
#include "forms/UKensakuFm.h"
#include "forms/UMain.h"
#include "forms/UPathWord.h"
#include "forms/USet.h"
#include "forms/UTuki.h"
#include "platform/Errors.h"
#include "qtplatform/AnsiText.h"
#include "qtplatform/UserDialogs.h"
#include "qtplatform/WindowOrder.h"

namespace sorabel {
namespace {

// The password is compared as the profile holds it, in code page 932 bytes:
// what was stored is what is compared (〜 and ～ are one character there).
bool sameAsStored(const QString& typed, const AnsiString& stored) {
  try {
    return toAnsi(typed) == stored;
  } catch (const ConversionError&) {
    return false;  // a character the stored password cannot contain
  }
}

}  // namespace

Forms::Forms(FormPaths paths) : paths_(std::move(paths)), session_(std::make_unique<BookSession>()) {
  // The components' message handlers report through the general error report.
  imagemenu::setExceptionHandler([](const std::exception& error) { reportError(nullptr, QString::fromUtf8(error.what())); });
  MainFm = new TMainFm(*this, *session_);
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

MainWindowOperations& Forms::mainWindow() { return *MainFm; }

bool Forms::passwordAccepted() {
  if (MainFm->StoredPathWord().empty()) return true;
  centreOnScreen(PathWordFm, OffScreen::ClampToZero);
  PathWordFm->exec();  // closed in whatever way, the text is compared
  if (!sameAsStored(PathWordFm->typedPassword(), MainFm->StoredPathWord())) {
    UserDialogs::current().tell(nullptr, QStringLiteral("パスワードが違います。"), MessageKind::Plain);
    return false;
  }
  delete PathWordFm;
  PathWordFm = nullptr;
  return true;
}

}  // namespace sorabel
