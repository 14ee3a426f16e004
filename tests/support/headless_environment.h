#pragma once

// Every test runs with settings, runtime and data folders and a home of its
// own, so it never touches the user's settings or trash and tests can run
// side by side. The data folder is not made: the program must cope.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace velsnap::test {

// The whole content of a file, empty when it cannot be read.
inline QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HeadlessEnvironment {
public:
    HeadlessEnvironment()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
        QDir(m_home.path()).mkpath(QStringLiteral("runtime"));
        const QString runtime = m_home.filePath(QStringLiteral("runtime"));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        QDir(m_home.path()).mkpath(QStringLiteral("home"));
        qputenv("HOME", QFile::encodeName(m_home.filePath(QStringLiteral("home"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("data"))));
    }
    QString configFolder() const { return m_home.filePath(QStringLiteral("config")); }

private:
    QTemporaryDir m_home;
};

} // namespace velsnap::test

// main() of a QtTest program: its environment, then its application object.
#define VELSNAP_QTEST_MAIN(Environment, Application, TestClass)                                                        \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        Environment environment;                                                                                       \
        Application app(argc, argv);                                                                                   \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

// For tests of the core: no window system at all.
#define VELSNAP_CORE_TEST_MAIN(TestClass)                                                                              \
    VELSNAP_QTEST_MAIN(velsnap::test::HeadlessEnvironment, QCoreApplication, TestClass)
