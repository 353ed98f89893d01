// What survives between runs: every value under its own name, as text, and
// defaults for whatever is missing or malformed.
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

#include "app/program_settings.h"

namespace liftvox {
namespace {

const std::vector<std::string> kPorts = {"COM2", "COM3"};

ProgramSettings Defaults() { return DefaultProgramSettings(1024, 720); }

ProgramSettings Load(const QSettings& store) {
  return LoadProgramSettings(store, Defaults(), [](const DeviceSettings&) { return kPorts; });
}

ProgramSettings Unusual() {
  ProgramSettings settings = Defaults();
  settings.left = -17;
  settings.top = 40;
  settings.width = 800;
  settings.height = 555;
  settings.dir = "/data/zvuky";
  settings.toolBars = {ToolBarPosition{0, 30}, {300, 30}, {0, 60}, {120, 60}};
  settings.recentFiles = {"/a/new.cfg", "/b/older.bin", "/c/oldest.dil"};
  settings.browserFolders = {"/rec/new", "/rec/old"};
  for (std::size_t i = 0; i < settings.dialogFolders.size(); ++i)
    settings.dialogFolders[i] = "/folder" + QString::number(i);
  settings.language = "English.lng";
  settings.interfaceNumber = 3;
  settings.device.autoPort = false;
  settings.device.fixedPort = "/dev/rfcomm0";  // typed, not detected
  settings.device.autoMemory = false;
  settings.device.chosenMemory = "2MB";
  settings.device.setupToFlash = false;
  settings.device.portList = "/dev/ttyUSB0:/dev/ttyUSB1";
  settings.encoder = EncoderKind::Best;
  settings.normaliseConversions = true;
  settings.production = {.verify = true, .log = true, .logFile = "/bench/log.csv"};
  return settings;
}

}  // namespace

class ProgramSettingsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir scratch_;
  int stores_ = 0;

  QString NewStoreFile() { return scratch_.filePath(QString::number(++stores_) + ".ini"); }

 private slots:
  void NothingStoredGivesTheDesignedDefaults() {
    const QSettings store(NewStoreFile(), QSettings::IniFormat);
    const ProgramSettings loaded = Load(store);
    QVERIFY(!loaded.left && !loaded.top);  // centred on the screen
    QCOMPARE(loaded.width, 1024);
    QCOMPARE(loaded.height, 720);
    QCOMPARE(loaded.dir, QString("."));
    QVERIFY(loaded.recentFiles.isEmpty());
    QVERIFY(loaded.language.isEmpty());
    QCOMPARE(loaded.interfaceNumber, 0);
    QCOMPARE(loaded.device.fixedPort, std::string("COM2"));  // the first port offered
  }

  void EveryValueComesBackUnderItsOwnName() {
    const QString file = NewStoreFile();
    {
      QSettings store(file, QSettings::IniFormat);
      SaveProgramSettings(store, Unusual());
    }
    const QSettings store(file, QSettings::IniFormat);
    QVERIFY(Load(store) == Unusual());
    // Stored as text, newest recent file first, names as the program has
    // always used them.
    QCOMPARE(store.value("Left").toString(), QString("-17"));
    QCOMPARE(store.value("TB2Left").toString(), QString("300"));
    QCOMPARE(store.value("TB3Top").toString(), QString("60"));
    QCOMPARE(store.value("File0").toString(), QString("/a/new.cfg"));
    QCOMPARE(store.value("File2").toString(), QString("/c/oldest.dil"));
    QVERIFY(!store.contains("File3"));
    QCOMPARE(store.value("BrowserFolder1").toString(), QString("/rec/old"));
    QCOMPARE(store.value("BINSaveDir").toString(), QString("/folder2"));
    QCOMPARE(store.value("Mem").toString(), QString("2MB"));
    QCOMPARE(store.value("ComAuto").toString(), QString("0"));
    QCOMPARE(store.value("Interface").toString(), QString("3"));
    QCOMPARE(store.value("Encoder").toString(), QString("best"));
    QCOMPARE(store.value("ConvertNormalise").toString(), QString("1"));
    QCOMPARE(store.value("ProductionLog").toString(), QString("1"));
  }

  void MalformedValuesReadAsTheirDefaults() {
    const ProgramSettings defaults = Load(QSettings(NewStoreFile(), QSettings::IniFormat));
    const std::pair<const char*, const char*> malformed[] = {
        {"Left", "abc"},
        {"Top", "12px"},
        {"Width", ""},
        {"Height", "-5"},
        {"TB3Left", "1.5"},
        {"TB1Top", "0x"},
        {"Interface", "x1"},
        {"ComAuto", "yes"},
        {"Mem", "3MB"},
        {"Com", ""},
        {"MemAuto", "maybe"},
        {"Dir", ""},
        {"ProductionLog", "on"},
        {"Encoder", "Best"},
        {"ConvertNormalise", "2"},
    };
    for (const auto& [name, value] : malformed) {
      QSettings store(NewStoreFile(), QSettings::IniFormat);
      store.setValue(name, value);
      QVERIFY2(Load(store) == defaults, name);
    }
  }

  // Stored by a window on another desk, or crafted: the window still opens
  // where it can be seen and used. Designed 1024 x 720.
  void GeometryThatFitsNoScreenFallsBackToTheCentredDesignedSize() {
    const QList<QRect> screens = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1000)};
    const QRect centred800(560, 220, 800, 600), designed(448, 160, 1024, 720);
    const struct {
      std::optional<int> left, top;
      int width, height;
      QRect expected;
    } cases[] = {
        {100, 50, 800, 600, QRect(100, 50, 800, 600)},
        {0, 0, 1920, 1040, QRect(0, 0, 1920, 1040)},
        {2000, 100, 1200, 900, QRect(2000, 100, 1200, 900)},  // on the second screen
        {std::nullopt, std::nullopt, 800, 600, centred800},
        {1500, 50, 800, 600, centred800},  // across both screens
        {-5000, 0, 800, 600, centred800},
        {0, 0, 1920, 1041, designed},
        {0, 0, 2147483647, 2147483647, designed},
    };
    ProgramSettings settings = Defaults();
    for (const auto& c : cases) {
      std::tie(settings.left, settings.top, settings.width, settings.height) =
          std::tie(c.left, c.top, c.width, c.height);
      QCOMPARE(InitialWindowGeometry(settings, QSize(1024, 720), screens), c.expected);
    }
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::ProgramSettingsTest)
#include "program_settings_test.moc"
