#include "shell/advanced_page.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "pages/pointer_report_text.h"
#include "resources/language_pack.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

constexpr int kLevels = kMaxDpiLevels;
// The fire edits' size over the boxes the panel draws.
constexpr QSize kFireEditSize(64, 22);
// The option labels reach over the caption the panel draws beside the marker.
constexpr QSize kOptionLabelSize(120, 16);
constexpr QSize kCaptionSize(56, 16);
// What the desktop did with the pointer settings, beside the pointer
// heading (no pack places it).
constexpr QRect kPointerOutcomePlace(380, 398, 480, 14);

QString N(int n) { return QString::number(n); }

QLabel* MakeCaption(const QString& name, QWidget* parent, ControlRegistry& registry) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->resize(kCaptionSize);
  registry.Add(label);
  return label;
}

QString CheckImage(bool on) { return on ? QStringLiteral("CbS_E") : QStringLiteral("CbS_D"); }

QColor ToQColor(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

void Fill(QWidget* swatch, const QColor& colour) {
  if (!swatch) return;
  QPalette palette = swatch->palette();
  palette.setColor(QPalette::Window, colour);
  swatch->setPalette(palette);
}

}  // namespace

AdvancedPage::AdvancedPage(QWidget* page, ControlRegistry& controls, AdvancedPageServices services)
    : QObject(page), controls_(controls), services_(std::move(services)) {
  pick_colour_ = [page](const QColor& initial) -> std::optional<QColor> {
    const QColor chosen = QColorDialog::getColor(initial, page->window());
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  };
  Build(page);
  BuildPointer(page);
  Bind();
}

void AdvancedPage::Build(QWidget* page) {
  for (int n = 1; n <= kLevels; ++n) {
    MakeControl<SkinImage>("Img_DPI" + N(n), page, controls_)->ShowImage(QStringLiteral("CbS_D"));
    auto* name = MakeControl<HoverLabel>("lbl_DPI" + N(n), page, controls_);
    name->setText("DPI" + N(n));
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    name->resize(kCaptionSize);
    for (int k = 1; k <= kDpiBarNotches; ++k) {
      MakeControl<SkinImage>(QStringLiteral("Img_DPI%1_%2").arg(n).arg(k), page, controls_)->ShowImage(QStringLiteral("Bar2_D"));
    }
    MakeCaption("lbl_DPI" + N(n) + "Value", page, controls_);
    auto* fill = new QLabel(page);
    fill->setObjectName("cs_DPI" + N(n) + "Col");
    fill->setAutoFillBackground(true);
    controls_.Add(fill);
    MakeControl<SkinImage>("Img_DPI" + N(n) + "Col", page, controls_)->ShowImage(QStringLiteral("Col_F"));
    MakeControl<HoverLabel>("lbl_DPI" + N(n) + "Col", page, controls_);
  }
  auto* count = new QComboBox(page);
  count->setObjectName(QStringLiteral("cbb_DPICount"));
  for (int c = kMinDpiLevels; c <= kMaxDpiLevels; ++c) count->addItem(N(c));
  count->hide();
  controls_.Add(count);

  MakeCaption(QStringLiteral("lbl_AIMKey"), page, controls_);
  for (int k = 1; k <= kDpiBarNotches; ++k) {
    MakeControl<SkinImage>("Img_AIMKey_" + N(k), page, controls_)->ShowImage(QStringLiteral("Bar2_D"));
  }
  MakeCaption(QStringLiteral("lbl_AIMKeyValue"), page, controls_);

  // Digits only, as typed; the page rules clamp the rest.
  for (const char* name : {"Edt_Repeat1", "Edt_DelayTime1"}) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QLatin1String(name));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->resize(kFireEditSize);
    controls_.Add(edit);
  }
}

