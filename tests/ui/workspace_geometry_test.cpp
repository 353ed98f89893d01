// The workspace's pure parts: hit tests and cell ranges with their exclusive
// bounds, scrolling rules, path shortening, the copy code and copy names.
#include <QFont>
#include <QFontMetrics>
#include <QtTest>

#include "audio/wave_format.h"
#include "model/model_fixture.h"
#include "model/sequence_copy.h"
#include "ui/wave_drop.h"
#include "ui/workspace_geometry.h"
#include "ui/workspace_painter.h"

namespace liftvox {

class WorkspaceGeometryTest : public QObject {
  Q_OBJECT

 private slots:
  void hitTest() {
    // Two rows; the first has two samples, the second none.
    TPametRevazie document;
    test::AddRecordings(document, false, 128, 2);
    test::AddRecordings(document, false, 129, 0);
    const struct {
      const char* where;
      QPoint point;
      GridHit hit;
    } cases[] = {
        {"header's last column", {112, 30}, {0, -1, false}},
        {"first sample's first column", {113, 30}, {0, 0, false}},
        {"header's first column", {1, 30}, {0, -1, false}},
        {"left of the header", {0, 30}, {-1, -1, false}},
        {"shared border: earlier row", {10, 48}, {0, -1, false}},
        {"second row", {10, 49}, {1, -1, false}},
        {"top border", {10, 0}, {-1, -1, false}},
        {"sample box", {120, 30}, {0, 0, true}},
        {"first sample's last column", {215, 30}, {0, 0, false}},
        {"second sample", {216, 30}, {0, 1, false}},
        {"past the last sample", {330, 30}, {-1, -1, false}},
        {"no sample in row 2", {120, 60}, {-1, -1, false}},
        {"below the rows", {10, 97}, {-1, -1, false}},
        // The box is 5 < dx < 99, 23 < dy < 45 inside the cell at (112, 0).
        {"box left edge", {117, 30}, {0, 0, false}},
        {"box left inside", {118, 30}, {0, 0, true}},
        {"box right inside", {210, 30}, {0, 0, true}},
        {"box right edge", {211, 30}, {0, 0, false}},
        {"box top edge", {150, 23}, {0, 0, false}},
        {"box top inside", {150, 24}, {0, 0, true}},
        {"box bottom inside", {150, 44}, {0, 0, true}},
        {"box bottom edge", {150, 45}, {0, 0, false}},
    };
    for (const auto& c : cases) QVERIFY2(HitTest(document, c.point) == c.hit, c.where);
  }

  void cellRanges() {
    // Row i covers [48i, 48i + 49), column j [112 + 103j, 216 + 103j).
    const auto rows = [](int top, int height) {
      const CellRange range = RowsIn(QRect(0, top, 10, height), 100);
      return std::pair(range.first, range.last);
    };
    QCOMPARE(rows(0, 800), std::pair(0, 17));
    QCOMPARE(rows(48, 1), std::pair(0, 2));  // row 0's bottom border, row 1's top
    QCOMPARE(rows(49, 1), std::pair(1, 2));
    QCOMPARE(rows(0, 48), std::pair(0, 1));
    QCOMPARE(rows(4790, 500), std::pair(99, 100));  // clipped to the count
    const auto columns = [](int left, int width) {
      const CellRange range = ColumnsIn(QRect(left, 0, width, 10), 50);
      return std::pair(range.first, range.last);
    };
    QCOMPARE(columns(0, 112), std::pair(0, 0));  // the header only
    QCOMPARE(columns(0, 113), std::pair(0, 1));
    QCOMPARE(columns(215, 1), std::pair(0, 2));
    QCOMPARE(columns(216, 1), std::pair(1, 2));
    QCOMPARE(columns(0, 1200), std::pair(0, 11));
  }

