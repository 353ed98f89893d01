#include "ui/workspace_painter.h"

#include <qdrawutil.h>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <array>
#include <vector>

#include "config/file_name_bytes.h"
#include "model/document.h"
#include "model/trigger_text.h"
#include "ui/icon_library.h"
#include "ui/workspace_geometry.h"

namespace liftvox {
namespace {

// In CellKind order.
constexpr std::array<QRgb, 8> kCellColors = {
    ColorFromBgr(0x5FD5F7),  // floor sequence, selected
    ColorFromBgr(0xBDFAFB),  // floor sequence
    ColorFromBgr(0x5F74F5),  // general sequence, selected
    ColorFromBgr(0xE2E6FE),  // general sequence
    ColorFromBgr(0x9FA981),  // silence, selected
    ColorFromBgr(0xAF9991),  // WAV sample, selected
    ColorFromBgr(0xCFD9B1),  // silence
    ColorFromBgr(0xDFC9C1),  // WAV sample
};

constexpr int kIconSize = 16;
constexpr int kTextLeft = 5;
constexpr int kFirstLineTop = 7;
constexpr int kSecondLineTop = 25;
constexpr int kPathWidth = 94;
constexpr int kBoxFrame = 2;        // the sunken frame's width
constexpr int kArrowWidth = 15;     // the drop-down button in the box's right
constexpr int kIconOffset = 2;      // icon from the box's left
constexpr int kCaptionOffset = 20;  // entry caption from the box's left

// Top of a line of text centred in the box.
int BoxTextTop(const QRect& inside, const QFontMetrics& metrics) {
  return inside.top() + (inside.height() - metrics.height()) / 2;
}

bool IsSeparator(QChar c) { return c == u'/' || c == u'\\'; }

// Widths of a text's prefixes from single-character advances. Shaping a whole
// string costs microseconds, a cached character advance nanoseconds, so
// candidates are sized with these sums and only the one chosen is measured
// as a whole (kerning can make it a pixel wider).
class PrefixWidths {
 public:
  PrefixWidths(const QString& text, const QFontMetrics& metrics) : sums_(text.size() + 1, 0) {
    for (qsizetype i = 0; i < text.size(); ++i)
      sums_[static_cast<std::size_t>(i + 1)] =
          sums_[static_cast<std::size_t>(i)] + metrics.horizontalAdvance(text[i]);
  }
  // Width of text[from, to).
  int Width(qsizetype from, qsizetype to) const {
    return sums_[static_cast<std::size_t>(to)] - sums_[static_cast<std::size_t>(from)];
  }
  qsizetype Size() const { return static_cast<qsizetype>(sums_.size()) - 1; }

 private:
  std::vector<int> sums_;
};

// Everything of a cell that does not depend on its own texts, drawn once per
// paint for each kind of cell and then copied: the fill, the frame and the
// sunken box with its icon, caption and arrow.
class CellBackgrounds {
 public:
  CellBackgrounds(const TPametRevazie& document, const IconLibrary& icons,
                  const WorkspaceLook& look, const QFontMetrics& metrics, qreal pixelRatio)
      : document_(document),
        icons_(icons),
        look_(look),
        metrics_(metrics),
        pixelRatio_(pixelRatio) {}

  const QPixmap& Header(CellKind kind) {
    QPixmap& pixmap = pixmaps_[Key(kind, 0)];
    if (pixmap.isNull()) {
      pixmap = Blank(QSize(kHeaderWidth, kCellHeight));
      QPainter painter(&pixmap);
      PaintFrame(painter, QSize(kHeaderWidth, kCellHeight), kind);
    }
    return pixmap;
  }

  // `dilIndex` is the entry's position after DilEntryFor's fallback.
  const QPixmap& Sample(CellKind kind, int dilIndex) {
    const bool silence = kind == CellKind::Silence || kind == CellKind::SilenceSelected;
    QPixmap& pixmap = pixmaps_[Key(kind, silence ? 0 : dilIndex)];
    if (!pixmap.isNull()) return pixmap;
    const QSize size(kCellWidth, kCellHeight);
    pixmap = Blank(size);
    QPainter painter(&pixmap);
    painter.setFont(look_.font);
    PaintFrame(painter, size, kind);
    const QRect box(kBoxLeft, kBoxTop, kBoxRight - kBoxLeft, kBoxBottom - kBoxTop);
    const QBrush white(Qt::white);
    qDrawWinPanel(&painter, box, look_.palette, true, &white);
    const QRect inside = box.adjusted(kBoxFrame, kBoxFrame, -kBoxFrame, -kBoxFrame);
    const int iconTop = inside.top() + (inside.height() - kIconSize) / 2;
    painter.setPen(look_.palette.color(QPalette::WindowText));
    if (silence) {
      painter.drawText(kTextLeft, kFirstLineTop + metrics_.ascent(),
                       ElideText(look_.silenceText, metrics_, kPathWidth));
      painter.drawPixmap(inside.right() + 1 - kIconSize, iconTop,
                         look_.silenceIcon.pixmap(kIconSize, kIconSize));
      return pixmap;
    }
    const QRect arrow(inside.right() + 1 - kArrowWidth, inside.top(), kArrowWidth, inside.height());
    if (dilIndex < static_cast<int>(document_.DilEntries.size())) {
      const DilEntry& entry = document_.DilEntries[static_cast<std::size_t>(dilIndex)];
      painter.drawPixmap(box.left() + kIconOffset, iconTop,
                         icons_.Icon(entry.Icon).pixmap(kIconSize, kIconSize));
      const int captionLeft = box.left() + kCaptionOffset;
      painter.drawText(
          captionLeft, BoxTextTop(inside, metrics_) + metrics_.ascent(),
          ElideText(QString::fromStdString(entry.Name), metrics_, arrow.left() - captionLeft - 1));
    }
    PaintArrowButton(painter, arrow);
    return pixmap;
  }

