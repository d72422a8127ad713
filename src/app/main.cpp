#include "app/Artwork.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "app/mdiCorvella.h"
#include "care/CareWindows.h"
#include "charts/ChartWindows.h"
#include "forms/Windows.h"
#include "platform/Language.h"
#include "reports/ReportWindows.h"
#include "tools/ToolWindows.h"

#include <QApplication>
#include <memory>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvella"));
    QApplication::setApplicationName(QStringLiteral("Corvella"));
    // Ties the windows to the menu entry (and its icon) on Wayland desktops.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.corvella"));
    QApplication::setWindowIcon(corv::Artwork::appIcon());
    const QString programFolder = QCoreApplication::applicationDirPath();
    corv::applyLanguage(
        corv::chosenLocale(),
        corv::translationFolders(programFolder, corv::installedShareFolder(programFolder)));
    corv::Artwork::applyColorScheme(qEnvironmentVariable("CORVELLA_COLOR_SCHEME"));
    // Each layer of windows tells the main window how its windows are made.
    corv::registerRecordWindows();
    corv::registerToolWindows();
    corv::registerCareWindows();
    corv::registerChartWindows();
    corv::registerReportWindows();
    std::unique_ptr<corv::mdiCorvella> main(corv::CorvMain());
    if (!main)
        return 1; // another Corvella has the database
    return app.exec();
}
