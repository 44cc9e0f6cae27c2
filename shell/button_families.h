// The skinned buttons and what their pictures do on hover, leave and press.
// A button is a transparent label "Btn_<name>_<copy>" over a picture
// "Img_<name>_<copy>", one copy per skinned page; the main page's button
// frames are labels "Key<n>" over "Img_Key<n>".
#pragma once
#include <QString>
#include <optional>

#include "shell/image_change.h"
#include "shell/page_navigation.h"

namespace zelko {

enum class ButtonFamily {
  Action,    // A: Confirm, Apply, Read, Confirm1 .. Confirm3
  Tab,       // B: Main, Second, Adv, Breath, Macro, Engineer, Save, Load
  Language,  // D: Lang1 .. Lang3
  Close,     // I: Exit
  Minimise,  // J: Mini
  Web,
  KeyFrame,  // Key1 .. Key9 on the main page
};

struct SkinButtonRef {
  QString name;  // "Apply", "Lang2", "Key3"
  int copy = 0;  // 1 .. 4; 0 for a key frame
  ButtonFamily family = ButtonFamily::Action;
};

// The button a label belongs to: "Btn_Apply_2" -> Apply, copy 2; "Key3" ->
// key frame 3. Nothing for any other name.
std::optional<SkinButtonRef> ParseButtonLabel(const QString& labelName);

QString ButtonLabelName(const QString& button, int copy);  // "Btn_Apply_2"
QString ButtonImageName(const QString& button, int copy);  // "Img_Apply_2"
// The picture of every copy of a button set to one image.
ImageChanges AllCopies(const QString& button, const QString& image);

// What the rules need to know of the window.
struct HoverContext {
  Page checkedPage = Page::Main;
  bool pageLocked = false;
  int checkedLanguage = 1;
  bool deviceConnected = false;
};

ImageChanges HoverEnterImages(const SkinButtonRef& button, const HoverContext& context);
ImageChanges HoverLeaveImages(const SkinButtonRef& button, const HoverContext& context);
// The pressed look of the action and web buttons (other families: nothing).
ImageChanges PressImages(const SkinButtonRef& button);

// Whether hovering the button rolls its caption.
bool RollsCaption(ButtonFamily family);

}  // namespace zelko
