#include "Startup.h"

#include "CorvModule.h"
#include "frmSplash.h"
#include "mdiCorvella.h"
#include "platform/Dialogs.h"

namespace corv {

mdiCorvella *CorvMain() {
    // Steps 1 to 4: paths, the default tank and the markers.
    CorvModule::readSettings();

    // 5. The main window, loaded and shown.
    auto *main = new mdiCorvella;
    main->show();

    // 6. The splash, modally over it, until it closes.
    {
        frmSplash splash(main);
        dialogs().execModal(splash);
    }

    // 7. The caption, or the way to a first tank.
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
