// Target ranges: the defaults per water type, the marks and their tool tips,
// and keeping edits in the settings store, hand-edited junk included.
#include "app/Settings.h"
#include "data/Tables.h"
#include "data/TargetRanges.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using corv::test::TestEnv;

namespace {

const QString Fresh = QStringLiteral("Fresh Water");
const QString Salt = QStringLiteral("Salt Water");
const QString Cold = QStringLiteral("Cold Water");

TargetRange r(std::optional<double> low, std::optional<double> high) {
    return {low, high};
}

} // namespace

class TestTargetRanges : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

    QString iniPath() const {
        return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Corvella"),
                         QStringLiteral("Corvella"))
            .fileName();
    }

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void parametersAreTheJournalsValues() {
        // The twenty value fields of the Journal table, in its order, with
        // the journal's labels.
        QStringList journalFields = corvellaTables()[0].fields;
        for (const char *notValue : {"ID", "TankID", "EntryDate", "Notes"})
            journalFields.removeAll(QString::fromLatin1(notValue));
        QStringList ours;
        for (const JournalParameter &p : journalParameters())
            ours << p.field;
        QCOMPARE(ours, journalFields);
        QCOMPARE(journalParameters()[journalParameterIndex("pH")].label, QStringLiteral("pH"));
        QCOMPARE(journalParameterIndex("PH"), journalParameterIndex("ph"));
        QCOMPARE(journalParameters()[journalParameterIndex("SpecificGravity")].label,
                 QStringLiteral("Specific Gravity"));
        QCOMPARE(journalParameters()[journalParameterIndex("Temprature")].label,
                 QStringLiteral("Temprature"));
        QCOMPARE(journalParameterIndex("Salinity"), -1);
        QCOMPARE(waterTypeIndex(" salt water "), 1);
        QCOMPARE(waterTypeIndex(""), -1);
    }

    void defaultsPerWaterType() {
        for (const QString &type : {Fresh, Salt, Cold}) {
            QCOMPARE(TargetRanges::defaultRange(type, "Ammonia"), r(0, 0.25));
            QCOMPARE(TargetRanges::defaultRange(type, "Nitrite"), r(0, 0.25));
            QCOMPARE(TargetRanges::defaultRange(type, "Lead"), r(0, 0));
            QCOMPARE(TargetRanges::defaultRange(type, "DissolvedOxygen"), r(5, std::nullopt));
        }
        QCOMPARE(TargetRanges::defaultRange(Fresh, "PH"), r(6.5, 7.8));
        QCOMPARE(TargetRanges::defaultRange(Salt, "pH"), r(8.0, 8.4));
        QCOMPARE(TargetRanges::defaultRange(Cold, "PH"), r(7.0, 8.0));
        QCOMPARE(TargetRanges::defaultRange(Salt, "SpecificGravity"), r(1.020, 1.026));
        QVERIFY(TargetRanges::defaultRange(Fresh, "SpecificGravity").isEmpty());
        QCOMPARE(TargetRanges::defaultRange(Fresh, "Temprature"), r(72, 82));
        QCOMPARE(TargetRanges::defaultRange(Cold, "Temprature"), r(60, 72));
        QCOMPARE(TargetRanges::defaultRange(Salt, "Calcium"), r(380, 450));
        QVERIFY(TargetRanges::defaultRange(Fresh, "Calcium").isEmpty());
        QVERIFY(TargetRanges::defaultRange("Brackish", "PH").isEmpty());
        // Every default is a valid range, and a fresh set holds them.
        const TargetRanges ranges;
        for (const QString &type : waterTypes())
            for (const JournalParameter &p : journalParameters()) {
                const TargetRange d = TargetRanges::defaultRange(type, p.field);
                QVERIFY(!(d.low && d.high && *d.low > *d.high));
                QCOMPARE(ranges.range(type, p.field), d);
            }
    }

    void marksAndToolTips() {
        TargetRanges ranges;
        auto check = [&](const QString &v, const QString &f, const QString &t) {
            return ranges.check(v, f, t);
        };
        RangeCheck c = check("0.5", "Nitrite", Fresh);
        QCOMPARE(c.mark, RangeMark::Above);
        QVERIFY(c.outside());
        QCOMPARE(c.toolTip,
                 QStringLiteral("Nitrite 0.5 is above the target range 0–0.25 for Fresh Water."));
        c = check("6.2", "PH", Fresh);
        QCOMPARE(c.mark, RangeMark::Below);
        QCOMPARE(c.toolTip,
                 QStringLiteral("pH 6.2 is below the target range 6.5–7.8 for Fresh Water."));
        c = check("7.2", "PH", Fresh);
        QCOMPARE(c.mark, RangeMark::Inside);
        QVERIFY(c.toolTip.isEmpty());
        // Bounds belong to the range.
        QCOMPARE(check("0.25", "Ammonia", Salt).mark, RangeMark::Inside);
        QCOMPARE(check("0", "Ammonia", Salt).mark, RangeMark::Inside);
        QCOMPARE(check("1.026", "SpecificGravity", Salt).mark, RangeMark::Inside);
        // The value is quoted as typed; one-bound and single-value ranges.
        QCOMPARE(check(" 1,000 ", "Temprature", Fresh).toolTip,
                 QStringLiteral("Temprature 1,000 is above the target range 72–82 for Fresh "
                                "Water."));
        QCOMPARE(check("4", "DissolvedOxygen", Cold).toolTip,
                 QStringLiteral("Dissolved Oxygen 4 is below the target range of at least 5 for "
                                "Cold Water."));
        QCOMPARE(check("0.1", "Copper", Salt).toolTip,
                 QStringLiteral("Copper 0.1 is above the target range 0 for Salt Water."));
        QVERIFY(ranges.setRange(Fresh, "Nitrate", r(std::nullopt, 20)));
        QCOMPARE(check("2.5e1", "Nitrate", Fresh).toolTip,
                 QStringLiteral("Nitrate 2.5e1 is above the target range of at most 20 for Fresh "
                                "Water."));
        // Never marked: no number, no range, no known type or field.
        for (const QString &v : QStringList{"", "  ", "abc", "7.5 ppm", "1e999"})
            QCOMPARE(check(v, "PH", Fresh).mark, RangeMark::None);
        QCOMPARE(check("9", "SpecificGravity", Fresh).mark, RangeMark::None);
        QCOMPARE(check("9", "PH", "").mark, RangeMark::None);
        QCOMPARE(check("9", "Salinity", Fresh).mark, RangeMark::None);
    }

    void theTanksTypeDecidesTheMark() {
        const TargetRanges ranges;
        QCOMPARE(ranges.check("8.2", "PH", Fresh).mark, RangeMark::Above);
        QCOMPARE(ranges.check("8.2", "PH", Salt).mark, RangeMark::Inside);
        QCOMPARE(ranges.check("8.2", "PH", Cold).mark, RangeMark::Above);
        QCOMPARE(ranges.check("1.010", "SpecificGravity", Salt).mark, RangeMark::Below);
        QCOMPARE(ranges.check("1.010", "SpecificGravity", Fresh).mark, RangeMark::None);
    }

    void editsAreKeptAndRestored() {
        TargetRanges edited;
        QVERIFY(edited.setRange(Fresh, "PH", r(6.8, 7.4)));
        QVERIFY(edited.setRange(Salt, "Nitrate", r(std::nullopt, 5)));
        QVERIFY(edited.setRange(Salt, "PH", r(8.1, std::nullopt)));
        QVERIFY(edited.setRange(Cold, "Ammonia", TargetRange{}));
        // Refused edits change nothing.
        QVERIFY(!edited.setRange(Fresh, "PH", r(8, 7)));
        QVERIFY(!edited.setRange(Fresh, "PH", r(std::numeric_limits<double>::infinity(), 7)));
        QVERIFY(!edited.setRange("Brackish", "PH", r(1, 2)));
        QCOMPARE(edited.range(Fresh, "PH"), r(6.8, 7.4));
        edited.save();

        TargetRanges loaded = TargetRanges::load();
        QCOMPARE(loaded.range(Fresh, "PH"), r(6.8, 7.4));
        QCOMPARE(loaded.range(Salt, "Nitrate"), r(std::nullopt, 5));
        QCOMPARE(loaded.range(Salt, "PH"), r(8.1, std::nullopt));
        QVERIFY(loaded.range(Cold, "Ammonia").isEmpty());
        QCOMPARE(loaded.range(Fresh, "Ammonia"), r(0, 0.25));
        QCOMPARE(loaded.check("7.6", "PH", Fresh).mark, RangeMark::Above);
        QCOMPARE(Settings::read(Settings::appName(), "TargetRanges", "FreshWater.PH", "?"),
                 QStringLiteral("6.8..7.4"));
        QCOMPARE(Settings::read(Settings::appName(), "TargetRanges", "SaltWater.Nitrate", "?"),
                 QStringLiteral("..5"));

        // Restore Defaults acts on one water type only.
        loaded.restoreDefaults(Salt);
        QCOMPARE(loaded.range(Salt, "PH"), r(8.0, 8.4));
        QCOMPARE(loaded.range(Salt, "Nitrate"), r(0, 20));
        QCOMPARE(loaded.range(Fresh, "PH"), r(6.8, 7.4));
        loaded.save();
        const TargetRanges again = TargetRanges::load();
        QCOMPARE(again.range(Salt, "PH"), r(8.0, 8.4));
        QCOMPARE(again.range(Fresh, "PH"), r(6.8, 7.4));
        QVERIFY(again.range(Cold, "Ammonia").isEmpty());
    }

    void handEditedJunkFallsBackToTheDefault() {
        // Written as a user might type it into the INI file by hand.
        QDir().mkpath(QFileInfo(iniPath()).path());
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[TargetRanges]\n"
                "FreshWater.PH=7..7.6\n"         // good
                "FreshWater.Nitrate= ..10 \n"    // good, blanks around
                "FreshWater.Nitrite=abc\n"       // a word
                "FreshWater.Ammonia=0.5..0.1\n"  // low above high
                "FreshWater.Copper=6.5;7.8\n"    // ';' starts an INI comment
                "FreshWater.Lead=1,2\n"          // a list to the INI reader
                "FreshWater.Zinc=\n"             // empty
                "FreshWater.Iron=..\n"           // no range, on purpose
                "FreshWater.Calcium=1..2..3\n"   // too many bounds
                "FreshWater.Hardness=1e999..2\n" // not finite
                "SaltWater.PH=\"8.2..8.3\"\n"    // quoted as the program writes it
                "Bogus.PH=1..2\n"
                "[Other]\nKey=1\n");
        f.close();
        const TargetRanges ranges = TargetRanges::load();
        QCOMPARE(ranges.range(Fresh, "PH"), r(7, 7.6));
        QCOMPARE(ranges.range(Fresh, "Nitrate"), r(std::nullopt, 10));
        for (const char *field :
             {"Nitrite", "Ammonia", "Copper", "Lead", "Zinc", "Calcium", "Hardness"})
            QCOMPARE(ranges.range(Fresh, field), TargetRanges::defaultRange(Fresh, field));
        QVERIFY(ranges.range(Fresh, "Iron").isEmpty());
        QCOMPARE(ranges.range(Salt, "PH"), r(8.2, 8.3));
        QCOMPARE(ranges.range(Cold, "PH"), r(7.0, 8.0));
    }

    void boundsTypedInTheWindow() {
        QString why;
        QCOMPARE(TargetRanges::fromBoundTexts("6.5", " 7.8 ", "PH", &why), r(6.5, 7.8));
        QCOMPARE(TargetRanges::fromBoundTexts("", "0.25", "Nitrite"), r(std::nullopt, 0.25));
        QVERIFY(TargetRanges::fromBoundTexts("", "", "Nitrite")->isEmpty());
        QVERIFY(!TargetRanges::fromBoundTexts("low", "7", "PH", &why));
        QCOMPARE(why, QStringLiteral("The low bound of pH is not a number."));
        QVERIFY(!TargetRanges::fromBoundTexts("1", "1e400", "SpecificGravity", &why));
        // A number too large to hold is a number all the same.
        QCOMPARE(why,
                 QStringLiteral("The high bound of Specific Gravity (1e400) is out of range."));
        QVERIFY(!TargetRanges::fromBoundTexts("-1e999", "", "PH", &why));
        QCOMPARE(why, QStringLiteral("The low bound of pH (-1e999) is out of range."));
        QVERIFY(!TargetRanges::fromBoundTexts("8.4", "8", "PH", &why));
        QCOMPARE(why, QStringLiteral("The low bound of pH (8.4) is above its high bound (8)."));
        QCOMPARE(TargetRanges::boundText(1.02), QStringLiteral("1.02"));
        QCOMPARE(TargetRanges::boundText(std::nullopt), QString());
    }
};

QTEST_GUILESS_MAIN(TestTargetRanges)
#include "tst_targetranges.moc"
