// The macro page's widgets bound to its model (pages/macro_page_model.h):
// the library list LB_PCMacroName with its menu Pnl_PCMacro, the event
// list LB_macro with its menu Pnl_DevContent and the edit dialogs, the
// delay group Gb_Delay with the recorder's Btn_Start, the release option,
// and the insert panel Gb_Insert. The handlers carry the names of the
// controls and events they serve.
//
// The recorder hears the desktop through the window's input capture; with
// none (no X11 session, say) it hears the keys and mouse buttons that reach
// the window while it has the focus, and a line on the page says so.
#pragma once
#include <QLineEdit>
#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "macros/input_capture.h"
#include "pages/macro_page_model.h"
#include "pages/window_key_states.h"
#include "shell/control_registry.h"
#include "shell/layout_values.h"
#include "shell/skin_dialog.h"

namespace zelko {

class FloatingMenu;
class LanguageTexts;
class MacroList;

struct MacroPageServices {
  PCMacroLibrary* library = nullptr;
  // Writes the library file; false when it could not be written.
  std::function<bool(const PCMacroLibrary&)> save;
  const Clock* clock = nullptr;
  // Null: the recorder hears what reaches the window.
  std::unique_ptr<InputCapture> capture;
  // The dialogs' set-up for the current packs.
  std::function<DialogSetup()> dialogSetup;
  // Shows the pack text of an id in the program's message box.
  std::function<void(const std::string& id)> showMessage;
  // The library's names changed (LB_Name follows).
  std::function<void()> libraryChanged;
};

class MacroPage : public QObject {
  Q_OBJECT
 public:
  // A file chosen in the open dialog, or the typed path in the save dialog;
  // empty when the dialog was cancelled.
  using FileChooser = std::function<QString()>;
  // Whether an existing file may be replaced.
  using ReplaceQuestion = std::function<bool(const QString& path)>;

  MacroPage(QWidget* page, QWidget* window, ControlRegistry& controls, MacroPageServices services);
  ~MacroPage() override;

  // After the packs were applied: colours, row heights, the insert list's
  // texts and the places the packs leave to the page.
  void ApplyLayout(const LayoutSettings& layout, const LanguageTexts& texts, const QString& fontName);
  // The library was loaded or replaced from outside.
  void LibraryReplaced();

  // LB_PCMacroName and its menu.
  void LB_PCMacroNameClick(int row);
  void Btn_NewClick();
  void Btn_NewNameClick();
  void ApplyMacroName(const QString& name);
  void Btn_DelPCMacroClick();
  void Btn_ImportOneClick();
  void Btn_ImportClick();
  void Btn_ExportOneClick();
  void Btn_ExportClick();
  // LB_macro and its menu.
  void LB_macroClick(int row);
  void Btn_EditClick();
  void Btn_DelClick();
  void Btn_InsertClick();
  // The insert panel.
  void CB_InsertChange(int choice);
  void Btn_OKClick();
  void Btn_CancelClick();
  // Recording.
  void Btn_StartClick();
  void Btn_InsertStartClick();
  // The options.
  void IB_ReleaseStopClick();
  void IB_ReleaseContiueClick();
  void ChoosePageDelay(DelayMode mode);
  void ChoosePanelDelay(DelayMode mode);
  // Hides both floating menus.
  void HideMacroMenus();
  void OpenLibraryMenu(QPoint windowPos);
  void OpenEventMenu(QPoint windowPos);

  // Chooses a file to read (the open dialog); the engineer page's base
  // macro import uses it too.
  QString ChooseOpenFile() const { return choose_open_(); }
  void SetFileChoosers(FileChooser open, FileChooser save, ReplaceQuestion replace);

  const MacroPageModel& model() const { return model_; }
  MacroPageModel& model() { return model_; }
  // The dialog opened last, while it is open.
  SkinDialog* openDialog() const { return dialog_.data(); }
  // The recorder hears only what reaches the window.
  bool windowOnlyCapture() const { return !capture_ || capture_failed_ || !capture_->HearsWholeDesktop(); }
  QStringList LibraryNames() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build(QWidget* page, QWidget* window);
  // Places the controls the packs do not name, from those they do.
  void PlaceUnplaced();
  void Bind();
  // Everything from the model: lists, rows, states, pictures.
  void Redraw();
  void RedrawLibrary();
  void RedrawEvents();
  void RedrawStates();
  void Report(const PageOutcome& outcome);
  void LibraryChanged();
  InsertValues PanelValues() const;
  void Export(const std::vector<std::uint8_t>& bytes);
  std::optional<std::vector<std::uint8_t>> ReadChosenFile();
  void OpenNameDialog();
  // The capture runs from the start of a recording to its end.
  void StartCapture();
  void StopCapture();
  void TakePending();
  void RecordingEnded();
  // While the recorder hears the window: its keys and mouse buttons.
  bool TakeWindowInput(QEvent* event);

  QWidget* window_;
  ControlRegistry& controls_;
  PCMacroLibrary& library_;
  MacroPageModel model_;
  std::function<DialogSetup()> dialog_setup_;
  std::function<void(const std::string&)> show_message_;
  std::function<void()> library_changed_;
  std::unique_ptr<InputCapture> capture_;
  WindowKeyStates window_keys_;
  bool hearing_window_ = false;
  // The capture could not start; the recorder hears the window instead.
  bool capture_failed_ = false;
  FileChooser choose_open_;
  FileChooser choose_save_;
  ReplaceQuestion may_replace_;

  MacroList* library_list_ = nullptr;
  MacroList* event_list_ = nullptr;
  FloatingMenu* library_menu_ = nullptr;
  FloatingMenu* event_menu_ = nullptr;
  QComboBox* insert_choice_ = nullptr;
  QLineEdit* delay_edit_ = nullptr;
  QLineEdit* insert_delay_edit_ = nullptr;
  QLineEdit* repeat_edit_ = nullptr;
  QLineEdit* x_edit_ = nullptr;
  QLineEdit* y_edit_ = nullptr;
  QString record_caption_;
  QString stop_caption_;
  QString insert_caption_;
  QString keep_caption_;
  QColor font_colour_{217, 222, 230};
  QColor label_colour_{217, 222, 230};
  QPointer<SkinDialog> dialog_;
};

}  // namespace zelko
