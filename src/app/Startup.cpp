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
    // The paths, the default tank and the markers, from the settings.
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

    // The main window, loaded and shown.
    auto *main = new mdiCorvella;
    new LockKeeper(std::move(lock), main);
    main->show();

    // The splash, modally over it, until it closes.
    {
        frmSplash splash(main);
        dialogs().execModal(splash);
    }

    // The default tank in the caption, or the way to a first tank.
    if (CorvModule::CurrentTankID != CorvModule::NotSet) {
        CorvModule::announceDefaultTank();
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