void AdvancedPage::BuildPointer(QWidget* page) {
  for (const char* bar : {"Spd", "DbSpd", "ScrSpd"}) {
    for (int k = 1; k <= kPointerBarNotches; ++k) {
      MakeControl<SkinImage>(QStringLiteral("Img_%1%2").arg(QLatin1String(bar)).arg(k), page, controls_)
          ->ShowImage(QStringLiteral("Bar1_D"));
      MakeCaption(QStringLiteral("lbl_%1%2").arg(QLatin1String(bar)).arg(k), page, controls_)->setText(N(k));
    }
  }
  auto* outcome = MakeCaption(QStringLiteral("lbl_PointerOutcome"), page, controls_);
  outcome->setGeometry(kPointerOutcomePlace);
  for (const char* option : {"IsControl", "IsScreen"}) {
    MakeControl<SkinImage>(QStringLiteral("Img_%1").arg(QLatin1String(option)), page, controls_)->ShowImage(QStringLiteral("CbS_D"));
    auto* label = MakeControl<HoverLabel>(QStringLiteral("lbl_%1").arg(QLatin1String(option)), page, controls_);
    label->resize(kOptionLabelSize);
  }
}

void AdvancedPage::Bind() {
  MouseSettings& settings = *services_.settings;
  const auto onPress = [this](const QString& name, std::function<void()> handler) {
    if (auto* image = controls_.Image(name)) {
      connect(image, &SkinImage::pressed, this, [image, handler = std::move(handler)] {
        if (image->isEnabled()) handler();
      });
    }
  };
  const auto onClick = [this](const QString& name, std::function<void()> handler) {
    if (auto* label = controls_.Label(name)) connect(label, &HoverLabel::clicked, this, std::move(handler));
  };
  for (int n = 1; n <= kLevels; ++n) {
    onPress("Img_DPI" + N(n), [this, &settings, n] {
      model_.ClickMarker(settings, n);
      ShowLevels();
    });
    onClick("lbl_DPI" + N(n), [this, &settings, n] {
      model_.ClickLevelName(settings, n);
      ShowLevels();
    });
    for (int k = 1; k <= kDpiBarNotches; ++k) {
      onPress(QStringLiteral("Img_DPI%1_%2").arg(n).arg(k), [this, &settings, n, k] {
        model_.ClickValueNotch(settings, n, k);
        ShowLevels();
      });
    }
    onClick("lbl_DPI" + N(n) + "Col", [this, n] { SwatchClicked(n); });
  }
  if (auto* count = qobject_cast<QComboBox*>(controls_.Find(QStringLiteral("cbb_DPICount")))) {
    connect(count, &QComboBox::currentIndexChanged, this, [this, &settings](int index) {
      if (refreshing_ || index < 0) return;
      model_.ChangeCount(settings, index + kMinDpiLevels);
      ShowLevels();
    });
  }
  for (int k = 1; k <= kDpiBarNotches; ++k) {
    onPress("Img_AIMKey_" + N(k), [this, &settings, k] {
      const AimChange change = model_.ClickAimNotch(settings, k);
      ShowAim();
      if (change.no_aim_button && services_.showMessage) {
        services_.showMessage(QString::fromUtf8(change.message.data(), static_cast<qsizetype>(change.message.size())));
      }
    });
  }
  auto* repeat = qobject_cast<QLineEdit*>(controls_.Find(QStringLiteral("Edt_Repeat1")));
  auto* delay = qobject_cast<QLineEdit*>(controls_.Find(QStringLiteral("Edt_DelayTime1")));
  const auto show = [](QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown) edit->setText(shown);
  };
  connect(repeat, &QLineEdit::textEdited, this, [this, &settings, repeat, show](const QString& text) {
    model_.EditRepeat(settings, text.toStdString());
    show(repeat, model_.page().repeat_text);
  });
  connect(repeat, &QLineEdit::editingFinished, this, [this, &settings, repeat, show] {
    model_.LeaveRepeat(settings);
    show(repeat, model_.page().repeat_text);
  });
  connect(delay, &QLineEdit::textEdited, this, [this, &settings, delay, show](const QString& text) {
    model_.EditDelay(settings, text.toStdString());
    show(delay, model_.page().delay_text);
  });

  PointerParameters& pointer = *services_.pointer;
  for (int k = 1; k <= kPointerBarNotches; ++k) {
    onPress("Img_Spd" + N(k), [this, &pointer, k] {
      SetSpeedLevel(pointer, k);
      PointerChanged();
    });
    onPress("Img_DbSpd" + N(k), [this, &pointer, k] {
      SetDoubleClickLevel(pointer, k);
      PointerChanged();
    });
    onPress("Img_ScrSpd" + N(k), [this, &pointer, k] {
      SetScrollLevel(pointer, k);
      PointerChanged();
    });
  }
  onClick(QStringLiteral("lbl_IsControl"), [this, &pointer] {
    SetPrecision(pointer, !pointer.precision_on());
    PointerChanged();
  });
  onClick(QStringLiteral("lbl_IsScreen"), [this, &pointer] {
    SetOneScreen(pointer, !pointer.one_screen());
    PointerChanged();
  });
}

