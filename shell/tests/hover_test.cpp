// Rolling captions and pictures of hovered buttons on real labels, and the
// one-instance check.
#include <QtTest>
#include <atomic>
#include <memory>
#include <thread>

#include "shell/control_registry.h"
#include "shell/hover_controller.h"
#include "shell/single_instance.h"
#include "shell/skin_widgets.h"

using namespace zelko;

class HoverTest : public QObject {
  Q_OBJECT
 private slots:
  void applyRollsOverThreeTicksAndComesBack() {
    QWidget page;
    ControlRegistry controls;
    for (int copy = 1; copy <= 4; ++copy) {
      controls.Add(new SkinImage(QStringLiteral("Img_Apply_%1").arg(copy), &page));
      auto* label = new HoverLabel(QStringLiteral("Btn_Apply_%1").arg(copy), &page);
      label->setText("Apply");
      controls.Add(label);
    }
    bool rolling = true;
    HoverController hover(controls, [] { return HoverContext{}; }, [&rolling] { return rolling; });

    hover.Enter("Btn_Apply_2");
    QCOMPARE(controls.Image("Img_Apply_4")->imageName(), QString("BtnS_02"));
    QVERIFY(hover.timerActive());
    const QStringList expected{"pply    A", "ply    Ap", "ly    App"};
    for (const QString& caption : expected) {
      hover.Tick();
      QCOMPARE(controls.Caption("Btn_Apply_2"), caption);
    }
    QCOMPARE(controls.Caption("Btn_Apply_1"), QString("Apply"));  // only the hovered copy rolls
    hover.Leave("Btn_Apply_2");
    QCOMPARE(controls.Caption("Btn_Apply_2"), QString("Apply"));
    QCOMPARE(controls.Image("Img_Apply_1")->imageName(), QString("BtnS_01"));
    QVERIFY(!hover.timerActive());

    rolling = false;  // TR_Enable other than 1: the picture changes, the text stays
    hover.Enter("Btn_Apply_1");
    hover.Tick();
    QCOMPARE(controls.Caption("Btn_Apply_1"), QString("Apply"));
    hover.Leave("Btn_Apply_1");
  }

  void aChineseCaptionRollsByCharacterOnTheLabel() {
    QWidget page;
    ControlRegistry controls;
    auto* label = new HoverLabel("Btn_Apply_1", &page);
    label->setText(QString::fromUtf8("应用"));
    controls.Add(label);
    HoverController hover(controls, [] { return HoverContext{}; }, [] { return true; });
    hover.Enter("Btn_Apply_1");
    hover.Tick();
    QCOMPARE(controls.Caption("Btn_Apply_1"), QString::fromUtf8("用    应"));
    hover.Leave("Btn_Apply_1");
    QCOMPARE(controls.Caption("Btn_Apply_1"), QString::fromUtf8("应用"));
  }

  void aDisabledLabelDoesNotStartTheTimer() {
    QWidget page;
    ControlRegistry controls;
    auto* label = new HoverLabel("Key3", &page);
    label->setText("DPI +");
    label->setEnabled(false);
    controls.Add(label);
    controls.Add(new SkinImage("Img_Key3", &page));
    HoverController hover(controls, [] { return HoverContext{}; }, [] { return true; });
    hover.Enter("Key3");
    QCOMPARE(controls.Image("Img_Key3")->imageName(), QString("KeyS_02"));
    QVERIFY(!hover.timerActive());
  }

  void aSecondStartBringsTheFirstForward() {
    const QString key = QStringLiteral("zelko77-test-%1").arg(QCoreApplication::applicationPid());
    QWidget first;
    first.setWindowTitle("first");
    first.show();
    first.showMinimized();
    QCoreApplication::processEvents();

    SingleInstance firstInstance(key);
    QVERIFY(!firstInstance.AskFirstToComeForward(200));
    QVERIFY(firstInstance.listening());
    int calls = 0;
    firstInstance.OnComeForward([&] {
      ++calls;
      BringForward(&first);
    });

    // The second start runs in a thread of its own so that the first can
    // answer on this one, as two processes would.
    std::atomic<bool> secondEnded{false};
    bool secondFoundFirst = false;
    std::thread second([&] {
      SingleInstance other(key);
      secondFoundFirst = other.AskFirstToComeForward(3000);
      secondEnded = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(secondEnded.load(), 5000);
    second.join();
    QVERIFY(secondFoundFirst);
    QTRY_COMPARE(calls, 1);
    QVERIFY(!first.isMinimized());
    QVERIFY(first.isVisible());
  }
};

QTEST_MAIN(HoverTest)
#include "hover_test.moc"
