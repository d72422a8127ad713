// What every child window that keeps a position and opens the database
// shares: its position in the settings, and opening steps that recover from
// a missing database file.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace corv {

class DataControl;

// The frame that carries a child window's position: its frame in the main
// window, or the widget itself when it stands alone.
QWidget *positionFrame(QWidget *window);
// Moves the window to "WindowPosition"/<key>Top and <key>Left; a value of
// -1 (or none) leaves that coordinate as it is.
void restorePosition(QWidget *window, const QString &key);
void savePosition(QWidget *window, const QString &key);

// Runs a step of opening a window. A missing database file makes the user
// pick it (the step then runs again on that file); false when the user
// cancelled, or when another error ended the program.
bool runGuarded(DataControl &data, const std::function<void()> &step);

// The last steps of every window's unload: the idle line, the open flag,
// and no active record window.
void unloadFromMainWindow(bool *openFlag);

} // namespace corv
