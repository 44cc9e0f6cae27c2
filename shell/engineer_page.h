// The engineer page on widgets, made from its table (pages/engineer_page_table.h):
// the command buttons along the top, the page control with its Operation and
// Engineer tabs holding a plain editor for every field of the DPI levels,
// AIM, fire, lighting, key mode, sensor orientation, long presses and
// identity codes, the eighteen button selectors in their two groups, the
// notes label with the hint of the control under the mouse, the result mark
// and the logo. A widget per row; each row's read is shown and each user
// change goes to the row's write. The window wires the command buttons to
// its handlers.
#pragma once
#include <QHash>
#include <QLabel>
#include <QMap>
#include <QObject>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <optional>
#include <vector>

#include "device/device_connection.h"
#include "keys/button_assignment.h"
#include "pages/button_menu.h"
#include "pages/engineer_mode.h"
#include "pages/engineer_page_model.h"
#include "pages/engineer_page_table.h"
#include "resources/engineer_terms.h"
#include "shell/control_registry.h"

namespace zelko {

struct EngineerPageServices {
  MouseSettings* settings = nullptr;
  TermLanguage terms = TermLanguage::English;
  // The program's message box (the AIM value without an AIM button).
  std::function<void(const QString&)> showMessage;
  // An edit changed the settings: the other pages redraw from them.
  std::function<void()> edited;
};

class EngineerPage : public QObject {
  Q_OBJECT
 public:
  // Builds the page under `window` and registers every named control.
  EngineerPage(QWidget* window, ControlRegistry& controls, EngineerPageServices services);

  QWidget* page() const { return page_; }
  // After every read and whenever the page opens: every editor from the
  // settings.
  void Refresh();
  // The identity codes the mouse reported, shown on the Engineer tab.
  void ShowReadIdentity(const std::optional<IdentityCodes>& codes);
  // What engineer mode unlocks.
  void ApplyEngineerMode(const EngineerModeEffects& effects);

  // The button selectors: 101..109 (mode A), 201..209 (mode B).
  QPushButton* KeyButton(int number) const;
  void SetKeyCaption(int number, const QString& caption);
  // The nine captions of a group (profile 1 or 2), as the Left Click rule
  // compares them.
  ProfileCaptions Captions(int profile) const;
  // Where a selector stands, for the menu's engineer placement.
  EngineerButtonPlace PlaceOf(int number) const;

  // A command button by what it asks for.
  QPushButton* CommandButton(EngineerCommand command) const { return commands_.value(command); }
  // Brings the Engineer tab (true) or the Operation tab (false) to the front.
  void ShowTab(bool engineer);
  // The mark after the Default button's write.
  void ShowResult(bool shown);

  const EngineerPageModel& model() const { return model_; }

 signals:
  void commandClicked(EngineerCommand command);
  void keyButtonClicked(int number);
  void logoDoubleClicked();

 protected:
  // The notes label follows the mouse over the hinted controls.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One widget per row, under its parent row's widget.
  QWidget* Make(const EngineerControlRow& row, QWidget* parent);
  // The user's changes to a row's control go to its write.
  void Bind(const EngineerControlRow& row, QWidget* control);
  // Every row's read, shown; every row's rules applied.
  void Show();
  // After an edit: the editors redrawn, the other pages told.
  void Edited();
  void Wrote(const EngineerWritten& written);
  void AddHint(QWidget* control, const EngineerHint& hint);
  QString Text(const EngineerText& text) const;

  ControlRegistry& controls_;
  EngineerPageServices services_;
  EngineerPageModel model_;
  QWidget* page_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QLabel* notes_ = nullptr;
  // The widget of each row, in table order (null for none).
  std::vector<QWidget*> widgets_;
  QHash<int, QPushButton*> selectors_;
  QMap<EngineerCommand, QPushButton*> commands_;
  QWidget* engineer_tab_ = nullptr;
  QWidget* result_ = nullptr;
  // The left of the next command button, once the first stands.
  std::optional<int> next_command_left_;
  // Set while the editors are filled from the model: their change signals
  // are not edits then.
  bool showing_ = false;
  QHash<QObject*, QString> hints_;
};

}  // namespace zelko
