#include "shell/window_builder.h"

#include "shell/qt_button_names.h"
#include "shell/control_registry.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

// Design-time places; the layout pack moves what it names.
struct DesignPlace {
  const char* button;
  int x;
  int y;
};
constexpr DesignPlace kDesignPlaces[] = {
    {"Main", 40, 80},    {"Second", 160, 80}, {"Adv", 280, 80},     {"Breath", 400, 80},
    {"Macro", 520, 80},  {"Engineer", 640, 80}, {"Save", 40, 600},  {"Load", 160, 600},
    {"Lang1", 520, 20},  {"Lang2", 600, 20},  {"Lang3", 680, 20},   {"Confirm", 560, 600},
    {"Apply", 680, 600}, {"Read", 440, 600},  {"Confirm1", 320, 600}, {"Confirm2", -400, 0},
    {"Confirm3", -400, 0}, {"Exit", 820, 10}, {"Mini", 790, 10},    {"Web", 430, 590},
};

QPoint DesignPlaceOf(const QString& button) {
  for (const auto& place : kDesignPlaces) {
    if (button == QLatin1String(place.button)) return {place.x, place.y};
  }
  return {0, 0};
}

template <typename Widget>
Widget* Make(const QString& name, QWidget* parent, ControlRegistry& registry) {
  auto* widget = new Widget(name, parent);
  registry.Add(widget);
  return widget;
}

void AddButton(const QString& button, int copy, QWidget* page, ControlRegistry& registry) {
  auto* image = Make<SkinImage>(ButtonImageName(button, copy), page, registry);
  auto* label = Make<HoverLabel>(ButtonLabelName(button, copy), page, registry);
  const QPoint place = DesignPlaceOf(button);
  image->move(place);
  label->move(place);
}

void AddKeyFrames(QWidget* page, ControlRegistry& registry) {
  for (int n = 1; n <= 9; ++n) {
    const QString key = QStringLiteral("Key%1").arg(n);
    auto* image = Make<SkinImage>(QStringLiteral("Img_") + key, page, registry);
    auto* label = Make<HoverLabel>(key, page, registry);
    const QPoint place(60 + ((n - 1) % 3) * 200, 160 + ((n - 1) / 3) * 60);
    image->move(place);
    label->move(place);
  }
  for (int n = 1; n <= 2; ++n) {
    auto* image = Make<SkinImage>(QStringLiteral("Img_ComboKey%1").arg(n), page, registry);
    auto* label = Make<HoverLabel>(QStringLiteral("IB_ComboKey%1").arg(n), page, registry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QPoint place(60, 360 + (n - 1) * 30);
    image->move(place);
    label->move(place);
    label->resize(460, 22);
  }
}

}  // namespace

const QStringList& SkinnedButtonNames() {
  static const QStringList names{"Confirm", "Apply", "Read", "Confirm1", "Confirm2", "Confirm3",
                                 "Main",    "Second", "Adv", "Breath",   "Macro",    "Engineer",
                                 "Save",    "Load",   "Lang1", "Lang2",  "Lang3",    "Web",
                                 "Exit",    "Mini"};
  return names;
}

QWidget* BuildSkinnedPage(int copy, QWidget* window, const QSize& skin, ControlRegistry& registry) {
  auto* page = new QWidget(window);
  page->setObjectName(QStringLiteral("gbPage%1").arg(copy));
  page->setGeometry(0, 0, skin.width(), skin.height());
  registry.Add(page);

  Make<SkinImage>(QStringLiteral("Img_Base_%1").arg(copy), page, registry)->resize(skin);
  Make<SkinImage>(QStringLiteral("Img_P%1").arg(copy), page, registry);
  if (copy == 1) AddKeyFrames(page, registry);

  // Close and minimise stay above the cover so the window can always be
  // closed or minimised, also while it waits for a mouse.
  for (const QString& button : SkinnedButtonNames()) {
    if (button == QLatin1String("Exit") || button == QLatin1String("Mini")) continue;
    AddButton(button, copy, page, registry);
  }
  // The engineer page opens by access code only; its tab stays hidden.
  registry.SetShown(ButtonImageName(QStringLiteral("Engineer"), copy), false);
  registry.SetShown(ButtonLabelName(QStringLiteral("Engineer"), copy), false);

  auto* cover = Make<CoverLabel>(QStringLiteral("Disable_All_%1").arg(copy), page, registry);
  cover->setGeometry(0, 0, skin.width(), skin.height());

  AddButton(QStringLiteral("Mini"), copy, page, registry);
  AddButton(QStringLiteral("Exit"), copy, page, registry);
  return page;
}

}  // namespace zelko