 private:
  static quint64 Key(CellKind kind, int dilIndex) {
    return (static_cast<quint64>(dilIndex) << 8) | static_cast<quint64>(kind);
  }

  QPixmap Blank(QSize size) const {
    QPixmap pixmap(size * pixelRatio_);
    pixmap.setDevicePixelRatio(pixelRatio_);
    return pixmap;
  }

  void PaintFrame(QPainter& painter, QSize size, CellKind kind) const {
    painter.fillRect(QRect(QPoint(), size), look_.frameColor);
    painter.fillRect(QRect(QPoint(1, 1), size - QSize(2, 2)), QColor(CellColor(kind)));
  }

  void PaintArrowButton(QPainter& painter, const QRect& button) const {
    const QBrush face = look_.palette.button();
    qDrawWinButton(&painter, button, look_.palette, false, &face);
    const QPoint centre = button.center();
    const QPolygon triangle(
        {centre + QPoint(-3, -1), centre + QPoint(3, -1), centre + QPoint(0, 2)});
    painter.setPen(look_.palette.color(QPalette::ButtonText));
    painter.setBrush(look_.palette.buttonText());
    painter.drawPolygon(triangle);
  }

  const TPametRevazie& document_;
  const IconLibrary& icons_;
  const WorkspaceLook& look_;
  const QFontMetrics& metrics_;
  qreal pixelRatio_;
  QHash<quint64, QPixmap> pixmaps_;
};

// Paints cells: a copied background, then the cell's own texts.
class CellPainter {
 public:
  CellPainter(QPainter& painter, const TPametRevazie& document, const IconLibrary& icons,
              const WorkspaceLook& look)
      : painter_(painter),
        document_(document),
        metrics_(look.font),
        backgrounds_(document, icons, look, metrics_, painter.device()->devicePixelRatioF()),
        textColor_(look.palette.color(QPalette::WindowText)) {
    painter_.setPen(textColor_);
  }

  void PaintHeader(int row, const TSekvence& sequence) {
    const QRect cell = HeaderRect(row);
    painter_.drawPixmap(cell.topLeft(), backgrounds_.Header(HeaderKind(sequence)));
    const int width = cell.width() - kTextLeft - 2;
    Text(cell.left() + kTextLeft, cell.top() + kFirstLineTop,
         ElideText(QString::fromStdString(TriggerText(document_, sequence)), metrics_, width));
    Text(cell.left() + kTextLeft, cell.top() + kSecondLineTop,
         ElideText(QString::fromStdString(sequence.Name), metrics_, width));
  }

  void PaintSample(int row, int column, const TVzorek& sample) {
    const QRect cell = SampleRect(row, column);
    const DilEntry* entry = document_.DilEntryFor(sample.DIL);
    const int dilIndex = entry ? static_cast<int>(entry - document_.DilEntries.data()) : 0;
    painter_.drawPixmap(cell.topLeft(), backgrounds_.Sample(SampleKind(sample), dilIndex));
    if (sample.Silence) {
      const QRect inside =
          SampleBoxRect(row, column).adjusted(kBoxFrame, kBoxFrame, -kBoxFrame, -kBoxFrame);
      const QString length =
          QString::number(MillisecondsFromSamples(sample.Samples)) + QStringLiteral(" [ms]");
      Text(inside.left() + 2, BoxTextTop(inside, metrics_),
           ElideText(length, metrics_, inside.width() - kIconSize - 3));
      return;
    }
    // A recording the load did not find, or found twice, stands out.
    const bool missing = document_.Recordings.IsMissing(sample.FileName);
    if (missing) painter_.setPen(QColor(kMissingRecordingColor));
    Text(cell.left() + kTextLeft, cell.top() + kFirstLineTop,
         ShortenPath(QString::fromStdString(ReadableFileName(sample.FileName)), metrics_,
                     kPathWidth));
    if (missing) painter_.setPen(textColor_);
  }

