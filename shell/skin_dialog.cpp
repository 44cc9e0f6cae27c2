#include "shell/skin_dialog.h"

#include <QBitmap>
#include <QGuiApplication>

#include "shell/language_texts.h"
#include "shell/skin_images.h"
#include "shell/window_geometry.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

// What a dialog looks like when its pack lacks a key: the shipped pack's
// group K and L values.
constexpr int kDesignFontSize = 9;
constexpr int kTitleGrowth = 5;
constexpr int kFieldGrowth = 3;
constexpr int kButtonGrowth = 1;

QFont SizedFont(const QString& family, int points) {
  QFont font;
  if (!family.isEmpty()) font.setFamily(family);
  if (points > 0) font.setPointSize(points);
  return font;
}

}  // namespace

SkinDialog::SkinDialog(QWidget* owner, const QString& objectName, DialogGroup group, const DialogSetup& setup,
                       const char* titleId, const char* confirmId, const char* clearId, int extraDrop)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      setup_(setup),
      group_(group) {
  setObjectName(objectName);
  setAttribute(Qt::WA_DeleteOnClose);
  // The colour key of the skin (R 128, G 0, B 0 drawn transparent) is
  // the background image's own transparency here: the image defines the
  // visible shape, through a translucent window and its mask.
  setAttribute(Qt::WA_TranslucentBackground);

  // The background and the buttons' pictures.
  auto* background = new SkinImage(QStringLiteral("Img_Back"), this);
  background->ShowImage(QStringLiteral("Msg"));
  const QSize size = background->size().isEmpty() ? QSize(440, 220) : background->size();
  setFixedSize(size);
  const QPixmap picture = LoadSkinPixmap(QStringLiteral("Msg"));
  if (QGuiApplication::platformName() != QLatin1String("offscreen") && !picture.isNull() &&
      picture.hasAlphaChannel()) {
    setMask(picture.mask());
  }
  confirm_ = AddButton(QStringLiteral("IB_Confirm"), QStringLiteral("Img_Confirm"), QStringLiteral("BtnS_01"),
                       QStringLiteral("BtnS_02"), QStringLiteral("BtnS_03"));
  clear_ = AddButton(QStringLiteral("IB_Cancel"), QStringLiteral("Img_Cancel"), QStringLiteral("BtnS_01"),
                     QStringLiteral("BtnS_02"), QStringLiteral("BtnS_03"));
  close_ = AddButton(QStringLiteral("IB_Close"), QStringLiteral("Img_Close"), QStringLiteral("ExitS_01"),
                     QStringLiteral("ExitS_02"), QStringLiteral("ExitS_03"));
  connect(confirm_, &HoverLabel::clicked, this, [this] { ConfirmClicked(); });
  connect(clear_, &HoverLabel::clicked, this, [this] { ClearClicked(); });
  connect(close_, &HoverLabel::clicked, this, [this] { close(); });

  // Centred over the main window.
  move(CenteredOver(setup_.owner, size) + QPoint(0, extraDrop));

  // An empty field that centres its text.
  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("lbl_Title"));
  title_->setAttribute(Qt::WA_TranslucentBackground);
  field_ = new QLineEdit(this);
  field_->setObjectName(group == DialogGroup::kK ? QStringLiteral("Edt_Assembly") : QStringLiteral("Edt_Field"));
  field_->setAlignment(Qt::AlignCenter);
  field_->setFrame(false);

  // The layout pack's group.
  font_size_ = GroupValue("Size_K", "Size_L").value_or(kDesignFontSize);
  if (const auto colour = LayoutColour(setup_.layout, group == DialogGroup::kK ? "Color_K" : "Color_L")) {
    text_colour_ = *colour;
  }
  QColor fieldColour(0, 210, 255);
  if (const auto colour = LayoutColour(setup_.layout, group == DialogGroup::kK ? "Color_K_AK" : "Color_L_MN")) {
    fieldColour = *colour;
  }
  title_->setFont(SizedFont(setup_.fontName, font_size_ + kTitleGrowth));
  SetTextColour(title_, text_colour_);
  title_->move(GroupValue("AKT_X", "MNT_X").value_or(24), GroupValue("AKT_Y", "MNT_Y").value_or(17));
  field_->setFont(SizedFont(setup_.fontName, font_size_ + kFieldGrowth));
  field_->setStyleSheet(QStringLiteral("QLineEdit { background: rgba(0, 0, 0, 70); color: %1; "
                                       "border: 1px solid rgba(255, 255, 255, 40); }")
                            .arg(fieldColour.name(QColor::HexRgb)));
  field_->setGeometry(GroupValue("AKC_X", "MNC_X").value_or(40), GroupValue("AKC_Y", "MNC_Y").value_or(66),
                      GroupValue("AKC_W", "MNC_W").value_or(360), field_->sizeHint().height() + 6);
  for (HoverLabel* button : {confirm_, clear_}) {
    button->setFont(SizedFont(setup_.fontName, font_size_ + kButtonGrowth));
    SetTextColour(button, text_colour_);
  }
  PlaceButton(confirm_, "AK_Cfm_X", "AK_Cfm_Y", "MN_Cfm_X", "MN_Cfm_Y");
  PlaceButton(clear_, "AK_Clear_X", "AK_Clear_Y", "MN_Clear_X", "MN_Clear_Y");
  PlaceButton(close_, "AK_Close_X", "AK_Close_Y", "MN_Close_X", "MN_Close_Y");

  // The texts, in the stored font.
  if (setup_.texts) {
    title_->setText(setup_.texts->Text(titleId));
    confirm_->setText(setup_.texts->Text(confirmId));
    clear_->setText(setup_.texts->Text(clearId));
  }
  title_->adjustSize();
}

std::optional<int> SkinDialog::GroupValue(const char* kKey, const char* lKey) const {
  if (!setup_.layout) return std::nullopt;
  return setup_.layout(group_ == DialogGroup::kK ? kKey : lKey);
}

HoverLabel* SkinDialog::AddButton(const QString& labelName, const QString& imageName, const QString& normal,
                                  const QString& hover, const QString& pressed) {
  auto* image = new SkinImage(imageName, this);
  image->ShowImage(normal);
  auto* label = new HoverLabel(labelName, this);
  label->resize(image->size());
  connect(label, &HoverLabel::entered, image, [image, hover] { image->ShowImage(hover); });
  connect(label, &HoverLabel::left, image, [image, normal] { image->ShowImage(normal); });
  // The pressed picture shows before the button's action runs.
  connect(label, &HoverLabel::clicked, image, [image, pressed] { image->ShowImage(pressed); });
  return label;
}

void SkinDialog::PlaceButton(HoverLabel* label, const char* kx, const char* ky, const char* lx, const char* ly) {
  const auto x = GroupValue(kx, lx);
  const auto y = GroupValue(ky, ly);
  if (!x || !y) return;
  label->move(*x, *y);
  const QString imageName = label->objectName() == QLatin1String("IB_Confirm")  ? QStringLiteral("Img_Confirm")
                            : label->objectName() == QLatin1String("IB_Cancel") ? QStringLiteral("Img_Cancel")
                                                                                : QStringLiteral("Img_Close");
  if (auto* image = findChild<SkinImage*>(imageName)) image->move(*x, *y);
}

void SkinDialog::ShowAndFocus(bool focusField) {
  show();
  raise();
  activateWindow();
  if (focusField) field_->setFocus(Qt::OtherFocusReason);
}

}  // namespace zelko
