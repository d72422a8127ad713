#include "Startup.h"

#include "CorvModule.h"
#include "DatabaseLock.h"
#include "frmSplash.h"
#include "mdiCorvella.h"
#include "platform/Dialogs.h"

namespace corv {

namespace {

// Holds the database lock for as long as the main window lives.
class LockKeeper : public QObject {
public:
    LockKeeper(std::unique_ptr<DatabaseLock> lock, QObject *parent)
        : QObject(parent), m_lock(std::move(lock)) {}

private:
    std::unique_ptr<DatabaseLock> m_lock;
};

} // namespace

mdiCorvella *CorvMain() {
    // Steps 1 to 4: paths, the default tank and the markers.
    CorvModule::readSettings();

    // One Corvella per database: a second one would silently overwrite the
    // first one's edits. Where no lock can be made (a missing folder), the
    // program goes on; the windows report a missing database themselves.
    auto lock = std::make_unique<DatabaseLock>(CorvModule::DatabasePath);
    if (lock->lock() == DatabaseLock::InUse) {
        msgBox(QStringLiteral("Corvella is already running with the database %1. Only one "
                              "Corvella can use a database at a time: switch to the one that "
                              "is running.")
                   .arg(CorvModule::DatabasePath),
               MsgButtons::Ok, MsgIcon::Exclamation, applicationTitle());
        return nullptr;
    }

    // 5. The main window, loaded and shown.
    auto *main = new mdiCorvella;
    new LockKeeper(std::move(lock), main);
    main->show();

    // 6. The splash, modally over it, until it closes.
    {
        frmSplash splash(main);
        dialogs().execModal(splash);
    }

    // 7. The caption, or the way to a first tank.
    if (CorvModule::CurrentTankID != CorvModule::NotSet) {
        main->setWindowTitle(QStringLiteral("Corvella - ") + CorvModule::CurrentTankName);
    } else {
        msgBox(QStringLiteral("In order to use Corvella, you must set up a default Tank. Please "
                              "enter one now!"),
               MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("No Default Tank"));
        // Opened for the missing default tank: TankOpen stays as it is.
        main->showForm(FormKind::Tank);
    }
    return main;
}

} // namespace corv
