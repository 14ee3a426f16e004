#include "settings/settings_store.h"

#include "platform/system_places.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <cerrno>
#include <cstring>

namespace velsnap {

QString SettingsStore::read(const QString &section, const QString &key, const QString &fallback) const
{
    const QSettings store = openSettingsStore();
    const QVariant value = store.value(section + u'/' + key, fallback);
    // An unquoted comma makes QSettings split the text; the stored text is what counts.
    return value.userType() == QMetaType::QStringList ? value.toStringList().join(u',') : value.toString();
}

QString SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    QSettings store = openSettingsStore();
    store.setValue(section + u'/' + key, value);
    store.sync();
    if (store.status() == QSettings::NoError)
        return {};
    // QSettings says only that it failed; the file or its folder says why.
    QFile file(store.fileName());
    if (file.exists() ? !file.open(QIODevice::ReadWrite) : !QFileInfo(QFileInfo(file).path()).isWritable())
        return file.exists() ? file.errorString() : QString::fromLocal8Bit(std::strerror(EACCES));
    return QString::fromLocal8Bit(std::strerror(EIO));
}

void SettingsStore::remove(const QString &section, const QString &key)
{
    QSettings store = openSettingsStore();
    store.remove(section + u'/' + key);
    store.sync();
}

QString SettingsStore::fileName() const
{
    return openSettingsStore().fileName();
}

QStringList SettingsStore::keys(const QString &section) const
{
    QSettings store = openSettingsStore();
    store.beginGroup(section);
    return store.childKeys();
}

} // namespace velsnap
