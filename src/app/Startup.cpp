#include "Startup.h"

#include "CorvModule.h"
#include "DatabaseLock.h"
#include "frmSplash.h"
#include "mdiCorvella.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>

namespace corv {

namespace {

// Holds the database lock for as long as the main window lives.
class LockKeeper : public QObject {
public:
    explicit LockKeeper(QObject *parent) : QObject(parent) {}
    ~LockKeeper() override { DatabaseLock::releaseProgramDatabase(); }
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
        msgBox(DatabaseLock::inUseMessage(CorvModule::DatabasePath), MsgButtons::Ok,
               MsgIcon::Exclamation, applicationTitle());
        return nullptr;
    }
    DatabaseLock::holdForProgram(std::move(lock));

    // The main window, loaded and shown.
    auto *main = new mdiCorvella;
    new LockKeeper(main);
    main->show();

    // A database that could not be made is said at once, with its reason,
    // not left to a bare "Unable to find" later.
    if (!CorvModule::FirstCopyProblem.isEmpty())
        msgBox(CorvModule::FirstCopyProblem, MsgButtons::Ok, MsgIcon::Exclamation,
               applicationTitle());

    // The splash, modally over it, until it closes.
    {
        frmSplash splash(main);
        dialogs().execModal(splash);
    }

    // The default tank in the caption, or the way to a first tank.
    if (CorvModule::CurrentTankID != CorvModule::NotSet) {
        CorvModule::announceDefaultTank();
    } else {
        msgBox(QCoreApplication::translate(
                   "Startup", "In order to use Corvella, you must set up a default Tank. Please "
                              "enter one now!"),
               MsgButtons::Ok, MsgIcon::Exclamation,
               QCoreApplication::translate("Startup", "No Default Tank"));
        // Opened for the missing default tank: TankOpen stays as it is.
        main->showForm(FormKind::Tank);
    }
    if (mdiCorvella::afterStartup)
        mdiCorvella::afterStartup(*main);
    return main;
}

} // namespace corv
