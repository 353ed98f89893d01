// The sample browser widget: DIL associations shown and dragged, header
// sorting, entering items, and lengths read in the background.
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "config/paths.h"
#include "model/translator.h"
#include "support/test_support.h"
#include "support/wave_files.h"
#include "ui/browser_list_view.h"
#include "ui/drag_formats.h"
#include "ui/icon_library.h"
#include "ui/path_field.h"
#include "ui/sample_browser.h"
#include "ui/wave_length_reader.h"

namespace liftvox {
namespace {

QString Q(const std::filesystem::path& path) { return QString::fromStdString(PathToUtf8(path)); }

// A silent 8-bit mono WAV file.
void WriteWave(const std::filesystem::path& file, std::size_t frames, std::uint32_t rate = 14456) {
  test::WritePcmWav(file, std::vector<std::uint8_t>(frames, 128), 8, 1, rate);
}

QString WaveName(int i) { return QString("f%1.wav").arg(i, 4, 10, QChar('0')); }

// The browser with its list, on the shipped icons and the Czech texts.
struct Browser {
  Browser() {
    icons.Load(test::BinDir() / "Icons");
    widget.resize(240, 400);
    list = widget.findChild<BrowserListView*>();
    model = list->model();
  }
  QStringList Column(int column) const {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row) {
      texts.append(model->index(row, column).data().toString());
    }
    return texts;
  }
  int Row(const QString& caption) const { return Column(0).indexOf(caption); }
  void Select(const QString& caption) { list->setCurrentIndex(model->index(Row(caption), 0)); }

  IconLibrary icons;
  CzechTranslator translator;
  SampleBrowser widget{icons, translator};
  BrowserListView* list = nullptr;
  QAbstractItemModel* model = nullptr;
};

}  // namespace

class SampleBrowserTest : public QObject {
  Q_OBJECT

 private slots:
  void associatedEntryShownAndDragged() {
    test::TempDir dir;
    test::WriteFile(dir / "Icons.dir", "[Icons]\r\nCZ*=cesky\r\nEN*=nobody\r\n");
    for (const char* name : {"cz1.wav", "en1.wav"}) WriteWave(dir / name, 10);
    std::filesystem::create_directory(dir / "sub");
    Browser b;
    const int czechIcon = b.icons.IndexOf("CZ.BMP");
    QVERIFY(czechIcon >= 0);
    const int dilIcon = b.icons.IndexOf("DIL.BMP");
    b.widget.SetDilEntries({{"DIL", dilIcon}, {"Cesky", czechIcon}});
    QVERIFY(b.widget.LoadDirectory(Q(dir.path())));

    const auto icon = [&](const QString& caption) {
      return b.model->index(b.Row(caption), 0).data(Qt::DecorationRole).value<QIcon>();
    };
    QCOMPARE(icon("cz1.wav").cacheKey(), b.icons.Icon(czechIcon).cacheKey());
    // A value naming no entry: the plain image, not the first entry's.
    QCOMPARE(icon("en1.wav").pixmap(16).toImage(), icon("Ticho").pixmap(16).toImage());
    QVERIFY(icon("en1.wav").pixmap(16).toImage() != b.icons.Icon(dilIcon).pixmap(16).toImage());

    std::unique_ptr<QMimeData> data(b.list->dragData(b.Row("cz1.wav")));
    BrowserDragItem dragged;
    QVERIFY(ReadBrowserMimeData(*data, dragged));
    QCOMPARE(dragged.filePath, QDir::toNativeSeparators(Q(dir / "cz1.wav")));
    QCOMPARE(dragged.dilEntryName, "CESKY");
    QVERIFY(b.list->canDrag(b.Row("Ticho")));
    QVERIFY(!b.list->canDrag(b.Row("sub")));
  }

