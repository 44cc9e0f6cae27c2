#include "shell/engineer_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>

#include "pages/edit_rules.h"
#include "pages/engineer_hints.h"
#include "pages/page_navigation.h"
#include "shell/engineer_widgets.h"
#include "settings/dpi_tables.h"

namespace zelko {

namespace {

// Indexes into the engineer-page terms.
namespace term {
constexpr int kModeA = 0, kModeB = 1, kAdvanced = 2, kBreathingLight = 3, kMacro = 4, kEngineerMode = 5;
constexpr int kLoad = 6, kSave = 7, kTestKeys = 8, kDefault = 9, kApply = 10, kImportBaseMacro = 11;
constexpr int kOperation = 13, kEngineer = 14, kLedType = 15, kNorLed = 16, kMcuLed = 17, kLedStatus = 18;
constexpr int kOn = 19, kOff = 20, kLedSwitch = 21, kFireFunction = 22, kFnLeftKey = 23, kLeftKey = 24;
constexpr int kFireMode = 25, kFireCount = 26, kFireTime = 27, kLedMode = 28, kMcuLightMode = 29;
constexpr int kAllLight = 30, kHalfLight = 31, kNorLedMode = 32, kCpiBreath = 33, kNorLedBreath = 34;
constexpr int kBreathStep = 35, kFirstColour = 37, kVendorId = 45, kProductId = 46, kMcuLedSetting = 47;
constexpr int kLedNumber = 48, kCurrentMode = 49, kFirstMode = 50, kLedStep = 57, kKeyModeColour = 58;
constexpr int kFirstModeColour = 59, kSwitchKeyMode = 65, kPressMiddle = 66, kPressCpi = 67, kPressGun = 68;
constexpr int kSaveKeyMode = 69, kSaveChoice = 70, kNoSave = 71, kSensorOri = 72, kFirstOrientation = 73;
constexpr int kCpi = 81, kCpiSteps = 82, kCurrentCpi = 83, kFirstCpiLevel = 84, kAimKey = 91, kKeyMode = 92;
constexpr int kKeyModeA = 93, kKeyModeB = 94, kModeSelect = 100, kNotes = 143;
}  // namespace term

// The page's palette: the skin's dark base with its cyan accent.
constexpr const char* kPageStyle = R"(
QWidget#gbPage6 { background: #12141a; }
QLabel, QRadioButton, QCheckBox { color: #dce2eb; }
QGroupBox { color: #00d2ff; border: 1px solid #3a4452; border-radius: 3px; margin-top: 7px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }
QLineEdit, QComboBox { background: #0c0e12; color: #dce2eb; border: 1px solid #3a4452; padding: 0 4px; }
QLineEdit:focus, QComboBox:focus { border-color: #00d2ff; }
QComboBox QAbstractItemView { background: #171b22; color: #dce2eb; selection-background-color: #00d2ff;
  selection-color: #0b0d11; }
QPushButton { background: #242832; color: #dce2eb; border: 1px solid #3a4452; border-radius: 2px; padding: 0 6px; }
QPushButton:hover { border-color: #00d2ff; }
QPushButton:pressed { background: #00d2ff; color: #0b0d11; }
QTabWidget::pane { border: 1px solid #3a4452; top: -1px; background: #12141a; }
QTabBar::tab { background: #242832; color: #dce2eb; border: 1px solid #3a4452; padding: 4px 16px; }
QTabBar::tab:selected { background: #12141a; color: #00d2ff; border-bottom-color: #12141a; }
QWidget#lbl_Content { color: #a8b3c2; }
*:disabled { color: #5c6470; }
)";

// Places on the page (1076 x 640).
constexpr int kCommandTop = 8;
constexpr int kCommandHeight = 28;
constexpr QRect kParameterArea(8, 44, 1060, 516);
constexpr QRect kLogoPlace(8, 568, 156, 64);
constexpr QRect kNotesCaptionPlace(176, 570, 56, 18);
constexpr QRect kContentPlace(236, 570, 760, 62);
constexpr QRect kResultPlace(1008, 572, 56, 56);
constexpr int kRow = 22;  // height of a list, an edit or a radio button
constexpr int kKeyButtonWidth = 110;
constexpr int kKeyButtonStep = 114;

QString FromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A radio pair: the group it stands in, its two buttons, their captions.
struct PairPlace {
  EngineerPair pair;
  const char* group;
  int title;
  const char* first;
  int firstTerm;
  const char* second;
  int secondTerm;
  QPoint at;
};
constexpr PairPlace kOperatorPairs[] = {
    {EngineerPair::kLedType, "gbLEDType", term::kLedType, "rb_NorLED", term::kNorLed, "rb_MCULED", term::kMcuLed, {352, 8}},
    {EngineerPair::kLedStatus, "gbLEDStatus", term::kLedStatus, "rb_LEDOn", term::kOn, "rb_LEDOff", term::kOff, {528, 8}},
    {EngineerPair::kMcpiSwitch, "gbMCPISwitch", term::kLedSwitch, "rb_MCPIOn", term::kOn, "rb_MCPIOff", term::kOff, {352, 60}},
    {EngineerPair::kLcpiSwitch, "gbLCPISwitch", term::kLedMode, "rb_LCPIOn", term::kOn, "rb_LCPIOff", term::kOff, {528, 60}},
    {EngineerPair::kKeyModeSaving, "gbSaveKeyMode", term::kSaveKeyMode, "rb_Save", term::kSaveChoice, "rb_NoSave",
     term::kNoSave, {352, 112}},
    {EngineerPair::kBrightness, "gbMCULEDLight", term::kMcuLightMode, "rb_MCULED3Control", term::kAllLight,
     "rb_MCULED6Control", term::kHalfLight, {528, 112}},
};
constexpr PairPlace kFirePair{EngineerPair::kFireFunction, "gbFireFunction", term::kFireFunction, "rb_FireFnOn",
                              term::kFnLeftKey, "rb_FireFnOff", term::kLeftKey, {704, 8}};
constexpr QSize kPairGroupSize(172, 46);

constexpr const char* kChannels = "RGB";
constexpr ColourChannel kChannelOf[] = {ColourChannel::kRed, ColourChannel::kGreen, ColourChannel::kBlue};

QString N(int n) { return QString::number(n); }

}  // namespace

EngineerPage::EngineerPage(QWidget* window, ControlRegistry& controls, EngineerPageServices services)
    : QObject(window), controls_(controls), services_(std::move(services)) {
  Build(window);
  Bind();
  ApplyEngineerMode(EngineerModeEffects{});
  Show();
}

QString EngineerPage::Term(int index) const { return FromView(EngineerTerm(index, services_.terms)); }

void EngineerPage::Build(QWidget* window) {
  page_ = new QWidget(window);
  page_->setObjectName(QStringLiteral("gbPage6"));
  page_->setGeometry(0, 0, kEngineerWidth, kEngineerHeight);
  page_->setAttribute(Qt::WA_StyledBackground);
  page_->setAutoFillBackground(true);
  QPalette palette = page_->palette();
  palette.setColor(QPalette::Window, QColor(18, 20, 26));
  palette.setColor(QPalette::WindowText, QColor(220, 226, 235));
  page_->setPalette(palette);
  QFont font = page_->font();
  font.setFamily(FromView(kEngineerPageFont));
  font.setPointSize(9);
  page_->setFont(font);
  page_->setStyleSheet(QLatin1String(kPageStyle));
  controls_.Add(page_);

  BuildCommandButtons();
  tabs_ = new QTabWidget(page_);
  tabs_->setObjectName(QStringLiteral("Pg_Parameter"));
  tabs_->setGeometry(kParameterArea);
  // Both tabs keep their whole captions.
  tabs_->setUsesScrollButtons(false);
  tabs_->setElideMode(Qt::ElideNone);
  controls_.Add(tabs_);
  auto* operatorTab = new QWidget;
  operatorTab->setObjectName(QStringLiteral("ts_Operator"));
  controls_.Add(operatorTab);
  auto* engineerTab = new QWidget;
  engineerTab->setObjectName(QStringLiteral("ts_Engineer"));
  controls_.Add(engineerTab);
  tabs_->addTab(operatorTab, Term(term::kOperation));
  tabs_->addTab(engineerTab, Term(term::kEngineer));
  BuildOperatorTab(operatorTab);
  BuildKeyGroups(operatorTab);
  BuildEngineerTab(engineerTab);
  BuildNotes();
}

void EngineerPage::BuildCommandButtons() {
  struct Command {
    const char* name;
    int term;
  };
  // The page buttons share the skinned pages' handlers; the Engineer one is
  // made hidden, as on the skinned pages.
  constexpr Command kCommands[] = {
      {"Btn_Main_6", term::kModeA},       {"Btn_Second_6", term::kModeB},  {"Btn_Adv_6", term::kAdvanced},
      {"Btn_Breath_6", term::kBreathingLight}, {"Btn_Macro_6", term::kMacro}, {"Btn_Engineer_6", term::kEngineerMode},
      {"Btn_Load_6", term::kLoad},        {"Btn_Save_6", term::kSave},     {"Btn_Default", term::kDefault},
      {"Btn_ImportBaseMacro", term::kImportBaseMacro}, {"btn_Write", term::kApply}, {"btn_TestKeys", term::kTestKeys},
  };
  const QFontMetrics metrics(page_->font());
  int left = 8;
  for (const Command& command : kCommands) {
    auto* button = new QPushButton(Term(command.term), page_);
    button->setObjectName(QLatin1String(command.name));
    button->setFocusPolicy(Qt::NoFocus);
    const int width = std::max(72, metrics.horizontalAdvance(button->text()) + 22);
    button->setGeometry(left, kCommandTop, width, kCommandHeight);
    controls_.Add(button);
    AddHint(button);
    if (QLatin1String(command.name) == QLatin1String("Btn_Engineer_6")) {
      button->hide();
      continue;
    }
    left += width + 4;
  }
}

void EngineerPage::BuildOperatorTab(QWidget* tab) {
  ControlMaker make(controls_, [this](int index) { return Term(index); });
  QStringList values;
  for (int v = 0; v < kDpiValueCount; ++v) values << QString::fromStdString(DpiValueCaption(v));
  QStringList colours;
  for (int c = 0; c < kPaletteSize; ++c) colours << Term(term::kFirstColour + c);

  // DPI levels and AIM.
  QGroupBox* cpi = make.Group(QStringLiteral("gbCPI"), tab, Term(term::kCpi), {8, 8, 336, 272});
  make.Term(cpi, term::kCpiSteps, {10, 20, 74, kRow});
  QStringList counts;
  for (int c = kMinDpiLevels; c <= kMaxDpiLevels; ++c) counts << N(c);
  make.List(QStringLiteral("cb_CPIStep"), cpi, {86, 20, 56, kRow}, counts);
  make.Term(cpi, term::kCurrentCpi, {160, 20, 84, kRow});
  make.List(QStringLiteral("cb_CurrentCPI"), cpi, {246, 20, 56, kRow}, {});
  for (int n = 1; n <= kMaxDpiLevels; ++n) {
    const int y = 22 + n * 27;
    make.Term(cpi, term::kFirstCpiLevel + n - 1, {10, y, 74, kRow}, "lbl_CPI" + N(n));
    make.List("cb_CPI" + N(n), cpi, {86, y, 76, kRow}, values);
    make.List("cb_CPI" + N(n) + "Color", cpi, {170, y, 96, kRow}, colours);
    for (int c = 0; c < 3; ++c) {
      make.Edit(QStringLiteral("edt_CPI%1%2").arg(n).arg(QLatin1Char(kChannels[c])), cpi, {170 + c * 46, y, 42, kRow}, 3);
    }
  }
  make.Term(cpi, term::kAimKey, {10, 238, 74, kRow});
  make.List(QStringLiteral("cb_AIMKeyValue"), cpi, {86, 238, 76, kRow}, values);

  // Fire.
  QGroupBox* fire = make.Group(QStringLiteral("gbFire"), tab, Term(term::kFireMode), {8, 288, 336, 52});
  make.Term(fire, term::kFireCount, {10, 20, 74, kRow});
  QStringList fireCounts;
  for (int c = kMinFireRepeatCount; c <= kMaxFireRepeatCount; ++c) fireCounts << N(c);
  make.List(QStringLiteral("cb_FireCount"), fire, {86, 20, 56, kRow}, fireCounts);
  make.Term(fire, term::kFireTime, {160, 20, 70, kRow});
  make.Edit(QStringLiteral("edt_FireTime"), fire, {232, 20, 44, kRow}, 3);
  make.Caption(fire, QStringLiteral("(*8ms)"), {280, 20, 50, kRow});

  // The radio pairs.
  for (const PairPlace& pair : kOperatorPairs) {
    QGroupBox* group = make.Group(QLatin1String(pair.group), tab, Term(pair.title), {pair.at, kPairGroupSize});
    make.Radio(QLatin1String(pair.first), group, pair.firstTerm, {8, 20, 80, 20});
    make.Radio(QLatin1String(pair.second), group, pair.secondTerm, {90, 20, 80, 20});
  }

  // MCU LED settings, or in their place the normal LED's.
  QGroupBox* mcu = make.Group(QStringLiteral("gbMCULEDSetting"), tab, Term(term::kMcuLedSetting), {352, 164, 344, 112});
  make.Term(mcu, term::kLedNumber, {10, 20, 96, kRow});
  make.Edit(QStringLiteral("edt_MCULEDNum"), mcu, {108, 20, 44, kRow}, 2);
  make.Term(mcu, term::kCurrentMode, {10, 48, 96, kRow});
  make.List(QStringLiteral("cb_MCULEDCurrentMode"), mcu, {108, 48, 110, kRow}, {});
  make.Term(mcu, term::kLedStep, {10, 76, 96, kRow});
  make.Edit(QStringLiteral("edt_MCULEDCrtStep"), mcu, {108, 76, 44, kRow}, 1);
  QGroupBox* breath = make.Group(QStringLiteral("gbNorLEDBreath"), tab, Term(term::kNorLedBreath), {352, 164, 344, 52});
  make.Term(breath, term::kBreathStep, {10, 20, 96, kRow});
  make.Edit(QStringLiteral("edt_NorLEDStep"), breath, {108, 20, 44, kRow}, 3);
  make.Caption(breath, QStringLiteral("(*1ms)"), {156, 20, 60, kRow});
  QGroupBox* norMode = make.Group(QStringLiteral("gbNorLEDMode"), tab, Term(term::kNorLedMode), {352, 224, 344, 52});
  make.Radio(QStringLiteral("rb_NorLEDCPI"), norMode, term::kCpiBreath, {10, 20, 160, 20});

  // Key-mode colours.
  QGroupBox* colour = make.Group(QStringLiteral("gbKeyModeColor"), tab, Term(term::kKeyModeColour), {704, 8, 344, 80});
  for (int m = 1; m <= 2; ++m) {
    for (int c = 0; c < 3; ++c) {
      const int x = 10 + c * 110;
      const int y = 20 + (m - 1) * 28;
      make.Term(colour, term::kFirstModeColour + (m - 1) * 3 + c, {x, y, 62, kRow},
                QStringLiteral("lbl_KeyMode%1%2").arg(m).arg(QLatin1Char(kChannels[c])));
      make.Edit(QStringLiteral("edt_KeyMode%1%2").arg(m).arg(QLatin1Char(kChannels[c])), colour, {x + 62, y, 40, kRow}, 3);
    }
  }

  // Long presses that switch the key mode.
  QGroupBox* press = make.Group(QStringLiteral("gbSwitchKeyMode"), tab, Term(term::kSwitchKeyMode), {704, 96, 344, 74});
  make.Check(QStringLiteral("cb_MidPress"), press, term::kPressMiddle, {10, 20, 160, 20});
  make.Check(QStringLiteral("cb_CPIPress"), press, term::kPressCpi, {176, 20, 160, 20});
  make.Check(QStringLiteral("cb_GunPress"), press, term::kPressGun, {10, 46, 160, 20});

  // Orientation, key mode, identity codes.
  QGroupBox* options = make.Group(QStringLiteral("gbOptions"), tab, {}, {704, 178, 344, 162});
  make.Term(options, term::kSensorOri, {10, 16, 96, kRow}, QStringLiteral("lbl_SensorOri"));
  QStringList orientations;
  for (std::size_t i = 0; i < kSensorOrientations.size(); ++i) orientations << Term(term::kFirstOrientation + static_cast<int>(i));
  make.List(QStringLiteral("cb_SensorOri"), options, {108, 16, 190, kRow}, orientations);
  make.Term(options, term::kKeyMode, {10, 50, 96, kRow});
  make.List(QStringLiteral("cb_KeyMode"), options, {108, 50, 110, kRow}, {Term(term::kKeyModeA), Term(term::kKeyModeB)});
  make.Term(options, term::kVendorId, {10, 84, 96, kRow});
  make.Edit(QStringLiteral("edt_VendorID"), options, {108, 84, 56, kRow}, static_cast<int>(kIdentityEditLength));
  make.Term(options, term::kProductId, {10, 118, 96, kRow});
  make.Edit(QStringLiteral("edt_ProductID"), options, {108, 118, 56, kRow}, static_cast<int>(kIdentityEditLength));

  for (QWidget* control : tab->findChildren<QWidget*>()) {
    if (!control->objectName().isEmpty()) AddHint(control);
  }
}

void EngineerPage::BuildKeyGroups(QWidget* tab) {
  ControlMaker make(controls_, [this](int index) { return Term(index); });
  for (int profile = 1; profile <= 2; ++profile) {
    QGroupBox* group = make.Group(QStringLiteral("gbKeyMode%1").arg(QLatin1Char(profile == 1 ? 'A' : 'B')), tab,
                                  Term(profile == 1 ? term::kKeyModeA : term::kKeyModeB),
                                  {8, 348 + (profile - 1) * 66, 1040, 60});
    for (int n = 1; n <= static_cast<int>(kButtonCount); ++n) {
      const int number = profile * 100 + n;
      auto* button = make.Named<QPushButton>(QStringLiteral("btn_Key%1").arg(number), group,
                                             {10 + (n - 1) * kKeyButtonStep, 22, kKeyButtonWidth, 28});
      button->setFocusPolicy(Qt::NoFocus);
      AddHint(button);
      connect(button, &QPushButton::clicked, this, [this, number] { emit keyButtonClicked(number); });
    }
  }
}

void EngineerPage::BuildEngineerTab(QWidget* tab) {
  ControlMaker make(controls_, [this](int index) { return Term(index); });
  QGroupBox* read = make.Group(QStringLiteral("gbIdentityRead"), tab, {}, {8, 8, 336, 84});
  make.Term(read, term::kVendorId, {10, 18, 96, kRow});
  make.Named<QLineEdit>(QStringLiteral("edt_VendorID_Rd"), read, {108, 18, 56, kRow})->setReadOnly(true);
  make.Term(read, term::kProductId, {10, 50, 96, kRow});
  make.Named<QLineEdit>(QStringLiteral("edt_ProductID_Rd"), read, {108, 50, 56, kRow})->setReadOnly(true);

  QGroupBox* modes = make.Group(QStringLiteral("gbMCULEDModeSelect"), tab, Term(term::kModeSelect), {352, 8, 344, 84});
  for (int k = 1; k <= kMcuLedModeCount; ++k) {
    const int column = (k - 1) % 4;
    const int row = (k - 1) / 4;
    make.Check("cb_Mode" + N(k), modes, term::kFirstMode + k - 1, {10 + column * 82, 22 + row * 28, 80, 20});
  }
  QGroupBox* fire = make.Group(QLatin1String(kFirePair.group), tab, Term(kFirePair.title), {kFirePair.at, QSize(344, 52)});
  make.Radio(QLatin1String(kFirePair.first), fire, kFirePair.firstTerm, {10, 22, 140, 20});
  make.Radio(QLatin1String(kFirePair.second), fire, kFirePair.secondTerm, {160, 22, 140, 20});
  for (QWidget* control : tab->findChildren<QWidget*>()) {
    if (!control->objectName().isEmpty()) AddHint(control);
  }
}

void EngineerPage::BuildNotes() {
  auto* logo = new LogoLabel(QStringLiteral("Img_Logo4"), page_, [this] { emit logoDoubleClicked(); });
  logo->setGeometry(kLogoPlace);
  controls_.Add(logo);
  auto* notes = new QLabel(Term(term::kNotes), page_);
  notes->setGeometry(kNotesCaptionPlace);
  auto* content = new QLabel(page_);
  content->setObjectName(QStringLiteral("lbl_Content"));
  content->setGeometry(kContentPlace);
  content->setWordWrap(true);
  content->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  controls_.Add(content);
  auto* result = new ResultMark(QStringLiteral("Img_Result"), page_);
  result->setGeometry(kResultPlace);
  result->hide();
  controls_.Add(result);
}

void EngineerPage::AddHint(QWidget* control) {
  const std::string name = control->objectName().toStdString();
  const std::string_view hint = EngineerHint(name, services_.terms);
  if (hint.empty()) return;
  hints_.insert(control, FromView(hint));
  control->installEventFilter(this);
}

bool EngineerPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
    if (const auto it = hints_.constFind(watched); it != hints_.constEnd()) {
      controls_.SetCaption(QStringLiteral("lbl_Content"), event->type() == QEvent::Enter ? *it : QString());
    }
  }
  return QObject::eventFilter(watched, event);
}

void EngineerPage::Bind() {
  MouseSettings& settings = *services_.settings;
  const auto onList = [this](const QString& name, std::function<void(int)> handler) {
    if (auto* list = Find<QComboBox>(name)) {
      connect(list, &QComboBox::currentIndexChanged, this, [this, handler = std::move(handler)](int index) {
        if (showing_ || index < 0) return;
        handler(index);
        Edited();
      });
    }
  };
  // An edit's text goes through its rule; the edit shows what the rule left.
  const auto onEdit = [this](const QString& name, std::function<std::string(const std::string&)> rule) {
    auto* edit = Find<QLineEdit>(name);
    if (!edit) return;
    connect(edit, &QLineEdit::textChanged, this, [this, edit, rule = std::move(rule)](const QString& text) {
      if (showing_) return;
      const QString shown = QString::fromStdString(rule(text.toStdString()));
      if (shown != edit->text()) {
        showing_ = true;
        edit->setText(shown);
        showing_ = false;
      }
      Edited();
    });
  };
  const auto onToggle = [this](const QString& name, std::function<void(bool)> handler) {
    if (auto* button = Find<QAbstractButton>(name)) {
      connect(button, &QAbstractButton::toggled, this, [this, handler = std::move(handler)](bool on) {
        if (showing_) return;
        handler(on);
        Edited();
      });
    }
  };

  onList(QStringLiteral("cb_CPIStep"), [this, &settings](int i) { (void)model_.SelectLevelCount(settings, i); });
  onList(QStringLiteral("cb_CurrentCPI"), [this, &settings](int i) { (void)model_.SelectCurrentLevel(settings, i); });
  for (int n = 1; n <= kMaxDpiLevels; ++n) {
    onList("cb_CPI" + N(n), [this, &settings, n](int i) { (void)model_.SelectLevelValue(settings, n, i); });
    onList("cb_CPI" + N(n) + "Color", [this, &settings, n](int i) { (void)model_.SelectLevelPalette(settings, n, i); });
    for (int c = 0; c < 3; ++c) {
      const ColourChannel channel = kChannelOf[c];
      onEdit(QStringLiteral("edt_CPI%1%2").arg(n).arg(QLatin1Char(kChannels[c])),
             [this, &settings, n, channel](const std::string& text) {
               return model_.EditLevelColour(settings, n, channel, text);
             });
    }
  }
  onList(QStringLiteral("cb_AIMKeyValue"), [this, &settings](int i) {
    const AimChange change = model_.SelectAimValue(settings, i);
    if (change.no_aim_button && services_.showMessage) services_.showMessage(FromView(change.message));
  });
  onList(QStringLiteral("cb_FireCount"), [this, &settings](int i) { model_.SelectFireCount(settings, i); });
  onEdit(QStringLiteral("edt_FireTime"), [this, &settings](const std::string& t) { return model_.EditFireTime(settings, t); });

  for (const PairPlace& pair : kOperatorPairs) {
    const EngineerPair which = pair.pair;
    onToggle(QLatin1String(pair.first), [this, &settings, which](bool on) {
      if (on) model_.Choose(settings, which, true);
    });
    onToggle(QLatin1String(pair.second), [this, &settings, which](bool on) {
      if (on) model_.Choose(settings, which, false);
    });
  }
  onToggle(QLatin1String(kFirePair.first), [this, &settings](bool on) {
    if (on) model_.Choose(settings, EngineerPair::kFireFunction, true);
  });
  onToggle(QLatin1String(kFirePair.second), [this, &settings](bool on) {
    if (on) model_.Choose(settings, EngineerPair::kFireFunction, false);
  });
  for (int k = 1; k <= kMcuLedModeCount; ++k) {
    onToggle("cb_Mode" + N(k), [this, &settings, k](bool on) { model_.SetModeOffered(settings, k, on); });
  }
  onList(QStringLiteral("cb_MCULEDCurrentMode"), [this, &settings](int i) { (void)model_.SelectCurrentMode(settings, i); });
  onEdit(QStringLiteral("edt_MCULEDNum"), [this, &settings](const std::string& t) { return model_.EditLedCount(settings, t); });
  if (auto* count = Find<QLineEdit>(QStringLiteral("edt_MCULEDNum"))) {
    connect(count, &QLineEdit::editingFinished, this, [this, &settings, count] {
      const QString shown = QString::fromStdString(model_.LeaveLedCount(settings, count->text().toStdString()));
      showing_ = true;
      if (shown != count->text()) count->setText(shown);
      showing_ = false;
      Edited();
    });
  }
  onEdit(QStringLiteral("edt_MCULEDCrtStep"), [this, &settings](const std::string& t) { return model_.EditMcuStep(settings, t); });
  onEdit(QStringLiteral("edt_NorLEDStep"), [this, &settings](const std::string& t) { return model_.EditBreathStep(settings, t); });
  onToggle(QStringLiteral("rb_NorLEDCPI"), [this, &settings](bool on) {
    if (on) model_.ChooseCpiBreath(settings);
  });
  for (int m = 1; m <= 2; ++m) {
    for (int c = 0; c < 3; ++c) {
      const ColourChannel channel = kChannelOf[c];
      onEdit(QStringLiteral("edt_KeyMode%1%2").arg(m).arg(QLatin1Char(kChannels[c])),
             [this, &settings, m, channel](const std::string& text) {
               return model_.EditKeyModeColour(settings, m, channel, text);
             });
    }
  }
  onList(QStringLiteral("cb_KeyMode"), [this, &settings](int i) { (void)model_.SelectKeyMode(settings, i); });
  onList(QStringLiteral("cb_SensorOri"), [this, &settings](int i) { (void)model_.SelectSensorOrientation(settings, i); });
  const std::pair<const char*, LongPressKey> presses[] = {
      {"cb_MidPress", LongPressKey::kMiddle}, {"cb_CPIPress", LongPressKey::kCpi}, {"cb_GunPress", LongPressKey::kGun}};
  for (const auto& [name, key] : presses) {
    const LongPressKey which = key;
    onToggle(QLatin1String(name), [this, &settings, which](bool on) { model_.SetLongPress(settings, which, on); });
  }
  onEdit(QStringLiteral("edt_VendorID"), [this, &settings](const std::string& t) {
    return model_.EditIdentity(settings, IdentityCode::kVendor, t);
  });
  onEdit(QStringLiteral("edt_ProductID"), [this, &settings](const std::string& t) {
    return model_.EditIdentity(settings, IdentityCode::kProduct, t);
  });
}

void EngineerPage::Refresh() {
  model_.Refresh(*services_.settings);
  Show();
}

void EngineerPage::Edited() {
  Show();
  if (services_.edited) services_.edited();
}

void EngineerPage::Show() {
  showing_ = true;
  const EngineerControls& c = model_.controls();
  const LedTypeLayout layout = model_.layout();
  const auto list = [this](const QString& name, int index) {
    if (auto* box = Find<QComboBox>(name)) box->setCurrentIndex(index < box->count() ? index : -1);
  };
  const auto text = [this](const QString& name, const std::string& value) {
    const QString shown = QString::fromStdString(value);
    if (auto* edit = Find<QLineEdit>(name); edit && edit->text() != shown) edit->setText(shown);
  };
  const auto check = [this](const QString& name, bool on) {
    if (auto* button = Find<QAbstractButton>(name)) button->setChecked(on);
  };
  const auto pair = [&check](const char* first, const char* second, Checked checked) {
    if (checked == Checked::Neither) return;
    check(QLatin1String(first), checked == Checked::First);
    check(QLatin1String(second), checked == Checked::Second);
  };
  const auto shown = [this](const QString& name, bool visible) { controls_.SetShown(name, visible); };

  list(QStringLiteral("cb_CPIStep"), c.level_count_index);
  if (auto* current = Find<QComboBox>(QStringLiteral("cb_CurrentCPI")); current && current->count() != c.current_level_items) {
    current->clear();
    for (int n = 1; n <= c.current_level_items; ++n) current->addItem(N(n));
  }
  list(QStringLiteral("cb_CurrentCPI"), c.current_level_index);
  for (int n = 1; n <= kMaxDpiLevels; ++n) {
    const auto& level = c.levels[static_cast<std::size_t>(n - 1)];
    list("cb_CPI" + N(n), level.value_index);
    list("cb_CPI" + N(n) + "Color", level.palette_index);
    const std::string* rgb[] = {&level.colour.r, &level.colour.g, &level.colour.b};
    for (int ch = 0; ch < 3; ++ch) {
      const QString edit = QStringLiteral("edt_CPI%1%2").arg(n).arg(QLatin1Char(kChannels[ch]));
      text(edit, *rgb[ch]);
      shown(edit, level.shown && layout.level_rgb);
    }
    shown("lbl_CPI" + N(n), level.shown);
    shown("cb_CPI" + N(n), level.shown);
    shown("cb_CPI" + N(n) + "Color", level.shown && layout.level_palette);
  }
  list(QStringLiteral("cb_AIMKeyValue"), c.aim_value_index);
  list(QStringLiteral("cb_FireCount"), c.fire_count_index);
  text(QStringLiteral("edt_FireTime"), c.fire_time);

  pair("rb_NorLED", "rb_MCULED", c.led_type);
  pair("rb_LEDOn", "rb_LEDOff", c.led_status);
  pair("rb_MCPIOn", "rb_MCPIOff", c.mcpi_switch);
  pair("rb_LCPIOn", "rb_LCPIOff", c.lcpi_switch);
  pair("rb_Save", "rb_NoSave", c.key_mode_saving);
  pair("rb_MCULED3Control", "rb_MCULED6Control", c.brightness);
  pair(kFirePair.first, kFirePair.second, c.fire_function);
  for (int k = 1; k <= kMcuLedModeCount; ++k) check("cb_Mode" + N(k), c.modes_offered[static_cast<std::size_t>(k - 1)]);
  if (auto* modes = Find<QComboBox>(QStringLiteral("cb_MCULEDCurrentMode"))) {
    modes->clear();
    for (int k = 1; k <= kMcuLedModeCount; ++k) {
      const std::string& item = c.current_mode_items[static_cast<std::size_t>(k - 1)];
      // The offered modes by their names in the page's terms.
      modes->addItem(item.empty() || item == kModeNotOffered ? FromView(kModeNotOffered) : Term(term::kFirstMode + k - 1));
    }
    modes->setCurrentIndex(c.current_mode_index);
  }
  text(QStringLiteral("edt_MCULEDNum"), c.led_count);
  text(QStringLiteral("edt_MCULEDCrtStep"), c.mcu_step);
  text(QStringLiteral("edt_NorLEDStep"), c.breath_step);
  check(QStringLiteral("rb_NorLEDCPI"), c.normal_led_cpi_breath);
  const ColourEdits* keyModes[] = {&c.key_mode1_colour, &c.key_mode2_colour};
  for (int m = 1; m <= 2; ++m) {
    const std::string* rgb[] = {&keyModes[m - 1]->r, &keyModes[m - 1]->g, &keyModes[m - 1]->b};
    for (int ch = 0; ch < 3; ++ch) text(QStringLiteral("edt_KeyMode%1%2").arg(m).arg(QLatin1Char(kChannels[ch])), *rgb[ch]);
  }
  shown(QStringLiteral("gbMCULEDSetting"), layout.current_mode_and_step);
  shown(QStringLiteral("gbMCULEDLight"), layout.brightness);
  shown(QStringLiteral("gbNorLEDBreath"), layout.breath_rate);
  shown(QStringLiteral("gbNorLEDMode"), layout.breath_rate);
  for (int ch = 0; ch < 3; ++ch) {
    for (const char* stem : {"edt_KeyMode1", "lbl_KeyMode1"}) {
      shown(QLatin1String(stem) + QLatin1Char(kChannels[ch]), layout.key_mode1_colour);
    }
  }

  list(QStringLiteral("cb_KeyMode"), c.key_mode_index);
  if (auto* keyMode = Find<QComboBox>(QStringLiteral("cb_KeyMode"))) keyMode->setEnabled(c.key_mode_enabled);
  list(QStringLiteral("cb_SensorOri"), c.sensor_orientation_index);
  check(QStringLiteral("cb_MidPress"), c.middle_long_press);
  check(QStringLiteral("cb_CPIPress"), c.cpi_long_press);
  check(QStringLiteral("cb_GunPress"), model_.gunLongPress());
  text(QStringLiteral("edt_VendorID"), c.vendor_code);
  text(QStringLiteral("edt_ProductID"), c.product_code);
  showing_ = false;
}

void EngineerPage::ShowReadIdentity(const std::optional<IdentityCodes>& codes) {
  const auto show = [this](const char* name, std::optional<int> value) {
    if (auto* edit = Find<QLineEdit>(QLatin1String(name))) edit->setText(value ? N(*value) : QString());
  };
  show("edt_VendorID_Rd", codes ? std::optional<int>(codes->manufacturer) : std::nullopt);
  show("edt_ProductID_Rd", codes ? std::optional<int>(codes->product) : std::nullopt);
}

void EngineerPage::ApplyEngineerMode(const EngineerModeEffects& effects) {
  // The tab is taken out of the page control and put back, and the bar
  // takes the width of its tabs at once: a page control that is not shown
  // yet (pictures of the window) lays its bar out only when it is.
  QWidget* engineerTab = Find<QWidget>(QStringLiteral("ts_Engineer"));
  const int index = tabs_->indexOf(engineerTab);
  if (effects.engineer_tab_shown && index < 0) {
    tabs_->addTab(engineerTab, Term(term::kEngineer));
  } else if (!effects.engineer_tab_shown && index >= 0) {
    tabs_->removeTab(index);
  }
  tabs_->tabBar()->resize(tabs_->tabBar()->sizeHint());
  controls_.SetShown(QStringLiteral("Btn_Default"), effects.default_button_shown);
  for (const char* name : {"gbLEDType", "rb_NorLED", "rb_MCULED"}) {
    if (auto* control = controls_.Find(QLatin1String(name))) control->setEnabled(effects.led_type_enabled);
  }
  for (const char* name : {"lbl_SensorOri", "cb_SensorOri"}) {
    if (auto* control = controls_.Find(QLatin1String(name))) control->setEnabled(effects.sensor_orientation_enabled);
  }
}

QPushButton* EngineerPage::KeyButton(int number) const {
  return Find<QPushButton>(QStringLiteral("btn_Key%1").arg(number));
}

void EngineerPage::SetKeyCaption(int number, const QString& caption) {
  if (auto* button = KeyButton(number)) button->setText(caption);
}

ProfileCaptions EngineerPage::Captions(int profile) const {
  ProfileCaptions captions;
  for (int n = 1; n <= static_cast<int>(kButtonCount); ++n) {
    if (const auto* button = KeyButton(profile * 100 + n)) {
      captions[static_cast<std::size_t>(n - 1)] = button->text().toStdString();
    }
  }
  return captions;
}

EngineerButtonPlace EngineerPage::PlaceOf(int number) const {
  EngineerButtonPlace place;
  const QPushButton* button = KeyButton(number);
  if (!button) return place;
  const QWidget* group = button->parentWidget();
  const QWidget* window = page_->parentWidget();
  // Left in the window's coordinates (where the menu stands), top within the
  // group, the group's top within its tab, and the page control's own top
  // and width: the menu's foot then reaches a little into the button.
  const QPoint left = button->mapTo(window, QPoint(0, 0));
  place.button = {left.x(), button->y(), button->width(), button->height()};
  place.group_top = group->y();
  place.parameter_area_top = tabs_->mapTo(window, QPoint(0, 0)).y();
  place.parameter_area_width = tabs_->width();
  return place;
}

}  // namespace zelko
