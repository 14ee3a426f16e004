#include "serial/port_mapping.h"

#include "platform/port_search.h"

#include <algorithm>

namespace velsnap {

namespace {

// Ranks: on-board UARTs, then ports with a by-id name, then the rest.
int rank(const FoundPort &port)
{
    if (port.onBoard)
        return 0;
    return port.byIdPath.isEmpty() ? 2 : 1;
}

QString sortName(const FoundPort &port)
{
    return port.onBoard || port.byIdPath.isEmpty() ? port.systemPath : port.byIdPath;
}

// Name order with runs of digits compared as numbers, so that ttyS2 comes before ttyS10.
bool numericLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            const qsizetype startA = i;
            const qsizetype startB = j;
            while (i < a.size() && a.at(i).isDigit())
                ++i;
            while (j < b.size() && b.at(j).isDigit())
                ++j;
            const qulonglong numberA = a.mid(startA, i - startA).toULongLong();
            const qulonglong numberB = b.mid(startB, j - startB).toULongLong();
            if (numberA != numberB)
                return numberA < numberB;
            continue;
        }
        if (a.at(i) != b.at(j))
            return a.at(i) < b.at(j);
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace

std::vector<FoundPort> numberedPorts(std::vector<FoundPort> found)
{
    std::stable_sort(found.begin(), found.end(), [](const FoundPort &a, const FoundPort &b) {
        if (rank(a) != rank(b))
            return rank(a) < rank(b);
        return numericLess(sortName(a), sortName(b));
    });
    return found;
}

PortAssignment assignPort(int port, const PortMapping &mapping, const std::vector<FoundPort> &found)
{
    if (port < 1 || port > kPortCount)
        return {}; // a stored number beyond the list is no port, whatever this machine has
    if (const auto entry = mapping.find(port); entry != mapping.end() && !entry->second.trimmed().isEmpty())
        return {entry->second.trimmed(), PortSource::Mapped};
    return systemPortFor(port, found);
}

QString deviceForPort(int port, const PortMapping &mapping, const std::vector<FoundPort> &found)
{
    return assignPort(port, mapping, found).device;
}

} // namespace velsnap
