#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "model/sequence.h"

namespace liftvox {

class TPametRevazie;

// The workspace grid in grid coordinates (the whole grid, before scrolling).
// Row i starts at 48 x i; its header cell is 113 wide, its sample j starts at
// 112 + 103 x j and is 104 wide; every cell is 49 high, so neighbours share
// their border line. Positions follow from the indices alone, which is what
// the model's Top and Left hold too.
inline constexpr int kHeaderWidth = 113;
inline constexpr int kCellWidth = 104;
inline constexpr int kCellHeight = 49;
// The sunken box of a sample cell, relative to the cell.
inline constexpr int kBoxLeft = 5;
inline constexpr int kBoxTop = 23;
inline constexpr int kBoxRight = 99;
inline constexpr int kBoxBottom = 45;
// The selection is scrolled into view with this margin on every side.
inline constexpr int kSelectionMargin = 20;
// Dragging within this distance of the view's edge scrolls by this step.
inline constexpr int kEdgeBand = 20;
inline constexpr int kEdgeScrollStep = 25;

inline constexpr int RowTop(int row) { return kSequenceRowHeight * row; }
inline constexpr int SampleLeft(int column) { return kFirstSampleLeft + kSampleSpacing * column; }

QRect HeaderRect(int row);
QRect SampleRect(int row, int column);
// The sunken box of the sample cell at (row, column): right and bottom edges
// exclusive, as the hit test treats them.
QRect SampleBoxRect(int row, int column);

// Hit tests; every bound is exclusive. A row answers for top < y < top + 49,
// so y = 48 lies in row 0 (the earlier row wins the shared border) and y = 49
// in row 1. -1 when nothing is there.
int RowAt(int y, int rowCount);
// A sample column answers for left < x < left + 104.
int SampleColumnAt(int x, int sampleCount);
// The header answers for 1 <= x < 113.
constexpr bool InHeader(int x) { return x >= 1 && x < kHeaderWidth; }
// Whether `offset` (from the cell's top left) lies strictly inside the box.
constexpr bool InSampleBox(QPoint offset) {
  return offset.x() > kBoxLeft && offset.x() < kBoxRight && offset.y() > kBoxTop &&
         offset.y() < kBoxBottom;
}

// What lies under a grid point: a sample (sequence and sample set), a
// sequence header (sample -1), or nothing (both -1).
struct GridHit {
  int sequence = -1;
  int sample = -1;
  bool inBox = false;  // inside the sample's sunken box

  bool IsSample() const { return sample >= 0; }
  bool IsSequence() const { return sequence >= 0 && sample < 0; }
  bool operator==(const GridHit&) const = default;
};
GridHit HitTest(const TPametRevazie& document, QPoint gridPoint);

// Where something dropped at a grid point goes: the row under it and the
// position of the sample cell under it (before that cell; past a row's last
// cell means after it). Never negative; the model clamps the upper end.
int InsertionRow(int y);
int InsertionColumn(int x);

// The rows and sample columns that intersect `area` (grid coordinates), as
// half-open ranges [first, last), clipped to the counts given.
struct CellRange {
  int first = 0;
  int last = 0;
};
CellRange RowsIn(const QRect& area, int rowCount);
CellRange ColumnsIn(const QRect& area, int columnCount);

// The grid's full size for `rowCount` rows whose longest holds
// `maxSampleCount` samples, with one spare row and column so there is always
// room to drop after the last sequence or sample.
QSize GridSize(int rowCount, int maxSampleCount);

// The scroll position that shows [low, high) in a page of `page` pixels
// starting at `position`, moving as little as possible; the low end wins
// when the range is larger than the page.
int ScrollToShow(int position, int page, int low, int high);

// The selection's rectangle with its margin, for scrolling it into view.
QRect SampleSelectionArea(int row, int column);
QRect SequenceSelectionArea(int row);

// The scroll per autoscroll tick while dragging at `point` in a view of
// `viewSize`: -25/+25 per axis within 20 pixels of an edge, 0 elsewhere.
QPoint EdgeScrollStep(QPoint point, QSize viewSize);

}  // namespace liftvox
