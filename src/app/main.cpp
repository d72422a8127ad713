#include "app/Artwork.h"
#include "app/Startup.h"
#include "app/mdiCorvella.h"
#include "forms/Windows.h"
#include "reports/ReportWindows.h"
#include "tools/ToolWindows.h"

#include <QApplication>
#include <memory>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvella"));
    QApplication::setApplicationName(QStringLiteral("Corvella"));
    QApplication::setWindowIcon(corv::Artwork::appIcon());
    // Each layer of windows tells the main window how its windows are made.
    corv::registerRecordWindows();
    corv::registerToolWindows();
    corv::registerReportWindows();
    std::unique_ptr<corv::mdiCorvella> main(corv::CorvMain());
    return app.exec();
}
