#include "Settings.h"

#include "CorvModule.h"
#include "data/TargetRanges.h"
#include "platform/Conversions.h"

#include <QSettings>
#include <cmath>
#include <memory>

namespace corv {

namespace {

// Each application name is its own INI file under the organisation folder.
std::unique_ptr<QSettings> store(const QString &application) {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Corvella"), application);
}

QString path(const QString &section, const QString &key) {
    return section + u'/' + key;
}

// The target ranges are kept among the settings. Their layer knows the keys
// and the texts; it reaches this store through the hook set here, at start,
// wherever the settings are linked in.
[[maybe_unused]] const bool targetRangesKeptHere = [] {
    TargetRanges::setStore(
        {[](const QString &key) -> std::optional<QString> {
             const QVariant v =
                 store(Settings::appName())->value(path(TargetRanges::settingsSection(), key));
             return v.isValid() ? std::optional<QString>(v.toString()) : std::nullopt;
         },
         [](const QString &key, const QString &text) {
             Settings::save(Settings::appName(), TargetRanges::settingsSection(), key, text);
         }});
    return true;
}();

} // namespace

const QString &Settings::appName() {
    static const QString name = QStringLiteral("Corvella");
    return name;
}

QString Settings::read(const QString &application, const QString &section, const QString &key,
                       const QString &defaultValue) {
    const QVariant v = store(application)->value(path(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

QString Settings::read(const QString &application, const QString &section, const QString &key,
                       bool defaultValue) {
    return read(application, section, key, boolText(defaultValue));
}

QString Settings::read(const QString &application, const QString &section, const QString &key,
                       int defaultValue) {
    return read(application, section, key, QString::number(defaultValue));
}

void Settings::save(const QString &application, const QString &section, const QString &key,
                    const QString &value) {
    auto s = store(application);
    s->setValue(path(section, key), value);
    s->sync();
}

bool Settings::toBool(const QString &text, bool fallback) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("on"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("off"))
        return false;
    if (const auto n = toNumber(t))
        return *n != 0.0;
    return fallback;
}

bool Settings::readBool(const QString &section, const QString &key, bool defaultValue) {
    return toBool(read(appName(), section, key, defaultValue), defaultValue);
}

void Settings::saveBool(const QString &section, const QString &key, bool value) {
    save(appName(), section, key, boolText(value));
}

int Settings::readInt(const QString &section, const QString &key, int defaultValue) {
    const auto n = toNumber(read(appName(), section, key, defaultValue));
    if (!n || !std::isfinite(*n) || std::fabs(*n) > 2147483647.0)
        return defaultValue;
    return static_cast<int>(roundHalfEven(*n));
}

// --- the keys ------------------------------------------------------------------

namespace {

const QString Database = QStringLiteral("Database");
const QString HelpFile = QStringLiteral("HelpFile");
const QString Filename = QStringLiteral("Filename");
const QString DefaultTank = QStringLiteral("DefaultTank");
const QString Toolbar = QStringLiteral("Toolbar");
const QString Visible = QStringLiteral("Visible");
const QString WindowPosition = QStringLiteral("WindowPosition");
const QString SortOrder = QStringLiteral("SortOrder");

QString readText(const QString &section, const QString &key) {
    return Settings::read(Settings::appName(), section, key, CorvModule::NotSet);
}

void saveText(const QString &section, const QString &key, const QString &value) {
    Settings::save(Settings::appName(), section, key, value);
}

} // namespace

QString Settings::databasePath() {
    return readText(Database, Filename);
}
void Settings::setDatabasePath(const QString &path) {
    saveText(Database, Filename, path);
}
QString Settings::helpFile() {
    return readText(HelpFile, Filename);
}
void Settings::setHelpFile(const QString &path) {
    saveText(HelpFile, Filename, path);
}
QString Settings::defaultTankId() {
    return readText(DefaultTank, QStringLiteral("TankID"));
}
void Settings::setDefaultTankId(const QString &id) {
    saveText(DefaultTank, QStringLiteral("TankID"), id);
}
QString Settings::defaultTankName() {
    return readText(DefaultTank, QStringLiteral("TankName"));
}
void Settings::setDefaultTankName(const QString &name) {
    saveText(DefaultTank, QStringLiteral("TankName"), name);
}

bool Settings::toolbarVisible() {
    return readBool(Toolbar, Visible, true);
}
void Settings::setToolbarVisible(bool visible) {
    saveBool(Toolbar, Visible, visible);
}
bool Settings::toolbarText() {
    return readBool(Toolbar, QStringLiteral("Text"), false);
}
void Settings::setToolbarText(bool on) {
    saveBool(Toolbar, QStringLiteral("Text"), on);
}
bool Settings::statusBarVisible() {
    return readBool(QStringLiteral("Statusbar"), Visible, true);
}
void Settings::setStatusBarVisible(bool visible) {
    saveBool(QStringLiteral("Statusbar"), Visible, visible);
}
bool Settings::autoHighlight() {
    return readBool(QStringLiteral("Options"), QStringLiteral("AutoHighlight"), true);
}
void Settings::setAutoHighlight(bool on) {
    saveBool(QStringLiteral("Options"), QStringLiteral("AutoHighlight"), on);
}

bool Settings::chartShowTargetRanges() {
    return readBool(QStringLiteral("Chart"), QStringLiteral("ShowTargetRanges"), true);
}
void Settings::setChartShowTargetRanges(bool on) {
    saveBool(QStringLiteral("Chart"), QStringLiteral("ShowTargetRanges"), on);
}
bool Settings::chartSpaceByDate() {
    return readBool(QStringLiteral("Chart"), QStringLiteral("SpaceByDate"), false);
}
void Settings::setChartSpaceByDate(bool on) {
    saveBool(QStringLiteral("Chart"), QStringLiteral("SpaceByDate"), on);
}
bool Settings::chartShowMaintenance() {
    return readBool(QStringLiteral("Chart"), QStringLiteral("ShowMaintenance"), true);
}
void Settings::setChartShowMaintenance(bool on) {
    saveBool(QStringLiteral("Chart"), QStringLiteral("ShowMaintenance"), on);
}

bool Settings::dueAtStart() {
    return readBool(QStringLiteral("Care"), QStringLiteral("DueAtStart"), true);
}
void Settings::setDueAtStart(bool on) {
    saveBool(QStringLiteral("Care"), QStringLiteral("DueAtStart"), on);
}

QString Settings::replacementWater() {
    const QString w =
        read(appName(), QStringLiteral("ReplacementWater"), QStringLiteral("Water"), "Tap Water")
            .trimmed();
    return w.isEmpty() ? QStringLiteral("Tap Water") : w;
}
void Settings::setReplacementWater(const QString &water) {
    save(appName(), QStringLiteral("ReplacementWater"), QStringLiteral("Water"), water.trimmed());
}

// A water's name may hold any character but the key separators of the
// store; they are kept out of the key.
static QString replacementKey(const QString &water, const QString &field) {
    QString w = water.trimmed();
    w.replace(u'/', u' ').replace(u'\\', u' ');
    return w + u'.' + field;
}

QString Settings::replacementValue(const QString &water, const QString &field) {
    return read(appName(), QStringLiteral("ReplacementWater"), replacementKey(water, field), "");
}
void Settings::setReplacementValue(const QString &water, const QString &field,
                                   const QString &value) {
    save(appName(), QStringLiteral("ReplacementWater"), replacementKey(water, field), value);
}

Settings::Position Settings::windowPosition(const QString &window) {
    return {readInt(WindowPosition, window + QStringLiteral("Top"), -1),
            readInt(WindowPosition, window + QStringLiteral("Left"), -1)};
}

void Settings::setWindowPosition(const QString &window, const Position &position) {
    saveText(WindowPosition, window + QStringLiteral("Top"), QString::number(position.top));
    saveText(WindowPosition, window + QStringLiteral("Left"), QString::number(position.left));
}

int Settings::sortOrder(const QString &window) {
    bool whole = false;
    const int order =
        read(appName(), SortOrder, window + QStringLiteral("Sort"), 1).trimmed().toInt(&whole);
    return whole ? order : 1;
}

void Settings::setSortOrder(const QString &window, int order) {
    saveText(SortOrder, window + QStringLiteral("Sort"), QString::number(order));
}

} // namespace corv
