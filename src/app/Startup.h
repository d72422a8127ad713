// Start-up: from the settings to a main window with the default tank named
// in its caption, or with the tank window open for the user to make one.
#pragma once

namespace corv {

class mdiCorvella;

// Runs every step of start-up and returns the main window (owned by the
// caller). Afterwards the program is driven by the main window's events.
mdiCorvella *CorvMain();

} // namespace corv
