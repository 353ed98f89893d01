// The About box's facts, and the caption ids of the wizard, the settings and
// the About box reaching a control each.
#include <QLabel>
#include <QTest>

#include "dialogs/about_box.h"
#include "dialogs/pruvodce_form.h"
#include "dialogs/setup_form.h"
#include "lang/caption_ids.h"
#include "model/translator.h"
#include "ui/caption_table.h"
#include "ui/icon_library.h"

namespace liftvox {

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void PhysicalMemoryIsTheMemTotalLineInBytes() {
    struct Case {
      const char* meminfo;
      std::optional<qint64> bytes;
    };
    const Case cases[] = {
        {"MemTotal:       16318712 kB\nMemFree:  1 kB\n", 16318712LL * 1024},
        {"MemFree:         1000 kB\nMemTotal:  2048 kB", 2048 * 1024},
        {"MemFree:         1000 kB\n", std::nullopt},
        {"MemTotal:       lots kB\n", std::nullopt},
        {"MemTotal:       2048 MB\n", std::nullopt},
        {"MemTotal:       99999999999999999999 kB\n", std::nullopt},
        {"MemTotal:       -5 kB\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
      QCOMPARE(PhysicalMemoryFromMeminfo(c.meminfo), c.bytes);
    }
  }

  void LinesShowVersionSystemAndKnownMemory() {
    TAboutBox box("1.2.3", "https://example.org/liftvox", {"Testix 7", 3LL << 30}, nullptr);
    QCOMPARE(box.VersionLine(), QString("Verze 1.2.3"));
    QCOMPARE(box.SystemLine(), QString("Operační systém: Testix 7"));
    QCOMPARE(box.MemoryLine(), QString("Fyzická paměť: 3072 MB"));
    CaptionTable captions;
    box.RegisterCaptions(captions);
    captions.ApplyBuiltIn();
    const auto* link = box.findChild<QLabel*>("WebLink");
    QVERIFY(link);
    QVERIFY(link->text().contains("href=\"https://example.org/liftvox\""));
    QVERIFY(link->text().contains("Webové stránky výrobce"));

    // Where nothing tells the memory, its line is left out.
    TAboutBox unknown("1.2.3", "", {"Testix 7", std::nullopt}, nullptr);
    QVERIFY(unknown.MemoryLine().isEmpty());
    int visibleLines = 0;
    for (QLabel* label : unknown.findChildren<QLabel*>())
      visibleLines += label->isVisibleTo(&unknown) ? 1 : 0;
    QCOMPARE(visibleLines, 5);  // title, subtitle, version, system, link
  }

  void EveryCaptionIdOfTheDialogsSetsAControl() {
    CzechTranslator czech;
    IconLibrary icons;
    TAboutBox about("1.0", "", {}, nullptr);
    TSetupForm setup(nullptr);
    TPruvodceForm wizard(czech, icons, {}, nullptr);
    const std::pair<CaptionedDialog*, int> dialogs[] = {
        {&setup, 800}, {&about, 1200}, {&wizard, 1400}};
    for (const auto& [dialog, hundred] : dialogs) {
      CaptionTable captions;
      dialog->RegisterCaptions(captions);
      int ids = 0;
      for (const CaptionId& caption : CaptionIds()) {
        if (caption.id / 100 * 100 != hundred) continue;
        ++ids;
        QVERIFY2(captions.Apply(caption.id, "X" + QString::number(caption.id)),
                 qPrintable(QString::number(caption.id)));
      }
      QVERIFY(ids > 4);
      QCOMPARE(dialog->windowTitle(), "X" + QString::number(hundred));
    }
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::AboutBoxTest)
#include "about_box_test.moc"
