// The sample browser's plain rules: time texts, order, listing, masks and
// "Icons.dir" associations.
#include <QTest>

#include <vector>

#include "config/file_name_bytes.h"
#include "config/paths.h"
#include "support/test_support.h"
#include "ui/browser_listing.h"
#include "ui/icon_associations.h"

namespace liftvox {
namespace {

QString Q(const std::filesystem::path& path) { return QString::fromStdString(PathToUtf8(path)); }

QStringList Captions(const std::vector<BrowserItem>& items) {
  QStringList captions;
  for (const BrowserItem& item : items) captions.append(item.caption);
  return captions;
}

}  // namespace

class BrowserListingTest : public QObject {
  Q_OBJECT

 private slots:
  void formatedTime_data() {
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("seconds keep a trailing blank") << 7.3 << "7s ";
    QTest::newRow("hours, minutes, seconds") << 3725.0 << "1h 2m 5s";
    QTest::newRow("three digits with hours") << 3725.25 << "1h 2m 5.25s";
    QTest::newRow("three digits cut") << 3725.0 + 1.0 / 3 << "1h 2m 5.33s";
    QTest::newRow("rounding up to 60 stays plain") << 3659.9996 << "1h 0m 60s";
    QTest::newRow("zero") << 0.0 << "0s ";
    QTest::newRow("small fraction") << 0.04 << "0.04s ";
    QTest::newRow("tiny fraction stays plain") << 0.00004 << "0.00004s ";
    QTest::newRow("a half rounds up") << 2.5 << "3s ";
    QTest::newRow("a decimal half rounds up") << 0.25 << "0.3s ";
    QTest::newRow("carry over the point") << 0.95 << "1s ";
    QTest::newRow("carry into a second digit") << 9.6 << "1E1s ";
    QTest::newRow("two integer digits") << 59.5 << "6E1s ";
    QTest::newRow("minutes") << 125.4 << "2m 5s";
    QTest::newRow("minutes with two-digit seconds") << 1234.5 << "20m 3E1s";
    QTest::newRow("minutes rounding to 60") << 179.9 << "2m 6E1s";
  }
  void formatedTime() {
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(GetFormatedTime(seconds), text);
  }

  void generalFormat() {
    QCOMPARE(FormatGeneral(123456, 3), "1.23E5");
    QCOMPARE(FormatGeneral(1000, 3), "1E3");
    QCOMPARE(FormatGeneral(999.5, 3), "1E3");
    QCOMPARE(FormatGeneral(100, 3), "100");
    QCOMPARE(FormatGeneral(-7.3, 1), "-7");
    QCOMPARE(GetFormatedTime(3725.25, ","), "1h 2m 5,25s");
  }

  void sorting_data() {
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("ascending") << false << QStringList{"..",    "Alpha", "beta", "Ticho",
                                                       "A.wav", "b.wav", "c.WAV"};
    QTest::newRow("descending") << true << QStringList{"..",    "beta",  "Alpha", "Ticho",
                                                       "c.WAV", "b.wav", "A.wav"};
  }
  void sorting() {
    QFETCH(bool, descending);
    QFETCH(QStringList, order);
    using enum BrowserItemKind;
    std::vector<BrowserItem> items{{Wave, "b.wav"},  {Folder, "beta"},   {Wave, "c.WAV"},
                                   {Folder, ".."},   {Silence, "Ticho"}, {Wave, "A.wav"},
                                   {Folder, "Alpha"}};
    SortBrowserItems(items, descending);
    QCOMPARE(Captions(items), order);
    QCOMPARE(CompareBrowserItems({Folder, ".."}, {Wave, "a.wav"}, descending), 0);
    QCOMPARE(CompareBrowserItems({Wave, "a.wav"}, {Folder, ".."}, descending), 0);
  }