 private:
  // Text whose top (not baseline) stands at y.
  void Text(int x, int y, const QString& text) {
    painter_.drawText(x, y + metrics_.ascent(), text);
  }

  QPainter& painter_;
  const TPametRevazie& document_;
  QFontMetrics metrics_;
  CellBackgrounds backgrounds_;
  QColor textColor_;
};

}  // namespace

QRgb CellColor(CellKind kind) { return kCellColors[static_cast<std::size_t>(kind)]; }

CellKind HeaderKind(const TSekvence& sequence) {
  if (sequence.Floor) return sequence.Selected ? CellKind::FloorSelected : CellKind::Floor;
  return sequence.Selected ? CellKind::GeneralSelected : CellKind::General;
}

CellKind SampleKind(const TVzorek& sample) {
  if (sample.Silence) return sample.Selected ? CellKind::SilenceSelected : CellKind::Silence;
  return sample.Selected ? CellKind::WaveSelected : CellKind::Wave;
}

QString ElideText(const QString& text, const QFontMetrics& metrics, int width) {
  const PrefixWidths widths(text, metrics);
  if (widths.Width(0, widths.Size()) <= width && metrics.horizontalAdvance(text) <= width)
    return text;
  const QString dots = QStringLiteral("...");
  const int dotsWidth = metrics.horizontalAdvance(dots);
  qsizetype kept = widths.Size();
  while (kept > 0 && widths.Width(0, kept) + dotsWidth > width) --kept;
  for (; kept > 0; --kept) {
    const QString candidate = text.left(kept) + dots;
    if (metrics.horizontalAdvance(candidate) <= width) return candidate;
  }
  return dots;
}

QString ShortenPath(const QString& path, const QFontMetrics& metrics, int width) {
  const PrefixWidths widths(path, metrics);
  if (widths.Width(0, widths.Size()) <= width && metrics.horizontalAdvance(path) <= width)
    return path;
  qsizetype fileStart = path.size();
  while (fileStart > 0 && !IsSeparator(path[fileStart - 1])) --fileStart;
  if (fileStart == 0) return ElideText(path, metrics, width);
  const QChar separator = path[fileStart - 1];

  // The root stays: "C:\", "/", or "\\server\" for a network path. The
  // folders after it give way first, one at a time from the left.
  qsizetype rootEnd = 0;
  const bool network = path.size() > 1 && IsSeparator(path[0]) && IsSeparator(path[1]);
  if (network || !IsSeparator(path[0])) {
    while (rootEnd < fileStart && IsSeparator(path[rootEnd])) ++rootEnd;
    while (rootEnd < fileStart && !IsSeparator(path[rootEnd])) ++rootEnd;
  }
  if (rootEnd < fileStart) ++rootEnd;
  if (rootEnd >= fileStart) rootEnd = 0;  // no folder between root and file: no root kept
  const QString dots = QStringLiteral("...") + separator;
  const int dotsWidth = metrics.horizontalAdvance(dots);
  const int rootWidth = widths.Width(0, rootEnd);

  for (qsizetype tail = rootEnd; tail < fileStart;) {
    while (!IsSeparator(path[tail])) ++tail;  // fileStart - 1 is a separator
    ++tail;                                   // path.mid(tail): the next folder, or the file
    if (rootWidth + dotsWidth + widths.Width(tail, path.size()) > width) continue;
    const QString candidate = path.left(rootEnd) + dots + path.mid(tail);
    if (metrics.horizontalAdvance(candidate) <= width) return candidate;
  }
  const QString bare = QStringLiteral("...") + separator + path.mid(fileStart);
  if (rootEnd > 0 && metrics.horizontalAdvance(bare) <= width) return bare;
  return ElideText(path.mid(fileStart), metrics, width);
}

QString SequenceHintText(const TSekvence& sequence) {
  const QString name = QStringLiteral("(") + QString::fromStdString(sequence.Name) + u')';
  if (sequence.Pin > 0 || sequence.Bit > 0) return name;
  return QString::fromStdString(CodeToBinary(sequence.Code)) + u' ' + name;
}

void PaintWorkspace(QPainter& painter, const TPametRevazie& document, const IconLibrary& icons,
                    const WorkspaceLook& look, const QRect& gridArea) {
  painter.fillRect(gridArea, Qt::white);
  painter.setFont(look.font);
  CellPainter cells(painter, document, icons, look);
  const CellRange rows = RowsIn(gridArea, document.SequenceCount());
  const bool headersVisible = gridArea.left() < kHeaderWidth;
  for (int row = rows.first; row < rows.last; ++row) {
    const TSekvence& sequence = *document.SequenceAt(row);
    const CellRange columns = ColumnsIn(gridArea, sequence.SampleCount());
    for (int column = columns.first; column < columns.last; ++column)
      cells.PaintSample(row, column, *sequence.SampleAt(column));
    // The header last: its right border is the first sample's left one.
    if (headersVisible) cells.PaintHeader(row, sequence);
  }
}

}  // namespace liftvox
