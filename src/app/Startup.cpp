#include "Startup.h"

#include "CorvModule.h"
#include "frmSplash.h"
#include "mdiCorvella.h"
#include "platform/Dialogs.h"

namespace corv {

mdiCorvella *CorvMain() {
    // The paths, the default tank and the markers, from the settings.
    CorvModule::readSettings();

    // The main window, loaded and shown.
    auto *main = new mdiCorvella;
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
