#include "dialogs/system_facts.h"

#include <QFile>
#include <QList>
#include <QSysInfo>

#include <limits>

namespace liftvox {
namespace {

std::optional<qint64> PhysicalMemory() {
#ifdef Q_OS_LINUX
  QFile meminfo("/proc/meminfo");
  if (!meminfo.open(QIODevice::ReadOnly)) return std::nullopt;
  // The file reports no size; the line wanted is near its start.
  return PhysicalMemoryFromMeminfo(meminfo.read(64 * 1024));
#else
  return std::nullopt;
#endif
}

}  // namespace

SystemFacts CurrentSystemFacts() {
  SystemFacts facts;
  facts.operatingSystem = QSysInfo::prettyProductName() + " (" + QSysInfo::kernelType() + " " +
                          QSysInfo::kernelVersion() + ", " + QSysInfo::currentCpuArchitecture() +
                          ")";
  facts.physicalMemoryBytes = PhysicalMemory();
  return facts;
}

std::optional<qint64> PhysicalMemoryFromMeminfo(QByteArrayView text) {
  constexpr QByteArrayView kLabel = "MemTotal:";
  for (QByteArrayView line : QByteArray(text.data(), text.size()).split('\n')) {
    if (!line.startsWith(kLabel)) continue;
    const QList<QByteArray> words =
        line.sliced(kLabel.size()).toByteArray().simplified().split(' ');
    if (words.size() != 2 || words[1] != "kB") return std::nullopt;
    bool ok = false;
    const qint64 kilobytes = words[0].toLongLong(&ok);
    if (!ok || kilobytes < 0 || kilobytes > std::numeric_limits<qint64>::max() / 1024)
      return std::nullopt;
    return kilobytes * 1024;
  }
  return std::nullopt;
}

}  // namespace liftvox
