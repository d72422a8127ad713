// What a screen reader needs beyond the names and descriptions Qt's widgets
// give on their own: texts that tell the user when they change (the record
// position, the status line) and a role for a widget Corvella draws itself.
#pragma once

#include <QAccessible>
#include <QString>

class QLabel;
class QWidget;

namespace corv {

// `label` reads as a status bar whose name and text are the label's text,
// and setLiveText() tells assistive technology of each change, so a screen
// reader can speak the new text while the focus stays where the user works.
void announceChanges(QLabel *label);

// Sets the text of `label` and, for a label made with announceChanges(),
// sends the events that a changed status text raises: its name changed and
// its text replaced. An unchanged text sends nothing.
void setLiveText(QLabel *label, const QString &text);

// `widget`, which draws itself, reads as `role` (a chart as a chart).
void setAccessibleRole(QWidget *widget, QAccessible::Role role);

} // namespace corv