  void listing() {
    test::TempDir dir;
    for (const char* name : {"a.wav", "B.WAV", "c.mp3", "wav", ".hidden.wav", "Icons.dir"}) {
      test::WriteFile(dir / name, "x");
    }
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_directory(dir / ".hidden");
    BrowserFolder folder = ListBrowserFolder(Q(dir.path()), "Ticho");
    SortBrowserItems(folder.items, false);
    QCOMPARE(Captions(folder.items), (QStringList{"..", "sub", "Ticho", "a.wav", "B.WAV"}));
    QVERIFY(folder.items[2].kind == BrowserItemKind::Silence);
    QCOMPARE(folder.associationFile, Q(dir / "Icons.dir"));

    // Names copied from Windows in its code page are no UTF-8: listed, shown as
    // that code page spells them, and their captions lead back to the files.
    test::WriteFile(dir /
                        "\xC8"
                        "e\x9Atina.wav",
                    "x");
    test::WriteFile(dir / ".\xC8.wav", "x");
    QStringList carried;
    for (const BrowserItem& item : ListBrowserFolder(Q(dir.path()), "Ticho").items)
      if (CarriesFileNameBytes(item.caption.toStdString())) carried.append(item.caption);
    QCOMPARE(carried.size(), 1);
    QCOMPARE(ReadableFileName(carried[0].toStdString()), std::string("Čeština.wav"));
    QVERIFY(std::filesystem::exists(dir / PathFromUtf8(carried[0].toStdString())));

    for (const BrowserItem& item : ListBrowserFolder(QDir::rootPath(), "Ticho").items) {
      QVERIFY(item.kind != BrowserItemKind::Silence);
      QVERIFY(!item.IsParentFolder());
    }
  }

  void masks() {
    const struct {
      const char* name;
      const char* mask;
      bool matches;
    } cases[] = {
        {"CZ01.WAV", "CZ*", true},    {"cz01.wav", "Cz*", true},  // any case
        {"čeština.wav", "ČE*", true}, {"XCZ.WAV", "CZ*", false},  // prefix only
        {"A1.WAV", "A?.WAV", true},   {"A12.WAV", "A?.WAV", false}, {"A.WAV", "A?.WAV", false},
        {"ABCBD", "*B?", true},  // the star backtracks
        {"XYZ", "*Y*", true},         {"AB", "A*B*C", false},       {"AB", "ABC", false},
    };
    for (const auto& c : cases) {
      const QString name = QString::fromUtf8(c.name), mask = QString::fromUtf8(c.mask);
      QVERIFY2(MatchesMask(name, mask) == c.matches, qPrintable(name + " " + mask));
    }
  }

  void associations() {
    test::TempDir dir;
    test::WriteFile(dir / "icons.DIR",
                    "[Other]\r\nCZ*=english\r\n[Icons]\r\nCZ*=cesky\r\nEN*=nobody\r\n"
                    "??.WAV=english\r\n");
    const std::vector<IconAssociation> read =
        ReadIconAssociations(ListBrowserFolder(Q(dir.path()), "Ticho").associationFile);
    QCOMPARE(read.size(), std::size_t{3});

    using enum BrowserItemKind;
    std::vector<BrowserItem> items{
        {Wave, "cz1.wav"}, {Wave, "EN.WAV"}, {Wave, "de.wav"}, {Wave, "x.wav"}, {Folder, "CZ"}};
    AssociateDilEntries(items, read, {{"DIL"}, {"Cesky"}, {"English"}});
    QCOMPARE(items[0].dilEntry, 1);
    QCOMPARE(items[0].dilEntryName, "CESKY");
    // EN.WAV matches "??.WAV" too, but the first matching mask decides.
    QCOMPARE(items[1].dilEntry, -1);
    QCOMPARE(items[1].dilEntryName, "");
    QCOMPARE(items[2].dilEntry, 2);
    QCOMPARE(items[3].dilEntry, -1);
    QCOMPARE(items[4].dilEntry, -1);
  }
};

}  // namespace liftvox

QTEST_GUILESS_MAIN(liftvox::BrowserListingTest)
#include "browser_listing_test.moc"
