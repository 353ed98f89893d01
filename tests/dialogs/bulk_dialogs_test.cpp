// The dialogs that change every sequence at once: the coding change with its
// preview, the language order with its moves, the silence length.
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include "dialogs/coding_change_dialog.h"
#include "dialogs/language_order_dialog.h"
#include "dialogs/reorderable_list.h"
#include "dialogs/silence_dialog.h"
#include "ui/icon_library.h"

namespace liftvox {

class BulkDialogsTest : public QObject {
  Q_OBJECT

 private:
  static QStringList PreviewHead(const TZmenaKodovaniForm& form) {
    QStringList lines;
    for (int row = 0; row < 3; ++row) lines << form.Preview()->item(row)->text();
    return lines;
  }

 private slots:
  void previewFollowsEveryFloorSetting() {
    TZmenaKodovaniForm form(nullptr);
    QCOMPARE(form.Preview()->count(), 256);
    QCOMPARE(PreviewHead(form), (QStringList{"00000000", "00000001", "00000010"}));
    form.GrayButton()->setChecked(true);
    QCOMPARE(PreviewHead(form), (QStringList{"00000000", "00000001", "00000011"}));
    form.BinaryButton()->setChecked(true);
    form.InvertedBox()->setChecked(true);
    QCOMPARE(form.Preview()->item(0)->text(), QString("11111111"));
    form.FloorStartBox()->setValue(1);
    QCOMPARE(form.Preview()->item(0)->text(), QString("11111110"));
    QCOMPARE(form.Preview()->item(255)->text(), QString("11111111"));  // wrapped to 0
    // The special start only renumbers general sequences.
    form.SpecialStartBox()->setValue(3);
    QCOMPARE(form.Preview()->item(0)->text(), QString("11111110"));
    const FloorCoding coding = form.Coding();
    QVERIFY(!coding.gray && coding.inverted);
    QCOMPARE(coding.floorStart, 1);
    QCOMPARE(coding.specialStart, 3);
  }

  void languagesMoveByOnePlaceAndKeepTheirIndex() {
    IconLibrary icons;
    TPoradiJazykuForm form(icons, nullptr);
    form.Fill({{"cs", 0, 0}, {"en", 0, 0}, {"de", 0, 0}});
    form.MoveUp();  // the first line stays
    QCOMPARE(form.Order(), (std::vector<int>{0, 1, 2}));
    form.MoveDown();
    form.MoveDown();
    QCOMPARE(form.Order(), (std::vector<int>{1, 2, 0}));
    QCOMPARE(form.Lines()->currentRow(), 2);
    form.MoveDown();  // the last line stays
    QCOMPARE(form.Order(), (std::vector<int>{1, 2, 0}));
    form.MoveLine(2, 0);
    QCOMPARE(form.Order(), (std::vector<int>{0, 1, 2}));
    QCOMPARE(form.Lines()->currentItem()->text(), QString("cs"));
  }

  void silenceLengthInSamples() {
    TTichoForm form(nullptr);
    QCOMPARE(form.Milliseconds(), 500);
    form.SetSamples(28912);  // the conversions themselves are the core's
    QCOMPARE(form.Milliseconds(), 2000);
    QCOMPARE(form.GetSamples(), 28912);

    // Enter in the length confirms, Esc cancels.
    for (const auto& [key, accepted] : {std::pair(Qt::Key_Return, true), {Qt::Key_Escape, false}}) {
      QTimer::singleShot(0, form.SpinEdit1(), [&form, key = key] {
        QTest::keyClick(form.SpinEdit1(), key);
        if (form.isVisible()) form.done(-1);
      });
      QCOMPARE(form.Open(), accepted);
      QCOMPARE(form.result(), accepted ? int{QDialog::Accepted} : int{QDialog::Rejected});
    }
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::BulkDialogsTest)
#include "bulk_dialogs_test.moc"
