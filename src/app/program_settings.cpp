#include "app/program_settings.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstring>

#include "config/ini_file.h"

namespace liftvox {
namespace {

// DeviceSettings read and write their values through an INI section; the
// program keeps them beside its own values, under the same names.
constexpr const char* kDeviceSection = "Device";
constexpr std::array<const char*, 6> kDeviceValueNames = {"ComAuto", "Com",          "MemAuto",
                                                          "Mem",     "SetupToFlash", "Ports"};

QString ToolBarName(int index, const char* coordinate) {
  return "TB" + QString::number(index + 1) + coordinate;
}

QString RecentFileName(int index) { return "File" + QString::number(index); }
QString BrowserFolderName(int index) { return "BrowserFolder" + QString::number(index); }

// Only as many as there are: a shorter list leaves no stale older entries.
void WriteList(QSettings& store, const QStringList& values, QString (*name)(int)) {
  for (int i = 0; i < 5; ++i) {
    if (i < values.size())
      store.setValue(name(i), values[i]);
    else
      store.remove(name(i));
  }
}

std::optional<QString> ReadText(const QSettings& store, const QString& name) {
  const QVariant value = store.value(name);
  if (!value.isValid() || !value.canConvert<QString>()) return std::nullopt;
  return value.toString();
}

std::optional<int> ReadInteger(const QSettings& store, const QString& name) {
  const std::optional<QString> text = ReadText(store, name);
  if (!text) return std::nullopt;
  bool ok = false;
  const int value = text->trimmed().toInt(&ok, 10);
  return ok ? std::optional<int>(value) : std::nullopt;
}

// A flag is "1" or "0"; anything else is no valid flag.
std::optional<bool> ReadFlag(const QSettings& store, const QString& name) {
  const std::optional<int> value = ReadInteger(store, name);
  if (value != 0 && value != 1) return std::nullopt;
  return *value == 1;
}

void WriteInteger(QSettings& store, const QString& name, int value) {
  store.setValue(name, QString::number(value));
}

void LoadProductionSettings(const QSettings& store, ProductionSettings& production) {
  if (const auto value = ReadInteger(store, "VerifyAfterProgramming"))
    production.verify = *value != 0;
  if (const auto value = ReadInteger(store, "ProductionLog")) production.log = *value != 0;
  if (const auto value = ReadText(store, "ProductionLogFile")) production.logFile = *value;
}

void SaveProductionSettings(QSettings& store, const ProductionSettings& production) {
  WriteInteger(store, "VerifyAfterProgramming", production.verify);
  WriteInteger(store, "ProductionLog", production.log);
  store.setValue("ProductionLogFile", production.logFile);
}

}  // namespace

bool ProgramSettings::operator==(const ProgramSettings& other) const {
  const auto sameDevice = [](const DeviceSettings& a, const DeviceSettings& b) {
    return a.autoPort == b.autoPort && a.fixedPort == b.fixedPort && a.autoMemory == b.autoMemory &&
           a.chosenMemory == b.chosenMemory && a.setupToFlash == b.setupToFlash &&
           a.portList == b.portList;
  };
  return left == other.left && top == other.top && width == other.width && height == other.height &&
         dir == other.dir && toolBars == other.toolBars && recentFiles == other.recentFiles &&
         browserFolders == other.browserFolders && dialogFolders == other.dialogFolders &&
         language == other.language && interfaceNumber == other.interfaceNumber &&
         sameDevice(device, other.device) && encoder == other.encoder &&
         normaliseConversions == other.normaliseConversions && production == other.production;
}

ProgramSettings DefaultProgramSettings(int designedWidth, int designedHeight) {
  ProgramSettings settings;
  settings.width = designedWidth;
  settings.height = designedHeight;
  // One row, in order: only the order counts, not the distance.
  for (int i = 0; i < static_cast<int>(settings.toolBars.size()); ++i)
    settings.toolBars[static_cast<std::size_t>(i)] = {i, 0};
  return settings;
}

ProgramSettings LoadProgramSettings(const QSettings& store, const ProgramSettings& defaults,
                                    const PortEntries& portEntries) {
  ProgramSettings settings = defaults;
  if (const auto value = ReadInteger(store, "Left")) settings.left = value;
  if (const auto value = ReadInteger(store, "Top")) settings.top = value;
  // A size of nothing would hide the window; such a value is no valid size.
  if (const auto value = ReadInteger(store, "Width"); value && *value > 0) settings.width = *value;
  if (const auto value = ReadInteger(store, "Height"); value && *value > 0)
    settings.height = *value;
  if (const auto value = ReadText(store, "Dir"); value && !value->isEmpty()) settings.dir = *value;

  for (int i = 0; i < static_cast<int>(settings.toolBars.size()); ++i) {
    ToolBarPosition& position = settings.toolBars[static_cast<std::size_t>(i)];
    if (const auto value = ReadInteger(store, ToolBarName(i, "Left"))) position.left = *value;
    if (const auto value = ReadInteger(store, ToolBarName(i, "Top"))) position.top = *value;
  }

  settings.recentFiles.clear();
  settings.browserFolders.clear();
  for (int i = 0; i < 5; ++i) {
    if (const auto value = ReadText(store, RecentFileName(i)); value && !value->isEmpty())
      settings.recentFiles.append(*value);
    if (const auto value = ReadText(store, BrowserFolderName(i)); value && !value->isEmpty())
      settings.browserFolders.append(*value);
  }

  for (std::size_t i = 0; i < kDialogFolderNames.size(); ++i) {
    if (const auto value = ReadText(store, kDialogFolderNames[i]))
      settings.dialogFolders[i] = *value;
  }
  if (const auto value = ReadText(store, "Language")) settings.language = *value;
  if (const auto value = ReadInteger(store, "Interface")) settings.interfaceNumber = *value;
  if (const auto value = ReadText(store, "Encoder")) {
    if (const auto encoder = EncoderKindFromText(value->toStdString())) settings.encoder = *encoder;
  }
  if (const auto value = ReadFlag(store, "ConvertNormalise"))
    settings.normaliseConversions = *value;

  IniSections device;
  for (const char* name : kDeviceValueNames) {
    if (const auto value = ReadText(store, name))
      device.WriteString(kDeviceSection, name, value->toStdString());
  }
  // The stored port list first, then the port chosen among what it offers.
  DeviceSettings withPortList = settings.device;
  withPortList.Load(device, kDeviceSection, {});
  settings.device.Load(device, kDeviceSection, portEntries(withPortList));
  LoadProductionSettings(store, settings.production);
  return settings;
}

void SaveProgramSettings(QSettings& store, const ProgramSettings& settings) {
  if (settings.left) WriteInteger(store, "Left", *settings.left);
  if (settings.top) WriteInteger(store, "Top", *settings.top);
  WriteInteger(store, "Width", settings.width);
  WriteInteger(store, "Height", settings.height);
  store.setValue("Dir", settings.dir);
  for (int i = 0; i < static_cast<int>(settings.toolBars.size()); ++i) {
    const ToolBarPosition& position = settings.toolBars[static_cast<std::size_t>(i)];
    WriteInteger(store, ToolBarName(i, "Left"), position.left);
    WriteInteger(store, ToolBarName(i, "Top"), position.top);
  }
  WriteList(store, settings.recentFiles, RecentFileName);
  WriteList(store, settings.browserFolders, BrowserFolderName);
  for (std::size_t i = 0; i < kDialogFolderNames.size(); ++i)
    store.setValue(kDialogFolderNames[i], settings.dialogFolders[i]);
  store.setValue("Language", settings.language);
  WriteInteger(store, "Interface", settings.interfaceNumber);
  store.setValue("Encoder", QString::fromStdString(std::string(EncoderKindText(settings.encoder))));
  WriteInteger(store, "ConvertNormalise", settings.normaliseConversions ? 1 : 0);

  IniSections device;
  settings.device.Save(device, kDeviceSection);
  for (const char* name : kDeviceValueNames)
    store.setValue(name, QString::fromStdString(device.ReadString(kDeviceSection, name, "")));
  SaveProductionSettings(store, settings.production);
}

QRect InitialWindowGeometry(const ProgramSettings& settings, QSize designed,
                            const QList<QRect>& available) {
  const QRect primary = available.isEmpty() ? QRect(QPoint(0, 0), designed) : available.front();
  const auto onSomeScreen = [&available](const auto& fits) {
    return std::any_of(available.begin(), available.end(), fits);
  };
  QSize size(settings.width, settings.height);
  if (!onSomeScreen([&size](const QRect& area) {
        return size.width() <= area.width() && size.height() <= area.height();
      }))
    size = designed;
  // Centred: (area - window) / 2, never left of or above the area.
  const QPoint centred(primary.x() + std::max(0, (primary.width() - size.width()) / 2),
                       primary.y() + std::max(0, (primary.height() - size.height()) / 2));
  if (!settings.left || !settings.top || size != QSize(settings.width, settings.height))
    return QRect(centred, size);
  const QRect stored(QPoint(*settings.left, *settings.top), size);
  return onSomeScreen([&stored](const QRect& area) { return area.contains(stored); })
             ? stored
             : QRect(centred, size);
}

QList<QRect> AvailableScreenAreas() {
  QList<QRect> areas;
  if (const QScreen* primary = QGuiApplication::primaryScreen())
    areas.append(primary->availableGeometry());
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen != QGuiApplication::primaryScreen()) areas.append(screen->availableGeometry());
  return areas;
}

int DialogFolderIndex(const char* name) {
  for (std::size_t i = 0; i < kDialogFolderNames.size(); ++i)
    if (std::strcmp(kDialogFolderNames[i], name) == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace liftvox
