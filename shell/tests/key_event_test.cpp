// Qt key events as the key tables' rows: every row of the key table that a
// Qt key stands for is reached from a real QKeyEvent, which also checks the
// Qt::Key values pages/key_event_map.cpp holds against Qt's own names.
#include <QtTest>

#include <set>

#include "keys/key_tables.h"
#include "shell/key_event_adapter.h"

using namespace zelko;

namespace {

struct Row {
  int index;  // the key table's row
  Qt::Key key;
  bool keypad = false;
};

std::vector<Row> Rows() {
  std::vector<Row> rows = {
      {3, Qt::Key_Backspace},       {4, Qt::Key_Tab},           {4, Qt::Key_Backtab},
      {5, Qt::Key_Clear},           {6, Qt::Key_Return},        {6, Qt::Key_Enter, true},
      {7, Qt::Key_Shift},           {8, Qt::Key_Control},       {9, Qt::Key_Alt},
      {10, Qt::Key_Pause},          {11, Qt::Key_CapsLock},     {12, Qt::Key_Escape},
      {13, Qt::Key_Space},          {14, Qt::Key_PageUp},       {15, Qt::Key_PageDown},
      {16, Qt::Key_End},            {17, Qt::Key_Home},         {17, Qt::Key_Home, true},
      {18, Qt::Key_Left},           {19, Qt::Key_Up},           {20, Qt::Key_Right},
      {21, Qt::Key_Down},           {22, Qt::Key_Select},       {23, Qt::Key_Print},
      {24, Qt::Key_Insert},         {25, Qt::Key_Delete},       {26, Qt::Key_Help},
      {27, Qt::Key_Super_L},        {27, Qt::Key_Meta},         {28, Qt::Key_Super_R},
      {29, Qt::Key_Menu},           {40, Qt::Key_Asterisk, true}, {41, Qt::Key_Plus, true},
      {42, Qt::Key_Comma, true},    {43, Qt::Key_Minus, true},  {44, Qt::Key_Period, true},
      {45, Qt::Key_Slash, true},    {70, Qt::Key_NumLock},      {71, Qt::Key_ScrollLock},
      {114, Qt::Key_Semicolon},     {115, Qt::Key_Slash},       {116, Qt::Key_QuoteLeft},
      {117, Qt::Key_BracketLeft},   {118, Qt::Key_Backslash},   {119, Qt::Key_BracketRight},
      {120, Qt::Key_Apostrophe},    {122, Qt::Key_Equal},       {123, Qt::Key_Comma},
      {124, Qt::Key_Minus},         {125, Qt::Key_Period},      {126, Qt::Key_Back},
      {127, Qt::Key_Forward},       {128, Qt::Key_Refresh},     {129, Qt::Key_Stop},
      {130, Qt::Key_Search},        {131, Qt::Key_Favorites},   {132, Qt::Key_HomePage},
      {133, Qt::Key_VolumeMute},    {134, Qt::Key_VolumeDown},  {135, Qt::Key_VolumeUp},
      {136, Qt::Key_MediaNext},     {137, Qt::Key_MediaPrevious}, {138, Qt::Key_MediaStop},
      {139, Qt::Key_MediaTogglePlayPause}, {139, Qt::Key_MediaPlay}, {139, Qt::Key_MediaPause},
      {140, Qt::Key_LaunchMail},    {141, Qt::Key_LaunchMedia}, {142, Qt::Key_Launch0},
      {143, Qt::Key_Launch1},       {77, Qt::Key_AltGr},
  };
  for (int i = 0; i < 10; ++i) rows.push_back({30 + i, Qt::Key(Qt::Key_0 + i), true});  // the pad's digits
  for (int i = 0; i < 24; ++i) rows.push_back({46 + i, Qt::Key(Qt::Key_F1 + i)});       // F1 .. F24
  for (int i = 0; i < 26; ++i) rows.push_back({78 + i, Qt::Key(Qt::Key_A + i)});        // A .. Z
  rows.push_back({104, Qt::Key_0});
  for (int i = 1; i < 10; ++i) rows.push_back({104 + i, Qt::Key(Qt::Key_0 + i)});       // 1 .. 9
  return rows;
}

// The rows no key event gives on Windows either (key indices): "Demo",
// "255", the sided Shift, Ctrl and left Alt codes of raw input (AltGr is
// the right Alt), and OEM_8.
const std::set<int> kWithoutQtKey = {1, 2, 72, 73, 74, 75, 76, 121};

}  // namespace

class KeyEventTest : public QObject {
  Q_OBJECT
 private slots:
  void everyRowOfTheKeyTableWithAQtKeyIsReached() {
    std::set<int> reached;
    for (const Row& row : Rows()) {
      const QKeyEvent event(QEvent::KeyPress, row.key, row.keypad ? Qt::KeypadModifier : Qt::NoModifier);
      const KeyIndex index = VirtualKeyToKeyIndex(VirtualKeyOf(event));
      QVERIFY2(index == row.index, qPrintable(QStringLiteral("Qt key 0x%1%2 gives row %3 (%4), not %5")
                                                  .arg(row.key, 0, 16)
                                                  .arg(row.keypad ? QStringLiteral(" on the pad") : QString())
                                                  .arg(index)
                                                  .arg(QString::fromUtf8(KeyIndexName(index).data()))
                                                  .arg(row.index)));
      reached.insert(row.index);
    }
    for (int index = 1; index < kKeyIndexCount; ++index) {
      QVERIFY2(reached.count(index) == (kWithoutQtKey.count(index) ? 0u : 1u), qPrintable(QString::number(index)));
    }
  }

  void namesAndUsagesComeFromTheTables() {
    const QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QCOMPARE(KeyIndexName(VirtualKeyToKeyIndex(VirtualKeyOf(a))), std::string_view("A"));
    QCOMPARE(KeyIndexToUsage(VirtualKeyToKeyIndex(VirtualKeyOf(a))), std::uint8_t{4});
    const QKeyEvent pad(QEvent::KeyPress, Qt::Key_0, Qt::KeypadModifier);
    QCOMPARE(KeyIndexName(VirtualKeyToKeyIndex(VirtualKeyOf(pad))), std::string_view("0 (numeric pad)"));
    const QKeyEvent unknown(QEvent::KeyPress, Qt::Key_Calculator, Qt::NoModifier);
    QCOMPARE(KeyIndexName(VirtualKeyToKeyIndex(VirtualKeyOf(unknown))), std::string_view("None"));
  }
};

QTEST_MAIN(KeyEventTest)
#include "key_event_test.moc"
