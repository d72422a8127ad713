// The per-user settings store: text values addressed by application,
// section and key. Kept as an INI file in the platform's per-user
// configuration folder (on Linux ~/.config/Corvella/Corvella.ini).
#pragma once

#include <QString>

namespace corv {

class Settings {
public:
    // The stored text, or `defaultValue` when the key is absent.
    static QString read(const QString &application, const QString &section, const QString &key,
                        const QString &defaultValue);
    static QString read(const QString &application, const QString &section, const QString &key,
                        const char *defaultValue) {
        return read(application, section, key, QString::fromUtf8(defaultValue));
    }
    // Booleans come back as "True" or "False"; numbers as decimal text.
    static QString read(const QString &application, const QString &section, const QString &key,
                        bool defaultValue);
    static QString read(const QString &application, const QString &section, const QString &key,
                        int defaultValue);

    static void save(const QString &application, const QString &section, const QString &key,
                     const QString &value);

    // The two conversions every caller of the store uses.
    static QString boolText(bool value) {
        return value ? QStringLiteral("True") : QStringLiteral("False");
    }
    // Lenient: "True"/"False" in any letter case, "Yes"/"No", "On"/"Off" and
    // numbers (0 is false, any other number true). A text that is none of
    // these gives `fallback`.
    static bool toBool(const QString &text, bool fallback);

    // Convenience over the two above for the application "Corvella".
    static bool readBool(const QString &section, const QString &key, bool defaultValue);
    static void saveBool(const QString &section, const QString &key, bool value);
    // A whole number, or `defaultValue` when absent or not a number.
    static int readInt(const QString &section, const QString &key, int defaultValue);

    static const QString &appName();

    // --- Every key Corvella keeps, typed. No other file names a key. ---

    // "Database"/"Filename" and "HelpFile"/"Filename": the path, or
    // "NOT SET" when absent.
    static QString databasePath();
    static void setDatabasePath(const QString &path);
    static QString helpFile();
    static void setHelpFile(const QString &path);
    // "DefaultTank"/"TankID" and "TankName": the texts, or "NOT SET" when
    // absent.
    static QString defaultTankId();
    static void setDefaultTankId(const QString &id);
    static QString defaultTankName();
    static void setDefaultTankName(const QString &name);

    // The view options, true/false/false... as below when absent.
    static bool toolbarVisible(); // "Toolbar"/"Visible", true
    static void setToolbarVisible(bool visible);
    static bool toolbarText(); // "Toolbar"/"Text", false
    static void setToolbarText(bool on);
    static bool statusBarVisible(); // "Statusbar"/"Visible", true
    static void setStatusBarVisible(bool visible);
    static bool autoHighlight(); // "Options"/"AutoHighlight", true
    static void setAutoHighlight(bool on);

    // The chart window's switches, kept as the user changes them.
    static bool chartShowTargetRanges(); // "Chart"/"ShowTargetRanges", true
    static void setChartShowTargetRanges(bool on);
    static bool chartSpaceByDate(); // "Chart"/"SpaceByDate", false
    static void setChartSpaceByDate(bool on);
    static bool chartShowMaintenance(); // "Chart"/"ShowMaintenance", true
    static void setChartShowMaintenance(bool on);

    // The care log. "Care"/"DueAtStart", true: the list of tasks due opens
    // after start-up when any is due.
    static bool dueAtStart();
    static void setDueAtStart(bool on);
    // "ReplacementWater"/"Water": the replacement water the planner used
    // last ("Tap Water" when absent); "ReplacementWater"/<water>.<field>
    // ("Tap Water.Nitrate"): its value, empty when none was kept.
    static QString replacementWater();
    static void setReplacementWater(const QString &water);
    static QString replacementValue(const QString &water, const QString &field);
    static void setReplacementValue(const QString &water, const QString &field,
                                    const QString &value);

    // "WindowPosition"/<window>Top and <window>Left ("JournalTop"); -1 for
    // a coordinate that is absent or not a number.
    struct Position {
        int top = -1;
        int left = -1;
    };
    static Position windowPosition(const QString &window);
    static void setWindowPosition(const QString &window, const Position &position);
    // "SortOrder"/<window>Sort ("StockSort"): the number of the sort order
    // last chosen; 1 when absent or not a whole number.
    static int sortOrder(const QString &window);
    static void setSortOrder(const QString &window, int order);
};

} // namespace corv
