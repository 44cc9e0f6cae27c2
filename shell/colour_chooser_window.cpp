#include "shell/colour_chooser_window.h"

#include "resources/language_pack.h"
#include "resources/layout_pack.h"
#include "shell/skin_widgets.h"
#include "shell/window_geometry.h"

namespace zelko {

namespace {

// Each swatch sits this far right of the previous one's right edge, its
// marker this far below it.
constexpr int kSwatchGap = 20;
constexpr int kMarkerDrop = 8;

QString Text(int language, const char* id) { return QString::fromStdString(LangText(language, id)); }

}  // namespace

ColourChooserWindow::ColourChooserWindow(QWidget* over, int targetLevel, int languageIndex,
                                         std::function<void(const ColourChooser&)> confirmed)
    : QWidget(over, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      chooser_(targetLevel),
      confirmed_(std::move(confirmed)) {
  setObjectName(QStringLiteral("Form4"));
  setAttribute(Qt::WA_DeleteOnClose);
  Build(languageIndex);
  if (over) move(CenteredOver(QRect(over->mapToGlobal(QPoint(0, 0)), over->size()), size()));
}

void ColourChooserWindow::Build(int languageIndex) {
  const auto pack = LoadLayoutPack("org" + std::to_string(languageIndex));
  const auto value = [&pack](const std::string& key, int fallback) {
    return pack ? pack->Int(key).value_or(fallback) : fallback;
  };
  auto* background = new SkinImage(QStringLiteral("Img_Msg"), this);
  background->ShowImage(QStringLiteral("Msg"));
  resize(background->size().isEmpty() ? QSize(440, 220) : background->size());

  QFont font;
  font.setFamily(Text(languageIndex, "FontName"));
  const QColor colour(value("Color_L_R", 220), value("Color_L_G", 226), value("Color_L_B", 235));
  const int sizeL = value("Size_L", 9);
  const auto styled = [&](QLabel* label, int points) {
    QFont f = font;
    f.setPointSize(points);
    label->setFont(f);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
  };

  auto* title = new QLabel(Text(languageIndex, "Str522"), this);
  title->setObjectName(QStringLiteral("lbl_Title"));
  styled(title, sizeL + 5);
  title->adjustSize();
  title->move(value("NorLED_Tte_X", 20), value("NorLED_Tte_Y", 20));

  int left = value("NorLED_Col_X", 40);
  const int top = value("NorLED_Col_Y", 80);
  for (int i = 0; i < kPaletteSize; ++i) {
    const QString n = QString::number(i + 1);
    const Rgb rgb = kPalette[static_cast<std::size_t>(i)].rgb;
    auto* fill = new QLabel(this);
    fill->setObjectName(QStringLiteral("cs_DPI%1Col").arg(n));
    fill->setAutoFillBackground(true);
    QPalette palette = fill->palette();
    palette.setColor(QPalette::Window, QColor(rgb.r, rgb.g, rgb.b));
    fill->setPalette(palette);
    auto* frame = new SkinImage(QStringLiteral("Img_DPI%1Col").arg(n), this);
    frame->ShowImage(QStringLiteral("Col_F"));
    auto* click = new HoverLabel(QStringLiteral("lbl_DPI%1Col").arg(n), this);
    for (QWidget* w : {static_cast<QWidget*>(fill), static_cast<QWidget*>(frame), static_cast<QWidget*>(click)}) {
      w->setGeometry(left, top, frame->width(), frame->height());
      controls_.Add(w);
    }
    auto* marker = new SkinImage(QStringLiteral("Img_DPI%1ColSel").arg(n), this);
    marker->ShowImage(QStringLiteral("CbS_D"));
    marker->move(left + (frame->width() - marker->width()) / 2, top + frame->height() + kMarkerDrop);
    controls_.Add(marker);
    connect(click, &HoverLabel::clicked, this, [this, i] {
      chooser_.Pick(i);
      ShowMarkers();
    });
    left += frame->width() + kSwatchGap;
  }

  struct Button {
    const char* name;
    const char* image;
    const char* text;
    const char* key;
    int x;
    int y;
  };
  const Button buttons[] = {
      {"IB_Confirm", "BtnS_01", "Str511", "NorLED_Cfm", 100, 160},
      {"IB_Cancel", "BtnS_01", "Str512", "NorLED_Clear", 240, 160},
      {"IB_Close", "ExitS_01", nullptr, "NorLED_Close", 410, 10},
  };
  for (const Button& b : buttons) {
    const QString name = QLatin1String(b.name);
    auto* image = new SkinImage(QStringLiteral("Img_") + name.mid(3), this);
    image->ShowImage(QLatin1String(b.image));
    auto* label = new HoverLabel(name, this);
    if (b.text) label->setText(Text(languageIndex, b.text));
    styled(label, sizeL + 1);
    const std::string key = b.key;
    const QPoint place(value(key + "_X", b.x), value(key + "_Y", b.y));
    image->move(place);
    label->setGeometry(QRect(place, image->size()));
    controls_.Add(image);
    controls_.Add(label);
    const QString normal = QLatin1String(b.image);
    const QString stem = normal.left(normal.size() - 2);
    connect(label, &HoverLabel::entered, image, [image, stem] { image->ShowImage(stem + "02"); });
    connect(label, &HoverLabel::left, image, [image, normal] { image->ShowImage(normal); });
  }
  connect(controls_.Label(QStringLiteral("IB_Confirm")), &HoverLabel::clicked, this, [this] {
    if (confirmed_) confirmed_(chooser_);
    close();
  });
  connect(controls_.Label(QStringLiteral("IB_Cancel")), &HoverLabel::clicked, this, [this] {
    chooser_.Clear();
    ShowMarkers();
  });
  connect(controls_.Label(QStringLiteral("IB_Close")), &HoverLabel::clicked, this, &QWidget::close);
}

void ColourChooserWindow::ShowMarkers() {
  const auto lit = chooser_.markers();
  for (int i = 0; i < kPaletteSize; ++i) {
    controls_.ShowImages({{QStringLiteral("Img_DPI%1ColSel").arg(i + 1),
                           lit[static_cast<std::size_t>(i)] ? QStringLiteral("CbS_E") : QStringLiteral("CbS_D")}});
  }
}

}  // namespace zelko
