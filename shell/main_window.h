// The main window (TForm1): the borderless skinned window with its four
// skinned pages and the engineer page, the poll timer, the covering labels,
// the progress window and the program's messages. It composes the models
// (navigation, hover and rolling captions, packs) and the device session;
// its handlers only translate clicks into their calls.
#pragma once
#include <QPoint>
#include <QSize>
#include <QTimer>
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "pages/hover_rules.h"
#include "macros/input_capture.h"
#include "macros/device_slots.h"
#include "macros/macro_library.h"
#include "pages/button_editor.h"
#include "pages/button_menu.h"
#include "pages/engineer_mode.h"
#include "settings/mouse_settings.h"
#include "pointer/pointer_parameters.h"
#include "pointer/pointer_store.h"
#include "shell/control_registry.h"
#include "session/mouse_session.h"
#include "shell/general_settings.h"
#include "shell/language_applier.h"
#include "shell/language_texts.h"
#include "shell/layout_values.h"
#include "shell/message_presenter.h"
#include "pages/page_navigation.h"
#include "session/use_cases.h"
#include "shell/qt_ui_port.h"

namespace zelko {

class AdvancedPage;
class ButtonMenuView;
class ComboKeyDialog;
class EngineerPage;
class PasswordDialog;
class HoverController;
class KeyTestRunner;
class LightPage;
class MacroPage;
struct DialogSetup;
class ProfileDialogs;
class ProgressWindow;

struct WindowServices {
  MessagePresenter* messages = nullptr;  // null: the standard message boxes
  Clock* clock = nullptr;                // null: the system clock
  // The mouse, from session::OpenDeviceSession (the factory zelko77ctl uses
  // too); required.
  std::unique_ptr<session::DeviceSession> device;
  // Tests run the poll by hand and turn the timer off.
  bool runPollTimer = true;
  // Opens the web address; null: the system's default handler.
  std::function<void(const QString&)> openAddress;
  // Where the OS pointer settings live; null: the platform's own (the
  // registry, or the settings file and the desktop).
  PointerStore* pointerStore = nullptr;
  // The macro library file; empty: ZELKO77-Macro.bin in MacroFolder (the
  // general pack's Path, else the user's data folder).
  std::filesystem::path macroLibraryFile;
  // Opens the recorder's capture of the desktop; null: the platform's own
  // (OpenDesktopInputCapture). A capture of none makes the recorder hear
  // what reaches the window.
  std::function<std::unique_ptr<InputCapture>()> openInputCapture;
  // Open the engineer page as soon as the mouse has been read
  // (zelko77 --engineer-page).
  bool openEngineerPage = false;
  // Where the backup kept before every write goes; empty: the user's
  // data folder (DefaultBackupFolder).
  std::string backupFolder;
  // The file dialogs of Save and Load Profile; null: the toolkit's own.
  ProfileDialogs* profileDialogs = nullptr;
};

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr const char* kWindowTitle = "ZELKO77 Gaming Mouse v1.0";
  static constexpr const char* kApplicationTitle = "ZELKO77 Gaming Mouse";

  explicit MainWindow(WindowServices services);
  ~MainWindow() override;

  // The button handlers (every copy of a button calls the same one).
  void PageButtonClick(Page page);            // Btn_Main_0Click .. Btn_Engineer_0Click
  void ActionButtonClick(const QString& button);  // Read, Apply, Confirm, Confirm1..3
  void LanguageButtonClick(int languageIndex);    // Btn_Lang1_0Click ..
  void WebButtonClick();
  void MinimiseClick();
  void ExitClick();
  // One DevTimer tick.
  void DevTimerTimer();

  // Save Profile and Load Profile (every copy of the buttons).
  void Btn_Save_0Click();
  void Btn_Load_0Click();
  // The key test (btn_TestKeysClick): pressed buttons blink btn_Key101 ..
  // btn_Key109, the caption of btn_TestKeys counts down.
  void StartKeyTest();
  KeyTestRunner& keyTest() { return *key_test_; }
  // While the key test runs only its worker talks to the mouse: the
  // buttons that would talk to it do nothing.
  bool keyTestRunning() const;

