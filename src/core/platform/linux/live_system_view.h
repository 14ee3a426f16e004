#pragma once

#include "serial/system_view.h"

namespace velsnap {

// The running system, as the port doctor reads it.
class LiveSystemView : public SystemView {
public:
    QString text(const QString &path) const override;
    QString link(const QString &path) const override;
    QStringList entries(const QString &folder) const override;
};

} // namespace velsnap
