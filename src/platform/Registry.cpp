#include "Registry.h"

#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace corv {

namespace {

#ifdef Q_OS_WIN

class WindowsRegistry : public RegistryLayer {
public:
    long openKey(RegKey root, const QString &subKey, quint32 access, RegKey *key) override {
        HKEY h = nullptr;
        const long rc = RegOpenKeyExW(reinterpret_cast<HKEY>(root),
                                      reinterpret_cast<LPCWSTR>(subKey.utf16()), 0, access, &h);
        *key = reinterpret_cast<RegKey>(h);
        return rc;
    }
    long queryValue(RegKey key, const QString &valueName, quint32 *type, QByteArray &buffer,
                    quint32 *size) override {
        DWORD t = 0;
        DWORD s = *size;
        const long rc =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.toLocal8Bit().constData(),
                             nullptr, &t, reinterpret_cast<LPBYTE>(buffer.data()), &s);
        *type = t;
        *size = s;
        return rc;
    }
    long closeKey(RegKey key) override { return RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

#else

// Answers the one lookup Corvella makes, the path of the system-information
// program, with the first such program found on this machine.
class SystemInfoRegistry : public RegistryLayer {
public:
    static constexpr RegKey InfoKey = 1;

    long openKey(RegKey root, const QString &subKey, quint32, RegKey *key) override {
        *key = 0;
        if (root != RegLocalMachine ||
            subKey.compare(QLatin1String("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                           Qt::CaseInsensitive) != 0)
            return RegNotFound;
        m_program.clear();
        for (const QString &name : systemInfoPrograms()) {
            m_program = QStandardPaths::findExecutable(name);
            if (!m_program.isEmpty())
                break;
        }
        if (m_program.isEmpty())
            return RegNotFound;
        *key = InfoKey;
        return RegSuccess;
    }
    long queryValue(RegKey key, const QString &valueName, quint32 *type, QByteArray &buffer,
                    quint32 *size) override {
        if (key != InfoKey || valueName.compare(QLatin1String("PATH"), Qt::CaseInsensitive) != 0)
            return RegNotFound;
        const QByteArray value = m_program.toLocal8Bit() + '\0';
        if (quint32(value.size()) > *size)
            return 234; // more data than the buffer holds
        buffer.replace(0, value.size(), value);
        *size = quint32(value.size());
        *type = RegString;
        return RegSuccess;
    }
    long closeKey(RegKey) override { return RegSuccess; }

private:
    QString m_program;
};

#endif

RegistryLayer &platformRegistry() {
#ifdef Q_OS_WIN
    static WindowsRegistry r;
#else
    static SystemInfoRegistry r;
#endif
    return r;
}

RegistryLayer *installed = nullptr;

} // namespace

RegistryLayer &registry() {
    return installed ? *installed : platformRegistry();
}

void setRegistryLayer(RegistryLayer *layer) {
    installed = layer;
}

QStringList systemInfoPrograms() {
    return {QStringLiteral("hardinfo2"),
            QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),
            QStringLiteral("lshw-gtk"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager")};
}

} // namespace corv
