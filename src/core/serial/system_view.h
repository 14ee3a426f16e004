#pragma once

#include <QString>
#include <QStringList>
#include <map>

namespace velsnap {

// What the port doctor reads of the running system (/sys, /run/udev/data,
// /proc, udev rules), as plain texts and link targets, so that tests can hand
// it a made-up system.
class SystemView {
public:
    virtual ~SystemView() = default;
    virtual QString text(const QString &path) const = 0;          // a file's content, empty when unreadable
    virtual QString link(const QString &path) const = 0;          // where a link leads, absolute; empty when none
    virtual QStringList entries(const QString &folder) const = 0; // names in a folder
};

// A made-up system: files by path, links by path; folders are what the paths imply.
class FakeSystemView : public SystemView {
public:
    std::map<QString, QString> files;
    std::map<QString, QString> links;

    QString text(const QString &path) const override;
    QString link(const QString &path) const override;
    QStringList entries(const QString &folder) const override;
};

} // namespace velsnap
