// The window's models without a window: rolling captions, the hover and
// leave pictures of the button families, page navigation with its lock.
#include <QtTest>

#include "shell/button_families.h"
#include "shell/page_navigation.h"
#include "shell/text_roll.h"

using namespace zelko;

namespace {

QStringList Describe(const ImageChanges& changes) {
  QStringList out;
  for (const auto& change : changes) out << change.control + QLatin1Char('=') + change.image;
  return out;
}

QStringList FourCopies(const QString& button, const QString& image) {
  return Describe(AllCopies(button, image));
}

}  // namespace

class ModelsTest : public QObject {
  Q_OBJECT
 private slots:
  void rollingCaptionMovesWithAGapOnce_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Apply, tick 1") << "Apply" << 1 << "pply    A";
    QTest::newRow("Apply, tick 2") << "Apply" << 2 << "ply    Ap";
    QTest::newRow("Apply, tick 3") << "Apply" << 3 << "ly    App";
    // 9 characters with the gap: after 1 + 9 ticks the caption is whole again.
    QTest::newRow("Apply, a full turn") << "Apply" << 10 << "pply    A";
    QTest::newRow("CJK caption") << QString::fromUtf8("确认") << 1 << QString::fromUtf8("认    确");
    QTest::newRow("empty caption") << "" << 3 << "";
  }
  void rollingCaptionMovesWithAGapOnce() {
    QFETCH(QString, caption);
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    TextRoll roll;
    roll.Start("Btn_Apply_1", caption);
    QString last;
    for (int i = 0; i < ticks; ++i) last = roll.Tick(true);
    QCOMPARE(last, shown);
    QCOMPARE(roll.Stop(), caption);
  }

  void rollingCounterWrapsWithoutAnotherGap() {
    TextRoll roll;
    roll.Start("Key1", "AB");
    for (int i = 0; i < 20; ++i) roll.Tick(true);
    QCOMPARE(roll.ticks(), 20);
    const QString before = roll.working();
    roll.Tick(true);  // 21 -> 2: a plain move, no second gap
    QCOMPARE(roll.ticks(), 2);
    QCOMPARE(roll.working().size(), before.size());
  }

  void rollingSwitchedOffChangesNothing() {
    TextRoll roll;
    roll.Start("Btn_Apply_1", "Apply");
    QCOMPARE(roll.Tick(false), QString("Apply"));
    QCOMPARE(roll.ticks(), 0);
  }

  void labelNamesParseToTheirButton_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("copy");
    QTest::newRow("action") << "Btn_Apply_2" << true << "Apply" << 2;
    QTest::newRow("numbered action") << "Btn_Confirm3_4" << true << "Confirm3" << 4;
    QTest::newRow("tab") << "Btn_Adv_1" << true << "Adv" << 1;
    QTest::newRow("key frame") << "Key9" << true << "Key9" << 0;
    QTest::newRow("engineer copy is no skinned button") << "Btn_Main_6" << false << "" << 0;
    QTest::newRow("unknown button") << "Btn_Nope_1" << false << "" << 0;
    QTest::newRow("key out of range") << "Key10" << false << "" << 0;
  }
  void labelNamesParseToTheirButton() {
    QFETCH(QString, label);
    QFETCH(bool, known);
    QFETCH(QString, button);
    QFETCH(int, copy);
    const auto ref = ParseButtonLabel(label);
    QCOMPARE(ref.has_value(), known);
    if (!known) return;
    QCOMPARE(ref->name, button);
    QCOMPARE(ref->copy, copy);
  }

  void hoverAndLeavePictures_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("device");
    QTest::addColumn<QStringList>("enter");
    QTest::addColumn<QStringList>("leave");
    // The Light page is active and language 2 is checked in every row.
    QTest::newRow("tab while Light is active")
        << "Btn_Adv_2" << false << true << QStringList{"Img_Adv_2=SetS_02"}
        << (QStringList{"Img_Adv_2=SetS_01"} + FourCopies("Breath", "SetS_03"));
    QTest::newRow("tab under the page lock keeps the active look")
        << "Btn_Adv_2" << true << true << QStringList{"Img_Adv_2=SetS_02"}
        << QStringList{"Img_Adv_2=SetS_01"};
    QTest::newRow("language") << "Btn_Lang3_1" << false << true << QStringList{"Img_Lang3_1=SetS_02"}
                              << (QStringList{"Img_Lang3_1=SetS_01"} + FourCopies("Lang2", "SetS_03"));
    QTest::newRow("action, all copies") << "Btn_Read_3" << false << false
                                        << FourCopies("Read", "BtnS_02") << FourCopies("Read", "BtnS_01");
    QTest::newRow("close") << "Btn_Exit_1" << false << false << FourCopies("Exit", "ExitS_02")
                           << FourCopies("Exit", "ExitS_01");
    QTest::newRow("minimise") << "Btn_Mini_4" << false << false << FourCopies("Mini", "MiniS_02")
                              << FourCopies("Mini", "MiniS_01");
    QTest::newRow("web with a mouse") << "Btn_Web_1" << false << true << FourCopies("Web", "WebS_03")
                                      << FourCopies("Web", "WebS_01");
    QTest::newRow("web without a mouse") << "Btn_Web_1" << false << false << QStringList{} << QStringList{};
    QTest::newRow("key frame") << "Key4" << false << false << QStringList{"Img_Key4=KeyS_02"}
                               << QStringList{"Img_Key4=KeyS_01"};
  }
  void hoverAndLeavePictures() {
    QFETCH(QString, label);
    QFETCH(bool, locked);
    QFETCH(bool, device);
    QFETCH(QStringList, enter);
    QFETCH(QStringList, leave);
    const HoverContext context{Page::Light, locked, 2, device};
    const auto ref = ParseButtonLabel(label);
    QVERIFY(ref);
    QCOMPARE(Describe(HoverEnterImages(*ref, context)), enter);
    QCOMPARE(Describe(HoverLeaveImages(*ref, context)), leave);
  }

  void pressedLooks() {
    QCOMPARE(Describe(PressImages(*ParseButtonLabel("Btn_Apply_1"))), FourCopies("Apply", "BtnS_03"));
    QCOMPARE(Describe(PressImages(*ParseButtonLabel("Btn_Web_2"))), FourCopies("Web", "WebS_02"));
    QVERIFY(PressImages(*ParseButtonLabel("Btn_Main_1")).empty());
  }

  void activeTabPictures() {
    const ImageChanges changes = TabImagesForActivePage(Page::Second);
    QCOMPARE(changes.size(), std::size_t{8 * 4});
    for (const auto& change : changes) {
      const bool second = change.control.startsWith("Img_Second_");
      QCOMPARE(change.image, second ? QString("SetS_03") : QString("SetS_01"));
    }
  }

  void pageSwitchNeedsAMouseAndNoLock() {
    PageNavigation nav;
    QCOMPARE(nav.RequestSwitch(Page::Advanced, false), PageNavigation::SwitchOutcome::NoDevice);
    nav.EnterNoDeviceState();
    QCOMPARE(nav.RequestSwitch(Page::Advanced, true), PageNavigation::SwitchOutcome::Locked);
    QCOMPARE(nav.visibleContainer(), 1);
    nav.ClearLock();
    QCOMPARE(nav.RequestSwitch(Page::Advanced, true), PageNavigation::SwitchOutcome::Switched);
    QCOMPARE(nav.visibleContainer(), 2);
    QCOMPARE(nav.RequestSwitch(Page::Second, true), PageNavigation::SwitchOutcome::Switched);
    QCOMPARE(nav.visibleContainer(), 1);  // Main and Second share one container
    QCOMPARE(nav.RequestSwitch(Page::Engineer, true), PageNavigation::SwitchOutcome::Switched);
    QCOMPARE(nav.visibleContainer(), kEngineerContainer);
  }

  void pageAfterALanguageChange() {
    PageNavigation nav;
    nav.RequestSwitch(Page::Macro, true);
    nav.RefreshAfterLanguageChange();
    QCOMPARE(nav.visibleContainer(), 4);
    nav.EnterNoDeviceState();
    nav.RefreshAfterLanguageChange();
    QCOMPARE(nav.visibleContainer(), 1);
  }
};

QTEST_GUILESS_MAIN(ModelsTest)
#include "models_test.moc"