  void insertionAndScrolling() {
    QCOMPARE(InsertionRow(48), 0);
    QCOMPARE(InsertionRow(49), 1);
    QCOMPARE(InsertionColumn(112), 0);
    QCOMPARE(InsertionColumn(215), 0);
    QCOMPARE(InsertionColumn(216), 1);
    // Sample (row 1, column 2) with its margin: (298, 28) to (442, 117).
    QCOMPARE(SampleSelectionArea(1, 2), QRect(QPoint(298, 28), QPoint(441, 116)));
    QCOMPARE(SequenceSelectionArea(1), QRect(QPoint(0, 28), QPoint(132, 116)));
    QCOMPARE(ScrollToShow(100, 200, 150, 250), 100);  // visible: stays
    QCOMPARE(ScrollToShow(100, 200, 50, 150), 50);    // above: its top
    QCOMPARE(ScrollToShow(100, 200, 250, 350), 150);  // below: its bottom
    QCOMPARE(ScrollToShow(0, 50, 100, 300), 100);     // too big: its top
    const QSize view(200, 100);
    QCOMPARE(EdgeScrollStep(QPoint(19, 50), view), QPoint(-25, 0));
    QCOMPARE(EdgeScrollStep(QPoint(20, 50), view), QPoint(0, 0));
    QCOMPARE(EdgeScrollStep(QPoint(179, 79), view), QPoint(0, 0));
    QCOMPARE(EdgeScrollStep(QPoint(180, 80), view), QPoint(25, 25));
    QCOMPARE(EdgeScrollStep(QPoint(100, 0), view), QPoint(0, -25));
  }

  void shortenedPathKeepsRootAndFileName() {
    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 8));
    const QString shortPath = QStringLiteral("/a/b.wav");
    QCOMPARE(ShortenPath(shortPath, metrics, 94), shortPath);
    const QString folders = QStringLiteral("C:\\Hlasky\\Cestina\\Patra\\vytah\\p1.wav");
    const QString shortened = ShortenPath(folders, metrics, 94);
    QVERIFY2(shortened.startsWith(QStringLiteral("C:\\...\\")), qPrintable(shortened));
    QVERIFY(shortened.endsWith(QStringLiteral("\\p1.wav")));
    QVERIFY(metrics.horizontalAdvance(shortened) <= 94);
    const QString posix = ShortenPath(QStringLiteral("/home/user/sounds/p1.wav"), metrics, 70);
    QVERIFY2(posix.startsWith(QStringLiteral("/.../")) && posix.endsWith(QStringLiteral("/p1.wav")),
             qPrintable(posix));
    const QString longName =
        ShortenPath(QStringLiteral("/x/") + QString(60, u'n') + ".wav", metrics, 94);
    QVERIFY2(longName.endsWith(QStringLiteral("...")), qPrintable(longName));
    QVERIFY(metrics.horizontalAdvance(longName) <= 94);
  }

  void copyCodeAndHint() {
    TPametRevazie document;
    TSekvence* general = test::AddRecordings(document, false, 129, 0);
    QCOMPARE(CopyCodeFor(document, *general), 128);  // general copies count from 128
    test::AddRecordings(document, false, 128, 0);
    QCOMPARE(CopyCodeFor(document, *general), 130);
    TSekvence* top = test::AddRecordings(document, true, 255, 0);
    test::AddRecordings(document, true, 0, 0);
    QCOMPARE(CopyCodeFor(document, *top), 1);  // 255 and 0 taken: wraps past both
    top->Pin = 3;                              // a sequence with an input gives its code up
    QCOMPARE(CopyCodeFor(document, *top), 255);
    // The drag hint shows the code of a sequence the code starts, only.
    QCOMPARE(SequenceHintText(*general), QStringLiteral("10000001 (S129)"));
    QCOMPARE(SequenceHintText(*top), QStringLiteral("(S255)"));
    general->Bit = 8;
    QCOMPARE(SequenceHintText(*general), QStringLiteral("(S129)"));
  }

  void announcerFormat() {
    const auto accepts = [](int channels, int rate) {
      return IsAnnouncerFormat(MakePcmFormat(static_cast<std::uint16_t>(channels),
                                             static_cast<std::uint32_t>(rate), 16));
    };
    QVERIFY(accepts(1, 14000) && accepts(1, 14456) && accepts(1, 15000));
    QVERIFY(!accepts(2, 14456));
    QVERIFY(!accepts(1, 13999));
    QVERIFY(!accepts(1, 15001));
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::WorkspaceGeometryTest)
#include "workspace_geometry_test.moc"
