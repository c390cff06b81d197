// Sorabel: the program entry. Creates the application and every window,
// asks for the start-up password when one is stored, then runs the main loop.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "draw/HandlerBoundary.h"
#include "draw/WindowSystem.h"
#include "forms/Forms.h"
#include "forms/UMain.h"
#include "platform/InstallPaths.h"
#include "qtplatform/AnsiText.h"
#include "qtplatform/FormFont.h"
#include "qtplatform/UserDialogs.h"
#include "settings/SettingsProfile.h"
#include "widgets/CommandPictures.h"

#ifndef SORABEL_HELP_FILE
#define SORABEL_HELP_FILE "Sorabel.hlp"
#endif
#ifndef SORABEL_DATA_FROM_PROGRAM
#define SORABEL_DATA_FROM_PROGRAM "../share/sorabel"
#endif

namespace {

// Message boxes and file dialogs speak Japanese like the rest of the
// program: Qt's own translation, or the copy installed with the program.
void installQtTranslation(QTranslator& translator, const std::filesystem::path& programFile) {
  const QLocale japanese(QLocale::Japanese);
  const QString installed =
      sorabel::fromPath(sorabel::installedDataFolder(programFile, SORABEL_DATA_FROM_PROGRAM) / "translations");
  for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath), installed}) {
    if (translator.load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      QApplication::installTranslator(&translator);
      return;
    }
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  sorabel::draw::preferX11UnderWayland(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorabel"));
  // Window managers and task bars match the windows to the launcher by it.
  QGuiApplication::setDesktopFileName(QStringLiteral("jp.sorabel.Sorabel"));
  QApplication::setWindowIcon(sorabel::programIcon());
  // A failure inside a menu or toolbar handler is shown like a failed command.
  sorabel::draw::setExceptionHandler([](const std::exception& error) {
    sorabel::reportError(QApplication::activeWindow(), QString::fromUtf8(error.what()));
  });
  sorabel::installFontSubstitutions();
  QApplication::setFont(sorabel::formFont());

  const std::filesystem::path programFile = sorabel::toPath(QCoreApplication::applicationFilePath());
  QTranslator qtTranslator;
  installQtTranslation(qtTranslator, programFile);

  sorabel::FormPaths paths{
      sorabel::profileLocation(sorabel::profilePathFor(programFile),
                               sorabel::isInstalledProgram(programFile, SORABEL_DATA_FROM_PROGRAM)),
      sorabel::fromPath(
          sorabel::installedOrBuildFile(programFile, SORABEL_DATA_FROM_PROGRAM, SORABEL_HELP_FILE)),
  };
  sorabel::Forms forms(paths);
  if (!forms.passwordAccepted()) return 0;
  forms.MainFm->show();
  forms.MainFm->offerRecovery();
  return app.exec();
}
