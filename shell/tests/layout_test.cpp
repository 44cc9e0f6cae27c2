// Applying a layout pack to controls found by name, and decoding the skin's
// PNG images with the colour key.
#include <png.h>

#include <QtTest>
#include <map>

#include "resources/layout_pack.h"
#include "shell/layout_applier.h"
#include "shell/png_codec.h"

using namespace zelko;

namespace {

// Controls by name with what the applier did to them.
class FakeTarget final : public LayoutTarget {
 public:
  struct Control {
    QRect place;
    bool shown = true;
    int font = 0;
    QColor colour;
  };
  std::map<QString, Control> controls;

  void Add(const QString& name, QSize size) { controls[name].place = QRect(QPoint(0, 0), size); }
  std::optional<QRect> GeometryOf(const QString& name) const override {
    const auto it = controls.find(name);
    if (it == controls.end()) return std::nullopt;
    return it->second.place;
  }
  void Move(const QString& name, int left, int top) override {
    if (auto it = controls.find(name); it != controls.end()) it->second.place.moveTo(left, top);
  }
  void Resize(const QString& name, int width, int height) override {
    if (auto it = controls.find(name); it != controls.end()) it->second.place.setSize({width, height});
  }
  void SetShown(const QString& name, bool shown) override {
    if (auto it = controls.find(name); it != controls.end()) it->second.shown = shown;
  }
  void SetFontSize(const QString& name, int points) override {
    if (auto it = controls.find(name); it != controls.end()) it->second.font = points;
  }
  void SetFontColour(const QString& name, const QColor& colour) override {
    if (auto it = controls.find(name); it != controls.end()) it->second.colour = colour;
  }
  const Control& at(const QString& name) const { return controls.at(name); }
};

LayoutSettings Apply(const char* packText, FakeTarget& target, int numberOrder = 0) {
  const LayoutPack pack = LayoutPack::Parse(packText, "org1");
  LayoutApplier applier([&pack](const std::string& key) { return pack.Int(key); }, target, numberOrder);
  return applier.Apply();
}

QByteArray EncodePng(int width, int height, const std::vector<std::uint32_t>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t pixel : rgba) {
    bytes.push_back(static_cast<std::uint8_t>(pixel >> 24));
    bytes.push_back(static_cast<std::uint8_t>(pixel >> 16));
    bytes.push_back(static_cast<std::uint8_t>(pixel >> 8));
    bytes.push_back(static_cast<std::uint8_t>(pixel));
  }
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, bytes.data(), 0, nullptr);
  QByteArray out(static_cast<qsizetype>(size), '\0');
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, bytes.data(), 0, nullptr)) return {};
  out.resize(static_cast<qsizetype>(size));
  return out;
}

