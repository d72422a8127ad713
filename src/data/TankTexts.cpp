#include "TankTexts.h"

#include <QCoreApplication>

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

// The stored texts above are English in every language; QT_TRANSLATE_NOOP
// marks them for the translation the combo boxes show.
[[maybe_unused]] const char *const shownNames[] = {
    QT_TRANSLATE_NOOP("corv::TankTexts", "Fresh Water"),
    QT_TRANSLATE_NOOP("corv::TankTexts", "Salt Water"),
    QT_TRANSLATE_NOOP("corv::TankTexts", "Cold Water"),
    QT_TRANSLATE_NOOP("corv::TankTexts", "Rectangular"),
    QT_TRANSLATE_NOOP("corv::TankTexts", "Circular"),
    QT_TRANSLATE_NOOP("corv::TankTexts", "Hexagonal"),
    QT_TRANSLATE_NOOP("corv::TankTexts", "Inches"),
    QT_TRANSLATE_NOOP("corv::TankTexts", "Centimeters")};

QStringList shownItems(TankList list) {
    QStringList shown;
    for (const QString &item : items(list))
        shown << QCoreApplication::translate("corv::TankTexts", item.toUtf8().constData());
    return shown;
}

QString toolTip(TankList list) {
    const QStringList all = shownItems(list);
    return all.mid(0, all.size() - 1).join(QStringLiteral(", ")) +
           QCoreApplication::translate("corv::TankTexts", " or ") + all.last();
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
