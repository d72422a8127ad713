#include "WindowSupport.h"

#include "RecordForm.h"
#include "forms/DataControl.h"

namespace corv {

bool runGuarded(DataControl &data, const std::function<void()> &step) {
    for (;;) {
        DataControl::ErrorTrap trap(data);
        step();
        if (!trap.failed())
            return true;
        if (trap.error().number == DbErr::FileNotFound) {
            if (!locateDatabase(data))
                return false;
            continue; // the failed step again, on the file the user chose
        }
        unexpectedError(trap.error());
        return false;
    }
}

} // namespace corv
