#include "settings/settings_store.h"

#include "platform/system_places.h"

#include <QSettings>

namespace velsnap {

QString SettingsStore::read(const QString &section, const QString &key, const QString &fallback) const
{
    const QSettings store = openSettingsStore();
    const QVariant value = store.value(section + u'/' + key, fallback);
    // An unquoted comma makes QSettings split the text; the stored text is what counts.
    return value.userType() == QMetaType::QStringList ? value.toStringList().join(u',') : value.toString();
}

void SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    QSettings store = openSettingsStore();
    store.setValue(section + u'/' + key, value);
    store.sync();
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
