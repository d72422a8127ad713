#include "Settings.h"

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

} // namespace corv