  void dragStartsAfterFourPixels() {
    test::TempDir dir;
    WriteWave(dir / "a.wav", 10);
    Browser b;
    b.widget.show();
    QVERIFY(b.widget.LoadDirectory(Q(dir.path())));
    int dragsStarted = 0;
    b.list->dragData = [&](int) {
      ++dragsStarted;
      return nullptr;
    };
    const QPoint start = b.list->visualRect(b.model->index(b.Row("a.wav"), 0)).center();
    QTest::mousePress(b.list->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(b.list->viewport(), start + QPoint(2, 1));
    QCOMPARE(dragsStarted, 0);
    QTest::mouseMove(b.list->viewport(), start + QPoint(2, 2));
    QCOMPARE(dragsStarted, 1);
    QTest::mouseRelease(b.list->viewport(), Qt::LeftButton, {}, start + QPoint(2, 2));
  }

  void headerClickTogglesOrderAndArrow() {
    test::TempDir dir;
    for (const char* name : {"a.wav", "b.wav"}) WriteWave(dir / name, 10);
    std::filesystem::create_directory(dir / "sub");
    Browser b;
    b.widget.show();
    QVERIFY(b.widget.LoadDirectory(Q(dir.path())));
    QHeaderView* header = b.list->header();
    const auto clickSection = [&](int section) {
      const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    clickSection(1);
    QCOMPARE(b.Column(0), (QStringList{"..", "sub", "Ticho", "b.wav", "a.wav"}));
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    clickSection(1);
    QCOMPARE(b.Column(0), (QStringList{"..", "sub", "Ticho", "a.wav", "b.wav"}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
  }

  void enterOpensFoldersAndPlaysWaves() {
    test::TempDir dir;
    WriteWave(dir / "sub" / "in.wav", 10);
    Browser b;
    b.widget.show();
    QSignalSpy play(&b.widget, &SampleBrowser::PlayClicked);
    QVERIFY(b.widget.LoadDirectory(Q(dir.path())));
    b.Select("sub");
    QTest::keyClick(b.list, Qt::Key_Return);
    QCOMPARE(b.widget.Directory(), QDir::toNativeSeparators(Q(dir / "sub")));
    QTest::keyClicks(b.list, "in");  // incremental search
    QCOMPARE(b.widget.SelectedWaveFile(), QDir::toNativeSeparators(Q(dir / "sub" / "in.wav")));
    QTest::keyClick(b.list, Qt::Key_Return);
    QCOMPARE(play.count(), 1);
    b.Select("..");
    QTest::keyClick(b.list, Qt::Key_Return);
    QCOMPARE(b.widget.Directory(), QDir::toNativeSeparators(Q(dir.path())));
    QVERIFY(!b.widget.LoadDirectory(Q(dir / "missing")));
    QCOMPARE(b.widget.Directory(), QDir::toNativeSeparators(Q(dir.path())));
  }

  // Typed paths: a relative one from the folder shown; a missing one stays
  // and says so. New files show up; a played file's folder is remembered.
  void typedPathsNewFilesAndRecentFolders() {
    test::TempDir dir;
    WriteWave(dir / "sub" / "in.wav", 10);
    const QString root = QDir::toNativeSeparators(Q(dir.path())),
                  sub = root + QDir::separator() + "sub";
    Browser b;
    b.widget.show();
    b.widget.SetRecentFolders({root});
    auto* field = b.widget.findChild<PathField*>("BrowserPath");
    for (const auto& [typed, shown, missing] :
         {std::tuple{"gone", root, true}, {"sub", sub, false}}) {
      QVERIFY(b.widget.LoadDirectory(root));
      field->setText(typed);
      QTest::keyClick(field, Qt::Key_Return);
      QCOMPARE(b.widget.Directory(), shown);
      QCOMPARE(field->Path(), shown);
      QCOMPARE(b.widget.findChild<QLabel*>("MissingFolder")->isVisible(), missing);
    }
    WriteWave(dir / "sub" / "in-14456.wav", 10);
    QTRY_VERIFY_WITH_TIMEOUT(b.Row("in-14456.wav") >= 0, 5000);
    b.Select("in.wav");
    QTest::keyClick(b.list, Qt::Key_Return);
    QCOMPARE(b.widget.RecentFolders(), (QStringList{sub, root}));
  }

  // 2000 files: the names show at once and the lengths follow; how long the
  // window waits meanwhile is the benchmarks' to measure.
  void lengthsArriveAfterTheNames() {
    constexpr int kFiles = 2000;
    test::TempDir dir;
    for (int i = 0; i < kFiles; ++i) WriteWave(dir / WaveName(i).toStdString(), 14456 + i);
    WriteWave(dir / "long.wav", 160965, 22050);  // 7.3 s
    Browser b;
    QTimer::singleShot(0, [&] { b.widget.LoadDirectory(Q(dir.path())); });
    QTRY_COMPARE_WITH_TIMEOUT(b.model->rowCount(), kFiles + 3, 5000);
    // Every row but the silence item and ".." gets a length.
    QTRY_COMPARE_WITH_TIMEOUT(b.Column(1).count(QString()), 2, 60000);
    QCOMPARE(b.Column(1).at(b.Row("long.wav")), "7s ");
    QCOMPARE(b.Column(1).at(b.Row("f0000.wav")), "1s ");
  }

  // Results of a cancelled request never arrive, even when they were already
  // on their way and name the same files as the new request.
  void staleLengthsDropped() {
    test::TempDir first;
    test::TempDir second;
    QStringList names;
    for (int i = 0; i < 200; ++i) {
      names.append(WaveName(i));
      WriteWave(first / WaveName(i).toStdString(), 14456);
      WriteWave(second / WaveName(i).toStdString(), 2 * 14456);
    }
    WaveLengthReader reader;
    QSignalSpy lengths(&reader, &WaveLengthReader::LengthsRead);
    QSignalSpy finished(&reader, &WaveLengthReader::Finished);
    reader.Start(Q(first.path()), names);
    QVERIFY(reader.WaitForIdle(30000));  // every result of the first request is queued
    reader.Start(Q(second.path()), names);
    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.count(), 1);
    int received = 0;
    for (const QList<QVariant>& batch : lengths) {
      for (const WaveLength& length : batch.at(0).value<QList<WaveLength>>()) {
        QCOMPARE(length.seconds, 2.0);
        ++received;
      }
    }
    QCOMPARE(received, names.size());
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::SampleBrowserTest)
#include "sample_browser_test.moc"
