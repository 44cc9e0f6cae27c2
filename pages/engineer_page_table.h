// The engineer page as one table, a row per control: its object name, what
// kind of control it is, the row it stands in, its place, its caption (an
// engineer term), its hint, and how it reads from and writes to the
// engineer page model. This is the only place that names the page's
// controls; the window makes a widget per row, shows each row's read and
// hands each user change to the row's write.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/engineer_mode.h"
#include "pages/engineer_page_model.h"
#include "resources/engineer_terms.h"

namespace zelko {

enum class EngineerControlKind : std::uint8_t {
  kPage,          // the page itself (gbPage6)
  kPageControl,   // the page control holding the tabs
  kTab,           // a tab of the page control, captioned by its term
  kCommand,       // a command button in the row along the top
  kGroup,         // a titled frame
  kCaption,       // a label
  kList,          // a drop-down list
  kEdit,          // an edit box that takes digits, at most max_length of them
  kReadOnlyEdit,  // an edit box that shows what the mouse reported
  kRadio,
  kCheck,
  kKeySelector,   // one of the eighteen button selectors
  kLogo,          // the drawn logo whose double-click drives engineer mode
  kNotes,         // the notes label showing the hint under the mouse
  kResultMark,    // the mark shown after the Default button's write
};

// The place within the parent row's control. Command buttons stand in one
// row from the first one's left, each as wide as its caption and at least
// `width`; a hidden one takes no place.
struct ControlRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A text of the page: a term in the page's language, or a fixed text where
// the page shows no term ("(*8ms)", the list item "------", numbers).
struct EngineerText {
  std::optional<EngineerTermId> term;
  std::string fixed;
  friend bool operator==(const EngineerText&, const EngineerText&) = default;
};
std::string TextOf(const EngineerText& text, TermLanguage language);

// The explanatory hint the notes label shows while the mouse is over the
// control; empty for none.
struct EngineerHint {
  std::string_view english;
  std::string_view chinese;
  bool empty() const { return english.empty(); }
  std::string_view In(TermLanguage language) const { return language == TermLanguage::Chinese ? chinese : english; }
};

// Which effect of engineer mode opens a control: a gated tab is in the page
// control, a gated command is shown, any other gated control takes input
// only while the gate is open.
enum class EngineerGate : std::uint8_t { kNone, kEngineerTab, kDefaultButton, kLedType, kSensorOrientation };
bool GateOpen(EngineerGate gate, const EngineerModeEffects& effects);

// What a command button asks the window to do.
enum class EngineerCommand : std::uint8_t {
  kNone,
  kModeA,
  kModeB,
  kAdvanced,
  kBreathingLight,
  kMacro,
  kEngineer,
  kLoadProfile,
  kSaveProfile,
  kDefault,
  kImportBaseMacro,
  kApply,
  kTestKeys,
};

// What a control shows, read from the model.
struct EngineerControlValue {
  int index = kNoSelection;                         // a list's selected item
  std::optional<std::vector<EngineerText>> items;   // a list whose items follow the model
  std::string text;                                 // an edit box's text
  std::optional<bool> checked;                      // a radio button or check box; unset: left as it is
};

// What the user did to a control.
struct EngineerInput {
  int index = kNoSelection;  // the list item picked
  std::string text{};        // the edit box's new text
  bool on = false;           // the button's new checked state
};

// What a write leaves: the text the edit box shows afterwards, and a
// message for the program's message box (empty for none).
struct EngineerWritten {
  std::string text;
  std::string message;
};

struct EngineerControlRow {
  using Read = std::function<EngineerControlValue(const EngineerPageModel&)>;
  using Write = std::function<EngineerWritten(EngineerPageModel&, MouseSettings&, const EngineerInput&)>;
  using Rule = std::function<bool(const EngineerPageModel&)>;

  std::string name{};  // the object name; empty for a label nothing looks up
  EngineerControlKind kind = EngineerControlKind::kCaption;
  std::string parent{};  // the row it stands in; empty: the page (the page itself: the window)
  ControlRect place{};
  EngineerText caption{};  // caption, title or tab caption
  EngineerHint hint{};
  std::vector<EngineerText> items{};  // a list's items when they do not follow the model
  int max_length = 0;                 // an edit box's
  int selector = 0;                   // a key selector's number: 101..109 mode A, 201..209 mode B
  EngineerCommand command = EngineerCommand::kNone;  // a command button's
  EngineerGate gate = EngineerGate::kNone;
  bool starts_hidden = false;
  Read read{};     // unset: the control keeps what it was made with
  Write write{};   // unset: changing the control changes no setting
  Write leave{};   // an edit box left with the focus
  Rule shown{};    // unset: the page never hides it
  Rule enabled{};  // unset: only its gate decides
};

// Every control of the page, parents before their children, in the order
// the page makes them (later ones stand above earlier ones).
const std::vector<EngineerControlRow>& EngineerPageRows();

}  // namespace zelko
