#include "shell/light_page.h"

#include <QColorDialog>

#include "shell/skin_widgets.h"

namespace zelko {

namespace {

// A radio pair: the two controls' names and the choice they make.
struct PairNames {
  LightChoice choice;
  const char* first;
  const char* second;
};
constexpr PairNames kPairs[] = {
    {LightChoice::LedStatus, "LEDOn", "LEDOff"},
    {LightChoice::McpiSwitch, "MCPIOn", "MCPIOff"},
    {LightChoice::LcpiSwitch, "LCPIOn", "LCPIOff"},
    {LightChoice::KeyModeSaving, "SaveKeyMode", "NoSaveKeyMode"},
    {LightChoice::Brightness, "MCULED3Control", "MCULED6Control"},
};
// The labels reach over the caption the panel draws beside each image.
constexpr QSize kRadioLabelSize(72, 16);
constexpr QSize kNumberSize(20, 14);

QString N(int n) { return QString::number(n); }

QString Radio(bool on) { return on ? QStringLiteral("RdS_E") : QStringLiteral("RdS_D"); }

}  // namespace

LightPage::LightPage(QWidget* page, ControlRegistry& controls, MouseSettings& settings)
    : QObject(page), controls_(controls), settings_(settings) {
  pick_colour_ = [page](const QColor& initial) -> std::optional<QColor> {
    const QColor chosen = QColorDialog::getColor(initial, page->window());
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  };
  Build(page);
  Bind();
}

void LightPage::Build(QWidget* page) {
  const auto radio = [&](const QString& control) {
    MakeControl<SkinImage>("Img_" + control, page, controls_)->ShowImage(QStringLiteral("RdS_D"));
    MakeControl<HoverLabel>("lbl_" + control, page, controls_)->resize(kRadioLabelSize);
  };
  for (const PairNames& pair : kPairs) {
    radio(QLatin1String(pair.first));
    radio(QLatin1String(pair.second));
  }
  for (int k = 1; k <= kMcuLedModeCount; ++k) radio("MCULEDMode" + N(k));
  const auto row = [&](const QString& stem, int notches, int firstCaption) {
    for (int k = 1; k <= notches; ++k) {
      MakeControl<SkinImage>("Img_" + stem + N(k), page, controls_)->ShowImage(QStringLiteral("Bar1_D"));
      auto* number = new QLabel(N(firstCaption + k - 1), page);
      number->setObjectName("lbl_" + stem + N(k));
      number->resize(kNumberSize);
      controls_.Add(number);
    }
  };
  row(QStringLiteral("MCULEDStep_"), kStepBarNotches, 1);
  row(QStringLiteral("MCULEDNum_"), kLedCountBarNotches, kMinLedCount);
  for (int m = 1; m <= 2; ++m) {
    auto* fill = new QLabel(page);
    fill->setObjectName(QStringLiteral("cs_Mode%1Color").arg(m));
    fill->setAutoFillBackground(true);
    controls_.Add(fill);
    MakeControl<SkinImage>(QStringLiteral("Img_Mode%1Color").arg(m), page, controls_)->ShowImage(QStringLiteral("Col_F"));
    MakeControl<HoverLabel>(QStringLiteral("IB_Mode%1Color").arg(m), page, controls_);
  }
}

void LightPage::Bind() {
  const auto onClick = [this](const QString& name, std::function<void()> handler) {
    if (auto* label = controls_.Label(name)) connect(label, &HoverLabel::clicked, this, std::move(handler));
  };
  const auto onPress = [this](const QString& name, std::function<void()> handler) {
    if (auto* image = controls_.Image(name)) {
      connect(image, &SkinImage::pressed, this, [image, handler = std::move(handler)] {
        if (image->isEnabled()) handler();
      });
    }
  };
  for (const PairNames& pair : kPairs) {
    const LightChoice choice = pair.choice;
    for (bool first : {true, false}) {
      onClick(QStringLiteral("lbl_") + QLatin1String(first ? pair.first : pair.second), [this, choice, first] {
        model_.Choose(settings_, choice, first);
        Show();
      });
    }
  }
  for (int k = 1; k <= kMcuLedModeCount; ++k) {
    onClick("lbl_MCULEDMode" + N(k), [this, k] {
      model_.ChooseMode(settings_, k);
      Show();
    });
  }
  for (int k = 1; k <= kStepBarNotches; ++k) {
    onPress("Img_MCULEDStep_" + N(k), [this, k] {
      model_.ClickStepNotch(settings_, k);
      Show();
    });
  }
  for (int k = 1; k <= kLedCountBarNotches; ++k) {
    onPress("Img_MCULEDNum_" + N(k), [this, k] {
      model_.ClickCountNotch(settings_, k);
      Show();
    });
  }
  for (int m = 1; m <= 2; ++m) {
    onClick(QStringLiteral("IB_Mode%1Color").arg(m), [this, m] {
      const Rgb now = model_.KeyModeColour(m);
      const auto chosen = pick_colour_ ? pick_colour_(QColor(now.r, now.g, now.b)) : std::nullopt;
      if (!chosen) return;
      model_.SetKeyModeColour(settings_, m,
                              {static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
                               static_cast<std::uint8_t>(chosen->blue())});
      Show();
    });
  }
}

void LightPage::ApplyLayout(int barStyle) {
  model_.SetBarStyle(BarStyleFromLayout(barStyle));
  Show();
}

void LightPage::Refresh() {
  model_.Refresh(settings_);
  Show();
}

void LightPage::Show() {
  const LedTypeLayout layout = model_.layout();
  const auto shown = [this](const QString& name, bool visible) { controls_.SetShown(name, visible); };
  for (const PairNames& pair : kPairs) {
    const bool first = model_.FirstChosen(pair.choice);
    // Of the pairs only L+CPI belongs to the MCU strip alone.
    const bool visible = pair.choice != LightChoice::LcpiSwitch || layout.lcpi_pair;
    for (bool which : {true, false}) {
      const QString control = QLatin1String(which ? pair.first : pair.second);
      controls_.ShowImages({{"Img_" + control, Radio(which == first)}});
      shown("Img_" + control, visible);
      shown("lbl_" + control, visible);
    }
  }
  const auto visibleModes = model_.VisibleModes();
  const auto litModes = model_.LitModes();
  for (int k = 1; k <= kMcuLedModeCount; ++k) {
    const auto i = static_cast<std::size_t>(k - 1);
    const bool visible = layout.mode_images && visibleModes[i];
    controls_.ShowImages({{"Img_MCULEDMode" + N(k), Radio(litModes[i])}});
    shown("Img_MCULEDMode" + N(k), visible);
    shown("lbl_MCULEDMode" + N(k), visible);
  }
  const auto bar = [&](const QString& stem, const std::vector<bool>& lit, bool visible) {
    for (std::size_t k = 0; k < lit.size(); ++k) {
      const QString n = N(static_cast<int>(k) + 1);
      controls_.ShowImages({{"Img_" + stem + n, lit[k] ? QStringLiteral("Bar1_E") : QStringLiteral("Bar1_D")}});
      shown("Img_" + stem + n, visible);
      shown("lbl_" + stem + n, visible);
    }
  };
  bar(QStringLiteral("MCULEDStep_"), model_.StepBarLit(), layout.step_bar);
  bar(QStringLiteral("MCULEDNum_"), model_.CountBarLit(), layout.count_bar);
  for (int m = 1; m <= 2; ++m) {
    const Rgb rgb = model_.KeyModeColour(m);
    if (auto* fill = controls_.Find(QStringLiteral("cs_Mode%1Color").arg(m))) {
      QPalette palette = fill->palette();
      palette.setColor(QPalette::Window, QColor(rgb.r, rgb.g, rgb.b));
      fill->setPalette(palette);
    }
  }
}

}  // namespace zelko