void AdvancedPage::ApplyLayout(const LayoutSettings& layout, int barStyle, const QString& aimLabel) {
  bar_style_ = BarStyleFromLayout(barStyle);
  DpiPageLayout pageLayout;
  pageLayout.bar_style = bar_style_;
  pageLayout.count_combo_visible = layout.dpiCountVisible == 1;
  model_.SetLayout(pageLayout);
  const auto colour = [&layout](const char* key, QColor fallback) {
    const auto it = layout.colours.find(key);
    return it == layout.colours.end() ? fallback : it->second;
  };
  selected_ = colour("Color_D_Selected", QColor(0, 210, 255));
  not_selected_ = colour("Color_D_notSelected", QColor(125, 136, 150));
  controls_.SetCaption(QStringLiteral("lbl_AIMKey"), aimLabel);
  controls_.SetFontColour(QStringLiteral("lbl_AIMKey"), selected_);
  QStringList dim{QStringLiteral("lbl_AIMKeyValue")};
  for (int n = 1; n <= kLevels; ++n) dim << "lbl_DPI" + N(n) + "Value";
  for (const char* bar : {"Spd", "DbSpd", "ScrSpd"}) {
    for (int k = 1; k <= kPointerBarNotches; ++k) dim << QStringLiteral("lbl_%1%2").arg(QLatin1String(bar)).arg(k);
  }
  dim << QStringLiteral("lbl_PointerOutcome");
  for (const QString& label : dim) controls_.SetFontColour(label, not_selected_);
  for (const char* edit : {"Edt_Repeat1", "Edt_DelayTime1"}) {
    if (auto* widget = controls_.Find(QLatin1String(edit))) {
      const QColor back = colour("Color_D_Back", QColor(11, 13, 17));
      const QColor border = colour("Color_D_Border", QColor(58, 68, 82));
      widget->setStyleSheet(QStringLiteral("QLineEdit { background: %1; border: 1px solid %2; color: %3; padding-left: 4px; }")
                                .arg(back.name(), border.name(), not_selected_.name()));
    }
  }
  ShowLevels();
  ShowAim();
  ShowPointer();
  ShowPointerOutcome();  // in the language just applied
}

void AdvancedPage::Refresh() {
  model_.Refresh(*services_.settings);
  ShowLevels();
  ShowAim();
  const DpiPageState& page = model_.page();
  if (auto* repeat = qobject_cast<QLineEdit*>(controls_.Find(QStringLiteral("Edt_Repeat1")))) {
    repeat->setText(QString::fromStdString(page.repeat_text));
  }
  if (auto* delay = qobject_cast<QLineEdit*>(controls_.Find(QStringLiteral("Edt_DelayTime1")))) {
    delay->setText(QString::fromStdString(page.delay_text));
  }
}

void AdvancedPage::ShowBar(const QString& stem, const std::vector<bool>& lit, const char* on, const char* off) {
  for (std::size_t k = 0; k < lit.size(); ++k) {
    controls_.ShowImages({{stem + N(static_cast<int>(k) + 1), QLatin1String(lit[k] ? on : off)}});
  }
}

