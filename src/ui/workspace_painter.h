#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QPalette>
#include <QRect>
#include <QString>

#include <cstdint>

class QPainter;

namespace liftvox {

class IconLibrary;
class TPametRevazie;
class TSekvence;
class TVzorek;

// A colour written the Windows way, 0x00BBGGRR, as Qt's 0xAARRGGBB.
constexpr QRgb ColorFromBgr(std::uint32_t bgr) {
  return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
              static_cast<int>((bgr >> 16) & 0xFF));
}

// The fill of each kind of cell.
enum class CellKind {
  FloorSelected,
  Floor,
  GeneralSelected,
  General,
  SilenceSelected,
  WaveSelected,
  Silence,
  Wave,
};
QRgb CellColor(CellKind kind);
// The path of a recording that is missing or ambiguous.
inline constexpr QRgb kMissingRecordingColor = qRgb(0xFF, 0x00, 0x00);
CellKind HeaderKind(const TSekvence& sequence);
CellKind SampleKind(const TVzorek& sample);

// `text` cut to fit `width` pixels and ended with "...".
QString ElideText(const QString& text, const QFontMetrics& metrics, int width);

// A file path shortened to `width` pixels the way file dialogs do it: the
// leading folders give way to "..." first, so the root and the file name
// stay; only a file name too long on its own is cut at its end.
QString ShortenPath(const QString& path, const QFontMetrics& metrics, int width);

// The hint for a sequence row: "(" name ")", or for a sequence started by its
// code the binary code, " (", the name and ")".
QString SequenceHintText(const TSekvence& sequence);

// What painting needs besides the document.
struct WorkspaceLook {
  QFont font;
  QPalette palette;     // button and frame shades, text colour
  QColor frameColor;    // cell frames (the button shadow colour)
  QIcon silenceIcon;    // shown in a silence's box
  QString silenceText;  // the translated word for silence
};

// Paints the cells of the grid that intersect `gridArea` onto `painter`,
// whose coordinates are grid coordinates (translated by the scroll position).
// Reads the document and nothing else; keeps nothing between calls.
void PaintWorkspace(QPainter& painter, const TPametRevazie& document, const IconLibrary& icons,
                    const WorkspaceLook& look, const QRect& gridArea);

}  // namespace liftvox
