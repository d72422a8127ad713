#include "TankTexts.h"

namespace corv::tanktexts {

const QStringList &items(TankList list) {
    static const QStringList types = {QStringLiteral("Fresh Water"), QStringLiteral("Salt Water"),
                                      QStringLiteral("Cold Water")};
    static const QStringList shapes = {QStringLiteral("Rectangular"), QStringLiteral("Circular"),
                                       QStringLiteral("Hexagonal")};
    static const QStringList units = {QStringLiteral("Inches"), QStringLiteral("Centimeters")};
    switch (list) {
    case TankList::Type:
        return types;
    case TankList::Shape:
        return shapes;
    case TankList::Unit:
        break;
    }
    return units;
}

QString toolTip(TankList list) {
    const QStringList &all = items(list);
    return all.mid(0, all.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           all.last();
}

int find(TankList list, const QString &text) {
    return int(items(list).indexOf(text));
}

int indexOf(TankList list, const QString &text) {
    return qMax(0, find(list, text));
}

QString textOf(TankList list, int index) {
    const QStringList &all = items(list);
    return all.value(index, all.first());
}

} // namespace corv::tanktexts
