// The frame of the small input dialogs (TForm2, TForm3, TForm5 .. TForm7):
// a skinned, borderless window on top of the others, not modal, made afresh
// for every opening and deleted when it closes. The background image "Msg"
// gives its size and shape; a title, one input field and three skinned
// buttons (Confirm, Clear and an image-only Close) stand where the layout
// pack's group K (the combination dialog) or L (the others) puts them.
#pragma once
#include <QLineEdit>
#include <QWidget>

#include "shell/layout_values.h"
#include "shell/skin_widgets.h"

namespace zelko {

class LanguageTexts;

// What a dialog is opened with: the owner's pack values and texts.
struct DialogSetup {
  LayoutLookup layout;            // the current layout pack (org<LanguageIndex>)
  const LanguageTexts* texts = nullptr;
  QString fontName;               // the main window's stored FontName
  QRect owner;                    // the main window's place and size, for centring
};

enum class DialogGroup { kK, kL };

class SkinDialog : public QWidget {
  Q_OBJECT
 public:
  // `titleId`, `confirmId`, `clearId`: the language pack ids of the title
  // and of the two buttons' captions. `extraDrop`: pixels below the centre
  // (40 for the combination dialog).
  SkinDialog(QWidget* owner, const QString& objectName, DialogGroup group, const DialogSetup& setup,
             const char* titleId, const char* confirmId, const char* clearId, int extraDrop);

  QLineEdit* field() const { return field_; }
  QLabel* title() const { return title_; }
  HoverLabel* confirmButton() const { return confirm_; }
  HoverLabel* clearButton() const { return clear_; }
  HoverLabel* closeButton() const { return close_; }

 protected:
  // The dialog's own reactions; Close is the frame's.
  virtual void ConfirmClicked() = 0;
  virtual void ClearClicked() = 0;

  // The pack's value of a group key ("AKC_X" or "MNC_X" for suffix "C_X").
  std::optional<int> GroupValue(const char* kKey, const char* lKey) const;
  int fontSize() const { return font_size_; }
  const QColor& textColour() const { return text_colour_; }
  const DialogSetup& setup() const { return setup_; }
  // Shown at the end of the set-up, and the field takes the focus when asked.
  void ShowAndFocus(bool focusField);

 private:
  HoverLabel* AddButton(const QString& labelName, const QString& imageName, const QString& normal,
                        const QString& hover, const QString& pressed);
  void PlaceButton(HoverLabel* label, const char* kx, const char* ky, const char* lx, const char* ly);

  DialogSetup setup_;
  DialogGroup group_;
  int font_size_ = 9;
  QColor text_colour_{217, 222, 230};
  QLabel* title_ = nullptr;
  QLineEdit* field_ = nullptr;
  HoverLabel* confirm_ = nullptr;
  HoverLabel* clear_ = nullptr;
  HoverLabel* close_ = nullptr;
};

}  // namespace zelko
