#include "RecordSources.h"

namespace corv {

bool isWholeNumber(const QString &text) {
    if (text.isEmpty())
        return false;
    int i = (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    return true;
}

namespace sources {

QString tankIdForQuery(const QString &tankId) {
    return isWholeNumber(tankId) ? tankId : QStringLiteral("NOT SET");
}

QString journal(const QString &tankId) {
    return QStringLiteral("SELECT * FROM [Journal] WHERE TankID = ") + tankIdForQuery(tankId) +
           QStringLiteral(" ORDER BY EntryDate");
}

QString journalChart(const QString &tankId, const QString &from, const QString &to) {
    QString s = QStringLiteral("SELECT * FROM [Journal] WHERE TankID = ") + tankIdForQuery(tankId);
    if (!from.isEmpty())
        s += QStringLiteral(" AND EntryDate > #") + from + u'#';
    if (!to.isEmpty())
        s += QStringLiteral(" AND EntryDate < #") + to + u'#';
    return s + QStringLiteral(" ORDER BY EntryDate");
}

QString livestock(const QString &tankId, const QString &orderField) {
    return QStringLiteral("SELECT * FROM [LiveStock] WHERE TankID = ") + tankIdForQuery(tankId) +
           QStringLiteral(" ORDER BY ") + orderField;
}

QString livestockSortField(int order) {
    switch (order) {
    case 2:
        return QStringLiteral("CommonName");
    case 3:
        return QStringLiteral("ScientificName");
    case 4:
        return QStringLiteral("AcquiredFrom");
    default:
        return QStringLiteral("DateAcquired");
    }
}

QString tanks() {
    return QStringLiteral("SELECT * FROM [Tank] ORDER BY TankName");
}

QString tankName(const QString &tankId) {
    return QStringLiteral("SELECT TankName FROM [Tank] WHERE ID = ") + tankIdForQuery(tankId);
}

QString tank(const QString &tankId) {
    return QStringLiteral("SELECT * FROM [Tank] WHERE ID = ") + tankIdForQuery(tankId);
}

QString diseasesByCommonName() {
    return QStringLiteral("SELECT * FROM [Disease] ORDER BY CommonName");
}

QString diseasesByScientificName() {
    return QStringLiteral("SELECT * FROM [Disease] ORDER BY ScientificName");
}

QString diseases(int order) {
    return order == 2 ? diseasesByScientificName() : diseasesByCommonName();
}

QString glossary() {
    return QStringLiteral("SELECT * FROM [Glossary] ORDER BY Term");
}

QString maintenance(const QString &tankId) {
    return QStringLiteral("SELECT * FROM [Maintenance] WHERE TankID = ") + tankIdForQuery(tankId) +
           QStringLiteral(" ORDER BY EntryDate");
}

QString tasks(const QString &tankId) {
    return QStringLiteral("SELECT * FROM [Tasks] WHERE TankID = ") + tankIdForQuery(tankId) +
           QStringLiteral(" OR TankID IS NULL ORDER BY Title");
}

QString diseaseIndex() {
    return QStringLiteral("SELECT CommonName FROM [Disease] ORDER BY CommonName");
}

QString glossaryIndex() {
    return QStringLiteral("SELECT Term FROM [Glossary] ORDER BY Term");
}

} // namespace sources
} // namespace corv