void AdvancedPage::ShowLevels() {
  const DpiPageState& page = model_.page();
  const bool countList = model_.layout().count_combo_visible;
  for (int n = 1; n <= kLevels; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    const bool active = page.level_active[i];
    const QString level = N(n);
    if (!countList) controls_.SetFontColour("lbl_DPI" + level, active ? selected_ : not_selected_);
    for (int k = 1; k <= kDpiBarNotches; ++k) {
      if (auto* notch = controls_.Find(QStringLiteral("Img_DPI%1_%2").arg(n).arg(k))) notch->setEnabled(active);
    }
    if (auto* marker = controls_.Find("Img_DPI" + level)) {
      marker->setEnabled(active);
      if (countList) marker->setVisible(active);
    }
    if (auto* swatch = controls_.Find("lbl_DPI" + level + "Col")) swatch->setEnabled(active);
    ShowBar(QStringLiteral("Img_DPI%1_").arg(n), model_.ValueBar(n), "Bar2_E", "Bar2_D");
    controls_.SetCaption("lbl_DPI" + level + "Value", QString::fromStdString(page.value_caption[i]));
    controls_.ShowImages({{"Img_DPI" + level, CheckImage(page.lit_marker == n - 1)}});
    if (const auto colour = model_.Swatch(n)) Fill(controls_.Find("cs_DPI" + level + "Col"), ToQColor(*colour));
  }
  if (auto* count = qobject_cast<QComboBox*>(controls_.Find(QStringLiteral("cbb_DPICount")))) {
    refreshing_ = true;
    count->setCurrentIndex(page.working_level_count - kMinDpiLevels);
    refreshing_ = false;
  }
}

void AdvancedPage::ShowAim() {
  ShowBar(QStringLiteral("Img_AIMKey_"), model_.AimBar(), "Bar2_E", "Bar2_D");
  controls_.SetCaption(QStringLiteral("lbl_AIMKeyValue"), QString::fromStdString(model_.page().aim_caption));
}

void AdvancedPage::SwatchClicked(int level) {
  MouseSettings& settings = *services_.settings;
  if (model_.page().normal_led) {
    if (chooser_) chooser_->close();
    const int language = services_.languageIndex ? services_.languageIndex() : 1;
    auto* window = qobject_cast<QWidget*>(parent());
    chooser_ = new ColourChooserWindow(window ? window->window() : nullptr, level, language,
                                       [this, &settings](const ColourChooser& chosen) {
                                         model_.ConfirmColour(settings, chosen);
                                         ShowLevels();
                                       });
    chooser_->show();
    return;
  }
  const QColor initial = ToQColor(model_.Swatch(level).value_or(Rgb{0, 0, 0}));
  const auto chosen = pick_colour_ ? pick_colour_(initial) : std::nullopt;
  if (!chosen) return;
  model_.SetLevelColour(settings, level,
                        {static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
                         static_cast<std::uint8_t>(chosen->blue())});
  ShowLevels();
}

void AdvancedPage::RefreshPointer() { ShowPointer(); }

void AdvancedPage::ShowPointer() {
  const PointerParameters& p = *services_.pointer;
  ShowBar(QStringLiteral("Img_Spd"), PaintBar(bar_style_, kPointerBarNotches, p.speed_level), "Bar1_E", "Bar1_D");
  ShowBar(QStringLiteral("Img_DbSpd"), PaintBar(bar_style_, kPointerBarNotches, p.double_click_level), "Bar1_E", "Bar1_D");
  // In one-screen mode the scroll bar keeps its look and takes no clicks.
  if (!p.one_screen()) {
    ShowBar(QStringLiteral("Img_ScrSpd"), PaintBar(bar_style_, kPointerBarNotches, p.scroll_level), "Bar1_E", "Bar1_D");
  }
  for (int k = 1; k <= kPointerBarNotches; ++k) {
    for (const QString& name : {"Img_ScrSpd" + N(k), "lbl_ScrSpd" + N(k)}) {
      if (auto* control = controls_.Find(name)) control->setEnabled(!p.one_screen());
    }
  }
  controls_.ShowImages({{QStringLiteral("Img_IsControl"), CheckImage(p.precision_on())},
                        {QStringLiteral("Img_IsScreen"), CheckImage(p.one_screen())}});
}

void AdvancedPage::PointerChanged() {
  ShowPointer();
  if (!services_.pointerStore) return;
  pointer_report_ = WriteAndApplyPointerParameters(*services_.pointerStore, *services_.pointer);
  ShowPointerOutcome();
}

void AdvancedPage::ShowPointerOutcome() {
  const int language = services_.languageIndex ? services_.languageIndex() : 1;
  const PackText text = [language](std::string_view id) { return LangText(language, id); };
  controls_.SetCaption(QStringLiteral("lbl_PointerOutcome"),
                       QString::fromStdString(DesktopOutcomeLine(pointer_report_, text)));
}

}  // namespace zelko
