#pragma once

#include <QList>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/device_settings.h"
#include "image/encoder_kind.h"

namespace liftvox {

// Where a tool bar stood: its position in the main window. Tool bars keep to
// the window's top; of these positions the rows (same top) and the order
// within a row (by left) are honoured.
struct ToolBarPosition {
  int left = 0;
  int top = 0;

  bool operator==(const ToolBarPosition&) const = default;
};

// The initial folders of the seven file dialogs, by their setting names.
inline constexpr std::array<const char*, 7> kDialogFolderNames = {
    "HEXOpenDir", "BINOpenDir", "BINSaveDir", "DILOpenDir",
    "DILSaveDir", "CFGOpenDir", "CFGSaveDir",
};

// The production bench: verifying after programming, and the log of every
// announcer programmed (off until the user chooses a file).
struct ProductionSettings {
  bool verify = false;  // "VerifyAfterProgramming"
  bool log = false;     // "ProductionLog"
  QString logFile;      // "ProductionLogFile"

  bool operator==(const ProductionSettings&) const = default;
  // The file the programming runs append to; empty while the log is off.
  QString ActiveLogFile() const { return log ? logFile : QString(); }
};

// Everything the program keeps between runs. Every value is stored as text
// under its own name; a value that is missing or not a valid number reads as
// its default.
struct ProgramSettings {
  std::optional<int> left;  // none: centred on the screen
  std::optional<int> top;
  int width = 0;  // the designed size unless stored
  int height = 0;
  QString dir = ".";
  std::array<ToolBarPosition, 4> toolBars{};  // "TB1Left" .. "TB4Top"
  QStringList recentFiles;                    // "File0" (newest) .. "File4"
  QStringList browserFolders;  // "BrowserFolder0" (newest) .. "BrowserFolder4": last used
  std::array<QString, kDialogFolderNames.size()> dialogFolders;  // empty: the program's folder
  QString language;         // file name in Languages/; empty: the built-in Czech texts
  int interfaceNumber = 0;  // "Interface"
  DeviceSettings device;
  EncoderKind encoder = EncoderKind::Standard;  // "Encoder": "standard" or "best"
  bool normaliseConversions = false;            // "ConvertNormalise": the drop question's box
  ProductionSettings production;

  bool operator==(const ProgramSettings& other) const;
};

// The designed defaults: the window's designed size and the tool bars in one
// row in their order.
ProgramSettings DefaultProgramSettings(int designedWidth, int designedHeight);

// The ports the device settings may name, for the device values read so far
// (their port list decides which devices there are).
using PortEntries = std::function<std::vector<std::string>(const DeviceSettings&)>;

// Reads every value over `defaults`; a stored port that is not among the
// port entries selects the first.
ProgramSettings LoadProgramSettings(const QSettings& store, const ProgramSettings& defaults,
                                    const PortEntries& portEntries);
void SaveProgramSettings(QSettings& store, const ProgramSettings& settings);

// Where the main window opens, given the available areas of the screens (the
// primary first): the stored size when it fits one of them, otherwise the
// designed size; the stored position when the window then lies wholly inside
// one of them, otherwise centred on the primary. So a window stored larger
// than any screen, or off every screen, comes back where it can be used.
QRect InitialWindowGeometry(const ProgramSettings& settings, QSize designed,
                            const QList<QRect>& available);
// The screens' available areas, the primary first.
QList<QRect> AvailableScreenAreas();

// The index of a dialog folder's name in kDialogFolderNames.
int DialogFolderIndex(const char* name);

}  // namespace liftvox
