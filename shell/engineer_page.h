// The engineer page (gbPage6) on widgets: the command buttons along the
// top, the page control Pg_Parameter with its tabs ts_Operator and
// ts_Engineer holding a plain editor for every field of the DPI levels,
// AIM, fire, lighting, key mode, sensor orientation, long presses and
// identity codes, the eighteen button selectors btn_Key101..btn_Key209 in
// their two groups, the notes label lbl_Content with the hint of the
// control under the mouse, the result mark Img_Result and the logo
// Img_Logo4. The editors are bound to the engineer page model over the
// window's settings; the window wires the buttons to its handlers.
#pragma once
#include <QHash>
#include <QObject>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <optional>

#include "device/device_connection.h"
#include "keys/button_assignment.h"
#include "pages/button_menu.h"
#include "pages/engineer_mode.h"
#include "pages/engineer_page_model.h"
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
  // Builds gbPage6 under `window` and registers every named control.
  EngineerPage(QWidget* window, ControlRegistry& controls, EngineerPageServices services);

  QWidget* page() const { return page_; }
  // After every read and whenever the page opens: every editor from the
  // settings.
  void Refresh();
  // The identity codes the mouse reported (edt_VendorID_Rd, edt_ProductID_Rd).
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

  const EngineerPageModel& model() const { return model_; }

 signals:
  void keyButtonClicked(int number);
  void logoDoubleClicked();

 protected:
  // The notes label follows the mouse over the hinted controls.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build(QWidget* window);
  void BuildCommandButtons();
  void BuildOperatorTab(QWidget* tab);
  void BuildEngineerTab(QWidget* tab);
  void BuildKeyGroups(QWidget* tab);
  void BuildNotes();
  void Bind();
  void Show();
  // After an edit: the editors redrawn, the other pages told.
  void Edited();
  void AddHint(QWidget* control);
  QString Term(int index) const;

  template <typename Widget>
  Widget* Find(const QString& name) const {
    return qobject_cast<Widget*>(controls_.Find(name));
  }

  ControlRegistry& controls_;
  EngineerPageServices services_;
  EngineerPageModel model_;
  QWidget* page_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  // Set while the editors are filled from the model: their change signals
  // are not edits then.
  bool showing_ = false;
  QHash<QObject*, QString> hints_;
};

}  // namespace zelko