std::span<const std::uint8_t> Bytes(const QByteArray& data) {
  return {reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())};
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT
 private slots:
  void actionButtonsShowOrHideAllFourCopies() {
    FakeTarget target;
    for (int copy = 1; copy <= 4; ++copy) {
      for (const char* button : {"Confirm", "Confirm1"}) {
        target.Add(QStringLiteral("Img_%1_%2").arg(button).arg(copy), {110, 36});
        target.Add(QStringLiteral("Btn_%1_%2").arg(button).arg(copy), {10, 10});
      }
    }
    Apply("[org1]\nSize_A=11\nColor_A_R=255\nColor_A_G=128\nColor_A_B=0\n"
          "Btn_A1_Enable=0\nBtn_A1_X=5\nBtn_A1_Y=5\n"
          "Btn_A3_Enable=1\nBtn_A3_X=120\nBtn_A3_Y=600\n",
          target);
    for (int copy = 1; copy <= 4; ++copy) {
      const QString n = QString::number(copy);
      QVERIFY(!target.at("Img_Confirm_" + n).shown);
      QVERIFY(!target.at("Btn_Confirm_" + n).shown);
      QCOMPARE(target.at("Img_Confirm_" + n).place.topLeft(), QPoint(0, 0));  // position not read
      QVERIFY(target.at("Btn_Confirm1_" + n).shown);
      QCOMPARE(target.at("Img_Confirm1_" + n).place.topLeft(), QPoint(120, 600));
      // The label takes the picture's place and size.
      QCOMPARE(target.at("Btn_Confirm1_" + n).place, QRect(120, 600, 110, 36));
      QCOMPARE(target.at("Btn_Confirm1_" + n).font, 11);
      QCOMPARE(target.at("Btn_Confirm1_" + n).colour, QColor(255, 128, 0));
    }
  }

  void tabLabelsAreNarrowerByTheSpaces() {
    FakeTarget target;
    target.Add("Img_Adv_1", {120, 40});
    target.Add("Btn_Adv_1", {10, 10});
    Apply("[org1]\nBtn_Space_F = 14\nBtn_Space_B = 6\nBtn_B4_Enable=1\nBtn_B4_X=300\nBtn_B4_Y=70\n", target);
    QCOMPARE(target.at("Img_Adv_1").place.topLeft(), QPoint(300, 70));
    QCOMPARE(target.at("Btn_Adv_1").place, QRect(314, 70, 100, 40));
  }

  void mainPageKeysAndMissingValues() {
    FakeTarget target;
    target.Add("Img_Key1", {150, 40});
    target.Add("Key1", {10, 10});
    target.Add("Img_Key9", {150, 40});
    target.Add("Key9", {10, 10});
    target.Add("Img_P1", {600, 400});
    // Key9's position is malformed: it keeps its design-time place.
    Apply("[org1]\nP1_X=20\nP1_Y=110\nKey1_Enable=1\nKey1_X=40\nKey1_Y=150\n"
          "Key9_Enable=1\nKey9_X=12px\nKey9_Y=3\n",
          target);
    QCOMPARE(target.at("Img_P1").place.topLeft(), QPoint(20, 110));
    QCOMPARE(target.at("Key1").place, QRect(40, 150, 150, 40));
    QVERIFY(target.at("Key9").shown);
    QCOMPARE(target.at("Key9").place.topLeft(), QPoint(0, 0));
  }

  void notchRowsAndNumberOrder_data() {
    QTest::addColumn<int>("numberOrder");
    QTest::addColumn<int>("labelUnderFirstNotch");
    QTest::newRow("ascending") << 0 << 1;
    QTest::newRow("descending") << 1 << 8;
    QTest::newRow("above 1 counts as 1") << 5 << 8;
    QTest::newRow("below 0 counts as 0") << -2 << 1;
  }
  void notchRowsAndNumberOrder() {
    QFETCH(int, numberOrder);
    QFETCH(int, labelUnderFirstNotch);
    FakeTarget target;
    for (int k = 1; k <= 8; ++k) {
      target.Add(QStringLiteral("Img_MCULEDStep_%1").arg(k), {20, 12});
      target.Add(QStringLiteral("lbl_MCULEDStep_%1").arg(k), {20, 14});
    }
    for (int k = 1; k <= 11; ++k) {
      target.Add(QStringLiteral("Img_Spd%1").arg(k), {16, 12});
      target.Add(QStringLiteral("lbl_Spd%1").arg(k), {16, 14});
    }
    Apply("[org1]\nMCULEDStep_X=100\nMCULEDStep_Y=50\nMCULEDStep_D=4\nSpd_X=10\nSpd_Y=20\nSpd_D=2\n", target,
          ClampNumberOrder(numberOrder));
    // Notch k at X + (k-1) * (width of notch 1 + D).
    QCOMPARE(target.at("Img_MCULEDStep_3").place.topLeft(), QPoint(148, 50));
    QCOMPARE(target.at(QStringLiteral("lbl_MCULEDStep_%1").arg(labelUnderFirstNotch)).place.topLeft(),
             QPoint(100, 74));
    // Speed bar labels sit 4 pixels right of their notch and never reverse.
    QCOMPARE(target.at("Img_Spd11").place.topLeft(), QPoint(190, 20));
    QCOMPARE(target.at("lbl_Spd1").place.topLeft(), QPoint(14, 44));
  }

  void menuWidthsAndKeptValues() {
    FakeTarget target;
    target.Add("Pnl_Main", {100, 170});
    target.Add("Key_Standard", {100, 24});
    target.Add("ST_Standard", {10, 24});
    target.controls["ST_Standard"].place.moveTo(80, 0);
    target.Add("Pnl_Media", {100, 170});
    const LayoutSettings kept = Apply(
        "[org1]\nM_L_W = 190\nO_L_W = 154\nColor_G_SF_R=1\nColor_G_SF_G=2\nColor_G_SF_B=3\nMacroNameHeight=22\n",
        target);
    QCOMPARE(target.at("Pnl_Main").place.size(), QSize(190, 170));
    QCOMPARE(target.at("Key_Standard").place.width(), 190);
    QCOMPARE(target.at("ST_Standard").place.left(), 166);
    QCOMPARE(target.at("Pnl_Media").place.width(), 154);
    QCOMPARE(kept.colours.at("Color_G_SF"), QColor(1, 2, 3));
    QCOMPARE(kept.macroNameHeight, 22);
  }

  void pngColourKeyBecomesTransparent() {
    const std::vector<std::uint32_t> pixels{0x800000FF, 0x102030FF, 0x80000080, 0x00000000};
    const QImage image = DecodeSkinPng(Bytes(EncodePng(2, 2, pixels)));
    QCOMPARE(image.size(), QSize(2, 2));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);                 // opaque maroon: keyed out
    QCOMPARE(image.pixel(1, 0), qRgba(0x10, 0x20, 0x30, 0xFF));
    QVERIFY(qAlpha(image.pixel(0, 1)) > 0);                // half-transparent maroon stays
    QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
  }

  void pngThatIsNotAPngIsRefused() {
    QVERIFY(DecodeSkinPng({}).isNull());
    const QByteArray garbage("\x89PNG\r\n\x1a\nnot really", 18);
    QVERIFY(DecodeSkinPng(Bytes(garbage)).isNull());
    QByteArray truncated = EncodePng(4, 4, std::vector<std::uint32_t>(16, 0x112233FF));
    truncated.chop(20);
    QVERIFY(DecodeSkinPng(Bytes(truncated)).isNull());
  }
};

QTEST_GUILESS_MAIN(LayoutTest)
#include "layout_test.moc"
