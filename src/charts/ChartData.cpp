#include "ChartData.h"

#include "data/RecordSet.h"
#include "data/RecordSources.h"
#include "platform/Conversions.h"

namespace corv {

const QVector<ChartParameter> &chartParameters() {
    // Two labels differ from their captions to keep the legend short, and
    // the temperature keeps the spelling of its field.
    static const QVector<ChartParameter> params = {
        {"ckAlkalinity", "Alkalinity", "Alkalinity", "Alkalinity"},
        {"ckAmmonia", "Ammonia", "Ammonia", "Ammonia"},
        {"ckCalcium", "Calcium", "Calcium", "Calcium"},
        {"ckCarbonDioxide", "Carbon Dioxide", "CarbonDioxide", "CO2"},
        {"ckCopper", "Copper", "Copper", "Copper"},
        {"ckDissolvedOxygen", "Dissolved Oxygen", "DissolvedOxygen", "O2"},
        {"ckHardness", "Hardness", "Hardness", "Hardness"},
        {"ckIodine", "Iodine", "Iodine", "Iodine"},
        {"ckIron", "Iron", "Iron", "Iron"},
        {"ckLead", "Lead", "Lead", "Lead"},
        {"ckMagnesium", "Magnesium", "Magnesium", "Magnesium"},
        {"ckMolybdenum", "Molybdenum", "Molybdenum", "Molybdenum"},
        {"ckNitrate", "Nitrate", "Nitrate", "Nitrate"},
        {"ckNitrite", "Nitrite", "Nitrite", "Nitrite"},
        {"ckpH", "pH", "pH", "pH"},
        {"ckPhosphate", "Phosphate", "Phosphate", "Phosphate"},
        {"ckSpecificGravity", "Specific Gravity", "SpecificGravity", "SpecGravity"},
        {"ckStrontium", "Strontium", "Strontium", "Strontium"},
        {"ckTemprature", "Temprature", "Temprature", "Temprature"},
        {"ckZinc", "Zinc", "Zinc", "Zinc"},
    };
    return params;
}

QVector<bool> defaultChartSelection() {
    QVector<bool> ticked(chartParameters().size(), false);
    for (int i = 0; i < chartParameters().size(); ++i) {
        const QString &f = chartParameters()[i].field;
        ticked[i] = f == QLatin1String("Ammonia") || f == QLatin1String("Nitrate") ||
                    f == QLatin1String("pH");
    }
    return ticked;
}

QStringList chartTypeItems() {
    return {QStringLiteral("3D Bar"),         QStringLiteral("2D Bar"),
            QStringLiteral("3D Line"),        QStringLiteral("2D Line"),
            QStringLiteral("3D Area"),        QStringLiteral("2D Area"),
            QStringLiteral("3D Step"),        QStringLiteral("2D Step"),
            QStringLiteral("3D Combination"), QStringLiteral("2D Combination")};
}

int chartTypeForItem(int itemData) {
    return itemData >= 1 && itemData <= 9 ? itemData : 0;
}

DateBoxCheck checkDateBox(const QString &text) {
    DateBoxCheck c;
    c.text = text;
    if (text.trimmed().isEmpty())
        return c;
    if (const auto d = toDate(text)) {
        c.state = DateBoxCheck::Valid;
        c.text = dateText(*d);
        c.bound = c.text;
    } else {
        c.state = DateBoxCheck::Invalid;
    }
    return c;
}

ChartQuery planChartQuery(const QString &tankId, const QString &fromText, const QString &toText) {
    ChartQuery q;
    q.from = checkDateBox(fromText);
    q.to = checkDateBox(toText);
    q.recordSource = sources::journalChart(tankId, q.from.bound, q.to.bound);
    return q;
}

QVector<JournalChartRow> readChartRows(RecordSet &records, DbError *error) {
    QVector<JournalChartRow> rows;
    if (error)
        *error = {};
    const int count = records.recordCount();
    if (count < 1)
        return rows;
    const QVector<ChartParameter> &params = chartParameters();
    const int dateField = records.fieldIndex(QStringLiteral("EntryDate"));
    QVector<int> fields;
    fields.reserve(params.size());
    for (const ChartParameter &p : params)
        fields.push_back(records.fieldIndex(p.field));

    rows.reserve(count);
    DbError e = records.moveFirst();
    for (int i = 0; i < count && e.ok(); ++i) {
        if (i > 0 && !(e = records.moveNext()).ok())
            break;
        JournalChartRow row;
        row.entryDate = dateField >= 0 ? records.text(dateField) : QString();
        row.values.reserve(fields.size());
        for (int f : fields)
            row.values.push_back(f >= 0 ? records.text(f) : QString());
        rows.push_back(std::move(row));
    }
    if (error)
        *error = e;
    return rows;
}

QString chartCellText(const QString &fieldText) {
    if (!readsAsNumber(fieldText))
        return QStringLiteral("0");
    return numberText(leadingNumber(fieldText));
}

ChartGrid buildChartGrid(const QVector<JournalChartRow> &rows, const QVector<bool> &ticked) {
    ChartGrid g;
    QVector<int> columns;
    const QVector<ChartParameter> &params = chartParameters();
    for (int i = 0; i < params.size(); ++i) {
        if (i < ticked.size() && ticked[i]) {
            columns.push_back(i);
            g.columnLabels << params[i].label;
        }
    }
    g.rowLabels.reserve(rows.size());
    g.cells.reserve(rows.size() * columns.size());
    for (const JournalChartRow &r : rows) {
        g.rowLabels << r.entryDate;
        for (int c : columns)
            g.cells << chartCellText(c < r.values.size() ? r.values[c] : QString());
    }
    return g;
}

} // namespace corv
