// The texts a tank's type, shape and unit are stored as, in the order the
// tank window and the tank calculator list them: the list index is what the
// windows and the calculator's arithmetic work with.
#pragma once

#include <QString>
#include <QStringList>

namespace corv {

enum class TankList { Type, Shape, Unit };

namespace tanktexts {

// "Fresh Water", "Salt Water", "Cold Water"; "Rectangular", "Circular",
// "Hexagonal"; "Inches", "Centimeters".
const QStringList &items(TankList list);
// The tool tip of a list: "Fresh Water, Salt Water or Cold Water".
QString toolTip(TankList list);
// The items as a combo box shows them, in the user's language, in the same
// order as items().
QStringList shownItems(TankList list);
// The index of a stored text; -1 when it is none of the list's texts.
int find(TankList list, const QString &text);
// The index a stored text is shown as: a text that is none of the list's
// shows as the first item.
int indexOf(TankList list, const QString &text);
// The text stored for an index; an index out of range stores the first item.
QString textOf(TankList list, int index);
// Shapes 1 and 2 are round: they have a radius and no length.
inline bool isRound(int shapeIndex) {
    return shapeIndex == 1 || shapeIndex == 2;
}

} // namespace tanktexts
} // namespace corv
