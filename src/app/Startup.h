// Start-up: from the settings to a main window with the default tank named
// in its caption, or with the tank window open for the user to make one.
#pragma once

namespace corv {

class mdiCorvella;

// Runs every step of start-up and returns the main window (owned by the
// caller). Afterwards the program is driven by the main window's events.
// Null when another Corvella is running with the same database: it has
// been said, and nothing else was brought up.
mdiCorvella *CorvMain();

} // namespace corv
