#pragma once

#include <QString>
#include <QStringList>

namespace velsnap {

// The per-user store of texts: application "Velmora", sections and keys.
// Every write reaches the disk at once; nothing is kept for the exit.
class SettingsStore {
public:
    QString read(const QString &section, const QString &key, const QString &fallback) const;
    // Empty when the text is stored, else why the file cannot be written.
    QString write(const QString &section, const QString &key, const QString &value);
    void remove(const QString &section, const QString &key);
    QStringList keys(const QString &section) const;
    // Where the store keeps its texts, to tell the user.
    QString fileName() const;
};

inline const QString kSnapSection = QStringLiteral("SNAP");
inline const QString kPortsSection = QStringLiteral("Ports");
inline const QString kPortKey = QStringLiteral("port");
inline const QString kViewKey = QStringLiteral("View");

} // namespace velsnap
