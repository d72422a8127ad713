// A small layer over the system registry, for the few values Corvella reads
// (where the system-information program is). On Windows it is the real
// registry; elsewhere it answers the lookup of that program's path by
// finding a system-information program of the platform. Tests install a
// fake one.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace corv {

using RegKey = quintptr;

// The root key of the local machine.
constexpr RegKey RegLocalMachine = 0x80000002u;
// Value types.
enum RegType : quint32 {
    RegNone = 0,
    RegString = 1,
    RegExpandString = 2,
    RegBinary = 3,
    RegDword = 4
};
constexpr long RegSuccess = 0;
constexpr long RegNotFound = 2;

class RegistryLayer {
public:
    virtual ~RegistryLayer() = default;
    // Each returns RegSuccess or an error code, as the registry's own calls do.
    virtual long openKey(RegKey root, const QString &subKey, quint32 access, RegKey *key) = 0;
    // `buffer` comes in with its capacity in `size`; on success it holds the
    // value's bytes and `size` the number of bytes used.
    virtual long queryValue(RegKey key, const QString &valueName, quint32 *type, QByteArray &buffer,
                            quint32 *size) = 0;
    virtual long closeKey(RegKey key) = 0;
};

RegistryLayer &registry();
// Installs `layer` (not owned); nullptr restores the platform's layer.
void setRegistryLayer(RegistryLayer *layer);

// Where a system-information program is looked for on Linux and the like,
// first found first.
QStringList systemInfoPrograms();

} // namespace corv
