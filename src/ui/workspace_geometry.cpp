#include "ui/workspace_geometry.h"

#include <algorithm>

#include "model/document.h"

namespace liftvox {

QRect HeaderRect(int row) { return QRect(0, RowTop(row), kHeaderWidth, kCellHeight); }

QRect SampleRect(int row, int column) {
  return QRect(SampleLeft(column), RowTop(row), kCellWidth, kCellHeight);
}

QRect SampleBoxRect(int row, int column) {
  return QRect(SampleLeft(column) + kBoxLeft, RowTop(row) + kBoxTop, kBoxRight - kBoxLeft,
               kBoxBottom - kBoxTop);
}

int RowAt(int y, int rowCount) {
  // Rows are 48 apart but 49 high; for whole pixels the open intervals
  // (48i, 48i + 49) never overlap, so one division finds the row.
  if (y < 1) return -1;
  const int row = (y - 1) / kSequenceRowHeight;
  return row < rowCount ? row : -1;
}

int SampleColumnAt(int x, int sampleCount) {
  if (x <= kFirstSampleLeft) return -1;
  const int column = (x - kFirstSampleLeft - 1) / kSampleSpacing;
  return column < sampleCount ? column : -1;
}

GridHit HitTest(const TPametRevazie& document, QPoint gridPoint) {
  GridHit hit;
  const int row = RowAt(gridPoint.y(), document.SequenceCount());
  if (row < 0) return hit;
  const int column = SampleColumnAt(gridPoint.x(), document.SequenceAt(row)->SampleCount());
  if (column >= 0) {
    hit.sequence = row;
    hit.sample = column;
    hit.inBox = InSampleBox(gridPoint - QPoint(SampleLeft(column), RowTop(row)));
  } else if (InHeader(gridPoint.x())) {
    hit.sequence = row;
  }
  return hit;
}

int InsertionRow(int y) { return y < 1 ? 0 : (y - 1) / kSequenceRowHeight; }

int InsertionColumn(int x) {
  return x <= kFirstSampleLeft ? 0 : (x - kFirstSampleLeft - 1) / kSampleSpacing;
}

CellRange RowsIn(const QRect& area, int rowCount) {
  // Row i covers [48i, 48i + 49).
  const int top = area.top();
  const int bottom = area.top() + area.height();  // exclusive
  CellRange range;
  range.first = top < kCellHeight ? 0 : (top - kCellHeight) / kSequenceRowHeight + 1;
  range.last = bottom <= 0 ? 0 : (bottom + kSequenceRowHeight - 1) / kSequenceRowHeight;
  range.first = std::clamp(range.first, 0, rowCount);
  range.last = std::clamp(range.last, range.first, rowCount);
  return range;
}

CellRange ColumnsIn(const QRect& area, int columnCount) {
  // Column j covers [112 + 103j, 216 + 103j).
  const int left = area.left();
  const int right = area.left() + area.width();  // exclusive
  const int firstRight = kFirstSampleLeft + kCellWidth;
  CellRange range;
  range.first = left < firstRight ? 0 : (left - firstRight) / kSampleSpacing + 1;
  range.last = right <= kFirstSampleLeft
                   ? 0
                   : (right - kFirstSampleLeft + kSampleSpacing - 1) / kSampleSpacing;
  range.first = std::clamp(range.first, 0, columnCount);
  range.last = std::clamp(range.last, range.first, columnCount);
  return range;
}

QSize GridSize(int rowCount, int maxSampleCount) {
  return QSize(SampleLeft(maxSampleCount) + kCellWidth, RowTop(rowCount) + kCellHeight);
}

int ScrollToShow(int position, int page, int low, int high) {
  if (low < position) return low;
  if (high > position + page) return std::min(high - page, low);
  return position;
}

QRect SampleSelectionArea(int row, int column) {
  const int left = SampleLeft(column);
  const int top = RowTop(row);
  return QRect(
      QPoint(left - kSelectionMargin, top - kSelectionMargin),
      QPoint(left + kCellWidth + kSelectionMargin - 1, top + kCellHeight + kSelectionMargin - 1));
}

QRect SequenceSelectionArea(int row) {
  const int top = RowTop(row);
  return QRect(QPoint(0, top - kSelectionMargin), QPoint(kHeaderWidth + kSelectionMargin - 1,
                                                         top + kCellHeight + kSelectionMargin - 1));
}

QPoint EdgeScrollStep(QPoint point, QSize viewSize) {
  // The band is 20 pixels deep on each side: 0..19 and width - 20..width - 1.
  QPoint step;
  if (point.x() < kEdgeBand) step.rx() -= kEdgeScrollStep;
  if (point.x() >= viewSize.width() - kEdgeBand) step.rx() += kEdgeScrollStep;
  if (point.y() < kEdgeBand) step.ry() -= kEdgeScrollStep;
  if (point.y() >= viewSize.height() - kEdgeBand) step.ry() += kEdgeScrollStep;
  return step;
}

}  // namespace liftvox