  // The button assignment editor.
  void ShowPnlMain_OnClick(int button);         // a click on Key1 .. Key9
  void KeyStatusOnClick(const QString& entry);  // a click on an assignable entry or Customise
  void Key_AssemblyClick();                     // Customise: the combination-key dialog
  void ApplyComboKey();                         // the dialog was confirmed
  void LB_NameClick(int row);                   // a macro of LB_Name
  void IB_ComboKeyClick(LongPressOption option);  // IB_ComboKey1Click, IB_ComboKey2Click
  void HideAllMenu();
  // The engineer page's Import Base Macro: the seven device slots from a
  // file, written to the mouse.
  void ImportBaseMacro();

  // The engineer page: the logo's double-click, the Default button and a
  // click on one of the eighteen button selectors.
  void Img_Logo4DblClick();
  void Btn_DefaultClick();
  void TLShowPnlMain_OnClick(int number);
  EngineerPage& engineerPage() { return *engineer_page_; }
  const EngineerMode& engineerMode() const { return engineer_mode_; }
  // The password dialog opened last, while it is open.
  PasswordDialog* passwordDialog() const;

  // Shows a page regardless of the mouse and the lock (screenshots).
  void ShowPageUnchecked(Page page);

  ControlRegistry& controls() { return controls_; }
  const PageNavigation& navigation() const { return navigation_; }
  HoverController& hover() { return *hover_; }
  session::MouseSession& session() { return *session_; }
  QTimer& devTimer() { return dev_timer_; }
  ProgressWindow& progressWindow() { return *progress_; }
  // The window's side of the core's flows.
  UiPort& uiPort() { return *ui_port_; }
  // The mouse is being searched for or a transfer with it is under way.
  bool transferRunning() const;
  int languageIndex() const { return texts_.index(); }
  const LanguageTexts& texts() const { return texts_; }
  const GeneralSettings& general() const { return general_; }
  const LayoutSettings& layout() const { return layout_; }
  const DeviceMacroSlots& deviceSlots() const { return device_slots_; }
  ButtonMenuView& menuView() { return *menu_view_; }
  // The combination-key dialog opened last, while it is open.
  ComboKeyDialog* comboDialog() const;
  const ComboHandOver& comboHandOver() const { return combo_; }
  const PCMacroLibrary& macroLibrary() const { return library_; }
  const std::filesystem::path& macroLibraryFile() const { return library_file_; }
  // The profile the main page shows (rb_1: 1, rb_2: 2).
  int shownProfile() const { return shown_profile_; }
  // The settings the pages edit (tests change them as a page would).
  MouseSettings& settings() { return settings_; }
  PointerParameters& pointerParameters() { return pointer_params_; }
  AdvancedPage& advancedPage() { return *advanced_page_; }
  LightPage& lightPage() { return *light_page_; }
  MacroPage& macroPage() { return *macro_page_; }
  const QString& applicationTitle() const { return application_title_; }
  QSize skinSize() const { return skin_; }
  bool covered() const;
  // The caption of profile button n (1..9) on the main page.
  QString keyCaption(int n) const;
  // Where a click on the web button would have gone (empty: nowhere yet).
  const QString& lastOpenedAddress() const { return last_opened_address_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A press anywhere in the window outside the menu closes the menu (the
  // filter sits on the application, for the window's platform window).
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FormCreate();
  void BuildControls();
  void BindHandlers();
  void ApplyPacks();
  void ShowContainer(int container);
  void SizeToSkin();
  void UpdateWindowShape();
  void ShowPanelBackground(Page page);
  void RefreshErrorAPWindow();
  void FinishRead();
  // A new image was unpacked: the settings and the device slots decoded from
  // it, then every page redrawn.
  void RefreshFromImage();
  void RefreshUI();
  // Apply and Confirm: every setting encoded and written, the OS pointer
  // settings applied on the way.
  session::WriteReport ApplyAll();
  void SayWhenTheEndWentUnanswered(const session::WriteReport& report);
  void ShowProfileLabels(bool profileB);
  void SetCovered(bool covered);
  void ShowTextMessage(const std::string& id, const std::string& secondId, MessageKind kind);
  void KeepAliveWait();
  void StartDrag(QPoint globalPos);
  HoverContext CurrentHoverContext() const;
  void LoadMacroLibrary();
  void ApplyMenuLayout();
  // Puts an assignment's caption on the picked label and says why a change
  // was refused.
  void ShowAssignment(const ButtonPick& pick, const AssignmentResult& result);
  TextLookup CurrentTextLookup() const;
  // The macro page and the library it edits.
  MacroPage* BuildMacroPage(std::unique_ptr<InputCapture> capture);
  bool SaveMacroLibrary(const PCMacroLibrary& library);
  void RefreshMacroNames();
  DialogSetup CurrentDialogSetup() const;
  // The engineer page's wiring and its part of the redraw.
  void BindEngineerPage();
  void EngineerPageOpened();
  void TLRefreshProfileKeys();
  // The captions the Left Click rule compares for a pick: the labels of the
  // picked profile's codes.
  ProfileCaptions PickCaptions(const ButtonPick& pick) const;
  // Apply and Confirm: identity codes that would lock the mouse out are
  // refused with a message (true) before anything is written.
  bool RefuseLockingIdentity();

  MessagePresenter* messages_;
  std::unique_ptr<MessagePresenter> own_messages_;
  Clock& clock_;
  bool run_poll_timer_;
  ControlRegistry controls_;
  PageNavigation navigation_;
  GeneralSettings general_;
  LayoutSettings layout_;
  LanguageTexts texts_;
  KeptTexts kept_;
  QString application_title_;
  QString last_opened_address_;
  QSize skin_;
  QTimer dev_timer_;
  ProgressWindow* progress_ = nullptr;
  HoverController* hover_ = nullptr;
  AdvancedPage* advanced_page_ = nullptr;
  LightPage* light_page_ = nullptr;
  MacroPage* macro_page_ = nullptr;
  std::function<std::unique_ptr<InputCapture>()> open_input_capture_;
  std::unique_ptr<QtUiPort> ui_port_;
  std::unique_ptr<session::MouseSession> session_;
  // The seven device macro slots split from the image (their shown names
  // label the buttons that play them).
  DeviceMacroSlots device_slots_;
  // What the pages show and edit; Apply encodes all of it.
  MouseSettings settings_;
  // The OS pointer settings: read at start-up and after every read of the
  // mouse, written and applied with every Apply.
  std::unique_ptr<PointerStore> own_pointer_store_;
  PointerStore* pointer_store_ = nullptr;
  PointerParameters pointer_params_;
  std::function<void(const QString&)> open_address_;
  QPoint drag_offset_;
  bool dragging_ = false;
  // Close was asked for while a transfer ran; it happens when it ends.
  bool close_pending_ = false;
  // The button menu, the combination hand-over and the dialog that fills it.
  ButtonMenuView* menu_view_ = nullptr;
  ComboHandOver combo_;
  QPointer<ComboKeyDialog> combo_dialog_;
  int shown_profile_ = 1;
  // The PC macro library (ZELKO77-Macro.bin), listed in LB_Name.
  std::filesystem::path library_file_;
  PCMacroLibrary library_;
  // The engineer page, the hidden engineer mode and its password dialog.
  EngineerPage* engineer_page_ = nullptr;
  EngineerMode engineer_mode_;
  QPointer<PasswordDialog> password_dialog_;
  bool open_engineer_page_ = false;
  ProfileDialogs* profile_dialogs_ = nullptr;
  std::unique_ptr<ProfileDialogs> own_profile_dialogs_;
  std::unique_ptr<KeyTestRunner> key_test_;
  // Save and Load of every page bound to their handlers.
  void BindProfileButtons();
  // The key test's runner, its targets found by name when it shows them.
  void MakeKeyTest();
  void SetTestKeysCaption(const QString& caption);
  void ShowTestKey(int button, bool visible);
};

}  // namespace zelko
