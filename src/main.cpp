// Sorabel: the program entry. Creates the application and every window,
// asks for the start-up password when one is stored, then runs the main loop.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "forms/Forms.h"
#include "forms/UMain.h"
#include "platform/qt/AnsiText.h"
#include "platform/qt/FormFont.h"
#include "platform/draw/WindowSystem.h"
#include "settings/SettingsProfile.h"
#include "widgets/CommandPictures.h"

#ifndef SORABEL_HELP_FILE
#define SORABEL_HELP_FILE "Sorabel.hlp"
#endif

int main(int argc, char* argv[]) {
  sorabel::draw::preferX11UnderWayland(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorabel"));
  QApplication::setWindowIcon(sorabel::programIcon());
  sorabel::installFontSubstitutions();
  QApplication::setFont(sorabel::formFont());

  // Message boxes and file dialogs speak Japanese like the rest of the program.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslator);

  sorabel::FormPaths paths{
      sorabel::profilePathFor(sorabel::toPath(QCoreApplication::applicationFilePath())),
      QStringLiteral(SORABEL_HELP_FILE),
  };
  sorabel::Forms forms(paths);
  if (!forms.passwordAccepted()) return 0;
  forms.MainFm->show();
  return app.exec();
}
