// Applying a language-bound layout pack (org1 .. org3) to the window's
// controls: families A, B, C, G, D, E and F in that order. Values place
// controls relative to their page, show or hide the skinned buttons, set
// fonts and colours, lay out rows of notches and size the menu lists.
// Missing keys keep the control as it is.
#pragma once
#include <QStringList>
#include <string>

#include "shell/layout_target.h"
#include "shell/layout_values.h"

namespace zelko {

// The general pack's Num_Order, clamped to 0..1.
int ClampNumberOrder(int value);

class LayoutApplier {
 public:
  // `numberOrder` is the general pack's Num_Order (already clamped): 1 puts
  // the number labels of the LED rows in descending order.
  LayoutApplier(LayoutLookup lookup, LayoutTarget& target, int numberOrder);

  LayoutSettings Apply();

 private:
  void ApplyActionButtons();   // A
  void ApplyTabButtons();      // B
  void ApplyMainPage();        // C
  void ApplyMenus();           // G
  void ApplyAdvancedPage();    // D
  void ApplyLightPage();       // E
  void ApplyMacroPage();       // F

  std::optional<QSize> SizeOf(const QString& control) const;
  std::optional<int> Value(const std::string& key) const { return lookup_(key); }
  void FamilyFont(const std::string& sizeKey, const std::string& colourPrefix,
                  const QStringList& labels);
  void KeepColour(const std::string& prefix);
  // A skinned button "<prefix>_Enable/_X/_Y" over all four copies.
  void SkinnedButton(const std::string& prefix, const QString& button, bool tabSpacing);
  // A button whose image and label exist once ("Key3" over "Img_Key3").
  void SingleButton(const std::string& prefix, const QString& image, const QString& label,
                    bool labelTakesImageSize);
  // Controls at one point "<prefix>_X/_Y"; with `sizeFromFirst` the others
  // take the first one's size.
  void Point(const std::string& prefix, const QStringList& controls, bool sizeFromFirst = false);
  // "<prefix>_W/_H".
  void Size(const std::string& prefix, const QString& control);
  // A row of notches "<prefix>_X/_Y/_D": notch k is "<notch><k>", its number
  // label "<label><k>" (empty: none) sits 24 below, `labelShift` further right.
  // With `descendingFrom` > 0 and descending order, label (descendingFrom - k)
  // goes under notch k.
  void Row(const std::string& prefix, const QString& notch, int count, const QString& label,
           int labelShift, int descendingFrom);

  LayoutLookup lookup_;
  LayoutTarget& target_;
  int number_order_;
  LayoutSettings settings_;
};

}  // namespace zelko
