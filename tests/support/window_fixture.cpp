#include "support/window_fixture.h"

#include "serial/stored_choices_line.h"
#include "settings/settings_store.h"
#include "support/simulated_device.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace velsnap::test {

WindowFixture::WindowFixture(SerialLine *line)
{
    QFile::copy(QDir(binFolder()).filePath(QStringLiteral("24bit.hed")),
                m_folder.filePath(QStringLiteral("24bit.hed")));
    if (!line) {
        m_line = lineOfStoredChoices();
        line = m_line.get();
    }
    m_window =
        std::make_unique<FrmMain>(ShellServices{dialogs, starter, [this] { ++endRequests; }, m_folder.path()}, *line);
}

QStringList WindowFixture::pictureFiles() const
{
    return QDir(pictureFolder()).entryList(QDir::Files, QDir::Name);
}

void WindowFixture::storeSetting(const QString &section, const QString &key, const QString &value)
{
    SettingsStore().write(section, key, value);
}

bool WindowFixture::receiveUntil(const std::function<bool()> &until, int timeoutMs)
{
    auto *button = m_window->control<QPushButton>(QStringLiteral("cmd_receive"));
    bool held = false;
    QElapsedTimer clock;
    clock.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        held = held || until();
        if ((held || clock.elapsed() > timeoutMs) && button->text() == QStringLiteral("受信中断(&G)"))
            button->click();
    });
    watch.start(10);
    button->click();
    return held || until();
}

QString WindowFixture::text(const char *name) const
{
    const QString objectName = QString::fromLatin1(name);
    if (auto *label = m_window->control<QLabel>(objectName))
        return label->text();
    if (auto *button = m_window->control<QAbstractButton>(objectName))
        return button->text();
    return {};
}

} // namespace velsnap::test
