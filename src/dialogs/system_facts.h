#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace liftvox {

// What the About box tells of the machine, from what Qt and the standard
// library can find out portably.
struct SystemFacts {
  QString operatingSystem;
  std::optional<qint64> physicalMemoryBytes;  // none where nothing portable tells it
};

// The running system: QSysInfo's product name, kernel and processor type, and
// the physical memory where the system lists it in a file (Linux's
// /proc/meminfo, read with QFile); elsewhere the memory stays unknown.
SystemFacts CurrentSystemFacts();

// The "MemTotal:" line of a /proc/meminfo text in bytes; none when the line
// is missing, not a number in kB, or too large to count.
std::optional<qint64> PhysicalMemoryFromMeminfo(QByteArrayView text);

}  // namespace liftvox
