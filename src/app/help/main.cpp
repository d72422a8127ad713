// corvella-help: the help viewer program. Shows the help book it is given.
//
//   corvella-help FILE
#include "app/Artwork.h"
#include "app/HelpBrowser.h"
#include "app/Paths.h"
#include "platform/Language.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Corvella Help"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.corvella"));
    const QString programFolder = QCoreApplication::applicationDirPath();
    corv::applyLanguage(
        corv::chosenLocale(),
        corv::translationFolders(programFolder, corv::installedShareFolder(programFolder)));
    corv::Artwork::applyColorScheme(qEnvironmentVariable("CORVELLA_COLOR_SCHEME"));
    corv::HelpBrowser window;
    window.setWindowIcon(corv::Artwork::appIcon());
    const QStringList args = app.arguments();
    window.load(args.size() > 1 ? args.at(1) : QString());
    if (const QScreen *screen = window.screen())
        window.resize(corv::HelpBrowser::fittingSize(screen->availableGeometry().size()));
    else
        window.resize(820, 640);
    window.show();
    window.activateWindow();
    return app.exec();
}
