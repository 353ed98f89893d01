// The memory gauge as the user sees it: colours and the filled share read
// back from the painted pixels.
#include <QImage>
#include <QTest>

#include <cmath>

#include "ui/memory_status_bar.h"

namespace liftvox {
namespace {

struct Painted {
  QImage image;
  QRect bar;
};

Painted Paint(int64_t used, int64_t memorySize) {
  MemoryGaugePanel gauge;
  gauge.resize(190, 22);
  gauge.SetLabel("Využitá paměť");
  gauge.SetUsage(used, memorySize);
  return {gauge.grab().toImage(), gauge.BarRect()};
}

// Pixels of `colour` along the bar's top row, which no glyph reaches.
int CountInTopRow(const Painted& painted, QColor colour) {
  int count = 0;
  for (int x = painted.bar.left(); x < painted.bar.left() + painted.bar.width(); ++x)
    count += painted.image.pixelColor(x, painted.bar.top()) == colour;
  return count;
}

bool HasColourIn(const QImage& image, const QRect& area, QColor colour) {
  for (int y = area.top(); y < area.top() + area.height(); ++y)
    for (int x = area.left(); x < area.left() + area.width(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

}  // namespace

class MemoryStatusBarTest : public QObject {
  Q_OBJECT

 private slots:
  void FilledShareAndColourFollowTheUsage_data() {
    QTest::addColumn<qint64>("used");
    QTest::addColumn<qint64>("memory");
    QTest::addColumn<double>("share");  // of the bar's width that is filled
    QTest::addColumn<QColor>("fill");
    QTest::newRow("46 %") << qint64{30000} << qint64{65536} << 30000.0 / 65536 << QColor(Qt::blue);
    QTest::newRow("full") << qint64{65536} << qint64{65536} << 1.0 << QColor(Qt::blue);
    QTest::newRow("over") << qint64{70000} << qint64{65536} << 1.0 << QColor(Qt::red);
    QTest::newRow("empty") << qint64{0} << qint64{65536} << 0.0 << QColor(Qt::blue);
  }

  void FilledShareAndColourFollowTheUsage() {
    QFETCH(qint64, used);
    QFETCH(qint64, memory);
    QFETCH(double, share);
    QFETCH(QColor, fill);
    const Painted painted = Paint(used, memory);
    QVERIFY(painted.bar.width() > 50);
    const int filled = CountInTopRow(painted, fill);
    const int white = CountInTopRow(painted, Qt::white);
    QCOMPARE(filled + white, painted.bar.width());
    QCOMPARE(filled, static_cast<int>(std::lround(share * painted.bar.width())));
    // The filled part starts at the bar's left edge.
    if (filled > 0) QCOMPARE(painted.image.pixelColor(painted.bar.topLeft()), fill);
  }

  void LabelReadsOnBothSidesOfTheBoundary() {
    // At 46 % the centred label crosses from the blue part into the white.
    const Painted painted = Paint(30000, 65536);
    const int filled = CountInTopRow(painted, Qt::blue);
    const QRect bar = painted.bar;
    const QRect blueSide(bar.left(), bar.top() + 1, filled, bar.height() - 2);
    const QRect whiteSide(bar.left() + filled, bar.top() + 1, bar.width() - filled,
                          bar.height() - 2);
    QVERIFY(HasColourIn(painted.image, blueSide, Qt::white));
    QVERIFY(HasColourIn(painted.image, whiteSide, Qt::blue));
  }

  void UnknownMemorySizeDrawsNoBar() {
    const Painted painted = Paint(30000, 0);
    QVERIFY(painted.bar.isEmpty());
    QVERIFY(!HasColourIn(painted.image, painted.image.rect(), Qt::blue));
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::MemoryStatusBarTest)
#include "memory_status_bar_test.moc"
