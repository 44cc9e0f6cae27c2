#include "shell/skin_setup.h"

#include <QFont>

#include "resources/engineer_terms.h"
#include "resources/language_pack.h"
#include "resources/layout_pack.h"
#include "shell/qt_button_names.h"
#include "shell/control_registry.h"
#include "shell/layout_applier.h"
#include "shell/skin_images.h"
#include "shell/window_builder.h"

namespace zelko {

void LoadInitialImages(ControlRegistry& controls) {
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    controls.ShowImages({{QStringLiteral("Img_Base_%1").arg(copy), QStringLiteral("L1_BackGround")},
                          {QStringLiteral("Img_P%1").arg(copy), QStringLiteral("L1_Back%1").arg(copy)}});
  }
  for (const char* action : {"Confirm", "Apply", "Read", "Confirm1", "Confirm2", "Confirm3"}) {
    controls.ShowImages(AllCopies(QLatin1String(action), QStringLiteral("BtnS_01")));
  }
  controls.ShowImages(AllCopies(QStringLiteral("Exit"), QStringLiteral("ExitS_01")));
  controls.ShowImages(AllCopies(QStringLiteral("Mini"), QStringLiteral("MiniS_01")));
  controls.ShowImages(AllCopies(QStringLiteral("Web"), QStringLiteral("WebS_01")));
  controls.ShowImages(TabImagesForActivePage(Page::Main));
  controls.ShowImages(AllCopies(QStringLiteral("Lang1"), QStringLiteral("SetS_03")));
  controls.ShowImages(AllCopies(QStringLiteral("Lang2"), QStringLiteral("SetS_01")));
  controls.ShowImages(AllCopies(QStringLiteral("Lang3"), QStringLiteral("SetS_01")));
  for (int n = 1; n <= 9; ++n) {
    controls.ShowImages({{QStringLiteral("Img_Key%1").arg(n), QStringLiteral("KeyS_01")}});
  }
  controls.ShowImages({{QStringLiteral("Img_ComboKey1"), QStringLiteral("CbS_D")},
                        {QStringLiteral("Img_ComboKey2"), QStringLiteral("CbS_D")}});
  // Every skinned button's label takes its picture's size.
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    for (const QString& button : SkinnedButtonNames()) {
      const auto image = controls.GeometryOf(ButtonImageName(button, copy));
      if (image) controls.Resize(ButtonLabelName(button, copy), image->width(), image->height());
    }
  }
  for (int n = 1; n <= 9; ++n) {
    const auto image = controls.GeometryOf(QStringLiteral("Img_Key%1").arg(n));
    if (image) controls.Resize(QStringLiteral("Key%1").arg(n), image->width(), image->height());
  }
}

void PlaceWebButton(ControlRegistry& controls, const GeneralSettings& general) {
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    const QString image = ButtonImageName(QStringLiteral("Web"), copy);
    const QString label = ButtonLabelName(QStringLiteral("Web"), copy);
    controls.Move(image, general.webX, general.webY);
    controls.Move(label, general.webX, general.webY);
    if (const auto place = controls.GeometryOf(image)) {
      controls.Resize(label, place->width(), place->height());
    }
  }
}

AppliedPacks ApplyLanguagePacks(ControlRegistry& controls, const LanguageTexts& texts, int numberOrder) {
  AppliedPacks applied;
  const int n = texts.index();
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    controls.ShowImages(
        {{QStringLiteral("Img_Base_%1").arg(copy), LanguageImageName(n, QStringLiteral("BackGround"))},
         {QStringLiteral("Img_P%1").arg(copy), LanguageImageName(n, QStringLiteral("Back%1").arg(copy))}});
  }
  if (const auto pack = LoadLayoutPack("org" + std::to_string(n))) {
    LayoutApplier applier([&pack](const std::string& key) { return pack->Int(key); }, controls, numberOrder);
    applied.layout = applier.Apply();
  }
  applied.kept = ApplyLanguage(texts, controls);
  QFont font;
  font.setFamily(applied.kept.fontName);
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    if (auto* page = controls.Find(QStringLiteral("gbPage%1").arg(copy))) page->setFont(font);
  }
  return applied;
}

void InstallFontFallbacks() {
  QStringList fonts{QString::fromUtf8(kEngineerPageFont.data(), static_cast<qsizetype>(kEngineerPageFont.size()))};
  for (int n = 1; n <= kLanguageCount; ++n) fonts << QString::fromStdString(LangText(n, "FontName"));
  for (const QString& font : fonts) {
    if (font.isEmpty()) continue;
    QFont::insertSubstitutions(font, {QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
  }
}

}  // namespace zelko
