#include "shell/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include "image/expected_codes.h"
#include "keys/key_label.h"
#include "settings/settings_write.h"
#include "pointer/platform_pointer_store.h"
#include "resources/engineer_terms.h"
#include "resources/general_pack.h"
#include "resources/language_pack.h"
#include "resources/layout_pack.h"
#include "shell/advanced_page.h"
#include "shell/engineer_page.h"
#include "shell/light_page.h"
#include "shell/macro_page.h"
#include "shell/button_menu_view.h"
#include "shell/qt_button_names.h"
#include "shell/hover_controller.h"
#include "shell/key_test_runner.h"
#include "shell/profile_dialogs.h"
#include "shell/skin_setup.h"
#include "shell/progress_window.h"
#include "shell/skin_images.h"
#include "shell/skin_widgets.h"
#include "shell/window_builder.h"
#include "shell/window_geometry.h"

namespace zelko {

namespace {

// The size the window takes when the background image is missing.
constexpr QSize kFallbackSkin(900, 640);

QString PageName(int copy) { return QStringLiteral("gbPage%1").arg(copy); }

}  // namespace

MainWindow::MainWindow(WindowServices services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      messages_(services.messages),
      clock_(services.clock ? *services.clock : DefaultClock()),
      run_poll_timer_(services.runPollTimer),
      open_address_(std::move(services.openAddress)),
      library_file_(std::move(services.macroLibraryFile)),
      open_engineer_page_(services.openEngineerPage) {
  open_input_capture_ = std::move(services.openInputCapture);
  pointer_store_ = services.pointerStore;
  if (!pointer_store_) {
    own_pointer_store_ = OpenPlatformPointerStore(/*use_desktop=*/true).store;
    pointer_store_ = own_pointer_store_.get();
  }
  if (!messages_) {
    own_messages_ = std::make_unique<QtMessagePresenter>();
    messages_ = own_messages_.get();
  }
  profile_dialogs_ = services.profileDialogs;
  if (!profile_dialogs_) {
    own_profile_dialogs_ = std::make_unique<QtProfileDialogs>([this] { return texts_.index(); });
    profile_dialogs_ = own_profile_dialogs_.get();
  }
  if (!open_address_) {
    open_address_ = [](const QString& address) {
      QDesktopServices::openUrl(QUrl::fromUserInput(address));
    };
  }
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QLatin1String(kWindowTitle));
  progress_ = new ProgressWindow(this);

  UiActions actions;
  actions.show_progress = [this](int done, int total) { progress_->ShowChunk(done, total); };
  actions.hide_progress = [this] {
    progress_->HideNow();
    if (close_pending_) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  };
  actions.process_messages = [] { QCoreApplication::processEvents(); };
  actions.set_covered = [this](bool covered) { SetCovered(covered); };
  actions.show_message = [this](const std::string& id, const std::string& second) {
    ShowTextMessage(id, second, MessageKind::Program);
  };
  actions.redraw = [this] { RefreshFromImage(); };
  actions.set_poll_timer = [this](bool running) {
    if (running && run_poll_timer_) {
      dev_timer_.start();
    } else if (!running) {
      dev_timer_.stop();
    }
  };
  ui_port_ = std::make_unique<QtUiPort>(std::move(actions));
  if (!services.device) qFatal("MainWindow: WindowServices::device is required (session::OpenDeviceSession)");
  session_ = std::make_unique<session::MouseSession>(std::move(services.device), *ui_port_);
  if (!services.backupFolder.empty()) session_->backup_folder = services.backupFolder;
  FormCreate();
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  dev_timer_.stop();
  // The key test's worker talks to the mouse: it ends first.
  key_test_.reset();
  session_.reset();
}

void MainWindow::FormCreate() {
  InstallFontFallbacks();
  // The background decides the window's size.
  const QImage background = LoadSkinImage(QStringLiteral("L1_BackGround"));
  skin_ = background.isNull() ? kFallbackSkin : background.size();
  BuildControls();
  resize(skin_);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(CenteredOver(QRect(QPoint(0, 0), screen->size()), skin_));
  }
  // The progress window starts centred across and 40 pixels below the middle.
  progress_->move(CenteredOver(QRect(pos(), skin_), progress_->size()) + QPoint(0, 40));
  ShowContainer(1);

  LoadInitialImages(controls_);
  general_ = ToGeneralSettings(LoadGeneralPack());
  LoadMacroLibrary();
  texts_.Select(1);
  ApplyPacks();
  PlaceWebButton(controls_, general_);

  const ExpectedCodes expected = ShippedExpectedCodes();
  pointer_params_ = ReadPointerParameters(*pointer_store_, pointer_params_);
  advanced_page_->RefreshPointer();
  application_title_ = kept_.title.isEmpty() ? QLatin1String(kApplicationTitle) : kept_.title;

  ConnectionCallbacks callbacks;
  callbacks.read_image = [this] {
    const bool shown = session_->ReadImage().ok();
    if (shown) FinishRead();
    return shown;
  };
  callbacks.init_no_device = [this] {
    // False only in a build without the factory images: nothing to show.
    if (session_->workspace().LoadFactoryImage(1, ImageSource::kNoDevice)) RefreshFromImage();
  };
  callbacks.return_to_main_page = [this] { RefreshErrorAPWindow(); };
  callbacks.clear_page_lock = [this] { navigation_.ClearLock(); };
  session_->Connect(expected, std::move(callbacks));
  session_->connection()->RefreshErrorAP();

  // The start selects language 1: its buttons show as chosen.
  for (int n = 1; n <= kLanguageCount; ++n) {
    controls_.ShowImages(AllCopies(QStringLiteral("Lang%1").arg(n),
                                   n == 1 ? QStringLiteral("SetS_03") : QStringLiteral("SetS_01")));
  }
  SetCovered(true);
  dev_timer_.setObjectName(QStringLiteral("DevTimer"));
  dev_timer_.setInterval(static_cast<int>(kDevTimerIntervalMs));
  connect(&dev_timer_, &QTimer::timeout, this, &MainWindow::DevTimerTimer);
  if (run_poll_timer_) dev_timer_.start();
  BindHandlers();
  BindProfileButtons();
  MakeKeyTest();
}

void MainWindow::BuildControls() {
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) BuildSkinnedPage(copy, this, skin_, controls_);
  // The engineer page's terms follow the user's locale, chosen once.
  EngineerPageServices engineer{&settings_, TermLanguageFromEnvironment(),
                                [this](const QString& text) {
                                  messages_->Show(this, text, MessageKind::Program, kept_.fontName, application_title_);
                                },
                                [this] {
                                  advanced_page_->Refresh();
                                  light_page_->Refresh();
                                }};
  engineer_page_ = new EngineerPage(this, controls_, std::move(engineer));
  AdvancedPageServices advanced{&settings_, &pointer_params_, pointer_store_,
                                [this](const QString& text) {
                                  messages_->Show(this, text, MessageKind::Program, kept_.fontName, application_title_);
                                },
                                [this] { return texts_.index(); }};
  advanced_page_ = new AdvancedPage(controls_.Find(PageName(2)), controls_, std::move(advanced));
  light_page_ = new LightPage(controls_.Find(PageName(3)), controls_, settings_);
  macro_page_ = BuildMacroPage(open_input_capture_ ? open_input_capture_() : OpenDesktopInputCapture());
  // Above every page: the menu opens over the labels and the engineer page.
  menu_view_ = new ButtonMenuView(this, controls_);
}

void MainWindow::BindHandlers() {
  hover_ = new HoverController(
      controls_, [this] { return CurrentHoverContext(); },
      [this] { return general_.rollingEnabled(); }, this);

  auto bindClick = [this](const QString& label, std::function<void()> handler) {
    if (auto* control = controls_.Label(label)) {
      connect(control, &HoverLabel::clicked, this, std::move(handler));
    }
  };
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    for (const QString& button : SkinnedButtonNames()) {
      const QString label = ButtonLabelName(button, copy);
      if (auto* control = controls_.Label(label)) hover_->Bind(control);
      const auto ref = ParseButtonLabel(label);
      if (!ref) continue;
      switch (ref->family) {
        case ButtonFamily::Action:
          bindClick(label, [this, button] { ActionButtonClick(button); });
          break;
        case ButtonFamily::Tab:
          if (const auto page = PageOfTabButton(button)) {
            bindClick(label, [this, page] { PageButtonClick(*page); });
          }
          break;
        case ButtonFamily::Language: {
          const int n = button.right(1).toInt();
          bindClick(label, [this, n] { LanguageButtonClick(n); });
          break;
        }
        case ButtonFamily::Close:
          bindClick(label, [this] { ExitClick(); });
          break;
        case ButtonFamily::Minimise:
          bindClick(label, [this] { MinimiseClick(); });
          break;
        case ButtonFamily::Web:
          bindClick(label, [this] { WebButtonClick(); });
          break;
        case ButtonFamily::KeyFrame:
          break;
      }
    }
    if (auto* base = controls_.Image(QStringLiteral("Img_Base_%1").arg(copy))) {
      connect(base, &SkinImage::pressed, this, &MainWindow::StartDrag);
    }
    if (auto* panel = controls_.Image(QStringLiteral("Img_P%1").arg(copy))) {
      connect(panel, &SkinImage::pressed, this, &MainWindow::StartDrag);
    }
    if (auto* cover = qobject_cast<CoverLabel*>(controls_.Find(QStringLiteral("Disable_All_%1").arg(copy)))) {
      connect(cover, &CoverLabel::pressed, this, &MainWindow::StartDrag);
    }
  }
  for (int n = 1; n <= 9; ++n) {
    if (auto* key = controls_.Label(QStringLiteral("Key%1").arg(n))) {
      hover_->Bind(key);
      connect(key, &HoverLabel::clicked, this, [this, n] { ShowPnlMain_OnClick(n); });
    }
  }
  bindClick(QStringLiteral("IB_ComboKey1"), [this] { IB_ComboKeyClick(LongPressOption::kMiddle); });
  bindClick(QStringLiteral("IB_ComboKey2"), [this] { IB_ComboKeyClick(LongPressOption::kCpi); });
  connect(menu_view_, &ButtonMenuView::entryClicked, this, &MainWindow::KeyStatusOnClick);
  connect(menu_view_, &ButtonMenuView::macroClicked, this, &MainWindow::LB_NameClick);
  qApp->installEventFilter(this);
  // The engineer page's own page buttons share the handlers.
  const std::pair<const char*, Page> engineerButtons[] = {
      {"Btn_Main_6", Page::Main},     {"Btn_Second_6", Page::Second}, {"Btn_Adv_6", Page::Advanced},
      {"Btn_Breath_6", Page::Light},  {"Btn_Macro_6", Page::Macro},   {"Btn_Engineer_6", Page::Engineer},
  };
  for (const auto& [name, page] : engineerButtons) {
    if (auto* button = qobject_cast<QAbstractButton*>(controls_.Find(QLatin1String(name)))) {
      const Page target = page;
      connect(button, &QAbstractButton::clicked, this, [this, target] { PageButtonClick(target); });
    }
  }
  BindEngineerPage();
}

void MainWindow::ApplyPacks() {
  AppliedPacks applied = ApplyLanguagePacks(controls_, texts_, general_.numberOrder);
  layout_ = std::move(applied.layout);
  kept_ = std::move(applied.kept);
  advanced_page_->ApplyLayout(layout_, general_.barStyle, kept_.aimLabel);
  light_page_->ApplyLayout(general_.barStyle);
  macro_page_->ApplyLayout(layout_, texts_, kept_.fontName);
  ApplyMenuLayout();
  UpdateWindowShape();
}

void MainWindow::ShowContainer(int container) {
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    if (auto* page = controls_.Find(PageName(copy))) page->setVisible(copy == container);
  }
  if (auto* engineer = controls_.Find(QStringLiteral("gbPage6"))) {
    engineer->setVisible(container == kEngineerContainer);
  }
  SizeToSkin();
}

void MainWindow::SizeToSkin() {
  const auto* page6 = controls_.Find(QStringLiteral("gbPage6"));
  const bool engineer = page6 && page6->isVisibleTo(this);
  const QSize size = engineer ? QSize(kEngineerWidth, kEngineerHeight) : skin_;
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) controls_.Resize(PageName(copy), skin_.width(), skin_.height());
  resize(size);
  UpdateWindowShape();
}

void MainWindow::UpdateWindowShape() {
  // Platforms without windows of their own (offscreen) have no shapes.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
  const auto* engineer = controls_.Find(QStringLiteral("gbPage6"));
  if (engineer && engineer->isVisibleTo(this)) {
    clearMask();
    return;
  }
  // The colour key: keyed and transparent pixels of the background are not
  // part of the window.
  const auto* base = controls_.Image(QStringLiteral("Img_Base_1"));
  const QPixmap picture = base ? LoadSkinPixmap(base->imageName()) : QPixmap();
  if (picture.isNull() || !picture.hasAlphaChannel()) {
    clearMask();
    return;
  }
  setMask(picture.mask());
}

void MainWindow::ShowPanelBackground(Page page) {
  const int back = TraitsOf(page).panelBack;
  controls_.ShowImages({{QStringLiteral("Img_P%1").arg(back),
                         LanguageImageName(texts_.index(), QStringLiteral("Back%1").arg(back))}});
}

void MainWindow::RefreshErrorAPWindow() {
  navigation_.EnterNoDeviceState();
  ShowContainer(1);
  controls_.ShowImages(TabImagesForActivePage(Page::Main));
}

session::WriteReport MainWindow::ApplyAll() {
  return session::ApplySettings(*session_, settings_, [this] {
    // What the desktop took is the pointer page's to show; the write goes on.
    (void)WriteAndApplyPointerParameters(*pointer_store_, pointer_params_);
  });
}

void MainWindow::FinishRead() {
  pointer_params_ = ReadPointerParameters(*pointer_store_, pointer_params_);
  advanced_page_->RefreshPointer();
  const Page checked = navigation_.checked();
  navigation_.ShowMainAfterRead();
  ShowContainer(1);
  if (checked == Page::Main || checked == Page::Second) {
    controls_.ShowImages(TabImagesForActivePage(checked));
    ShowProfileLabels(checked == Page::Second);
  }
  if (open_engineer_page_) {
    open_engineer_page_ = false;
    // After the read has finished and the page lock is gone.
    QMetaObject::invokeMethod(this, [this] { PageButtonClick(Page::Engineer); }, Qt::QueuedConnection);
  }
}

void MainWindow::RefreshFromImage() {
  const Workspace& workspace = session_->workspace();
  settings_ = DecodeMouseSettings(workspace.record);
  device_slots_ = ReadDeviceSlots(workspace.base_macro_area);
  RefreshUI();
}

void MainWindow::RefreshUI() {
  const bool keyModeB = settings_.buttons.key_mode == KeyMode::kB;
  controls_.ShowImages({{QStringLiteral("Img_P1"), LanguageImageName(texts_.index(), QStringLiteral("Back1"))}});
  navigation_.SelectKeyMode(keyModeB);
  controls_.ShowImages(TabImagesForActivePage(navigation_.checked()));
  ShowProfileLabels(keyModeB);
  controls_.ShowImages(LongPressImages(settings_.buttons));
  advanced_page_->Refresh();
  light_page_->Refresh();
  engineer_page_->Refresh();
  TLRefreshProfileKeys();
}

void MainWindow::ShowProfileLabels(bool profileB) {
  shown_profile_ = profileB ? 2 : 1;
  const auto& table = settings_.buttons.Profile(profileB ? 2 : 1);
  const int language = texts_.index();
  const TextLookup text = [language](std::string_view id) { return LangText(language, id); };
  const SlotNameLookup slotName = [this](int slot) { return device_slots_.ShownName(slot); };
  for (std::size_t i = 0; i < table.size(); ++i) {
    controls_.SetCaption(QStringLiteral("Key%1").arg(i + 1),
                         QString::fromStdString(KeyCodeToLabel(ButtonCodeText(table[i]), text, slotName)));
  }
}

bool MainWindow::covered() const {
  const auto* cover = controls_.Find(QStringLiteral("Disable_All_1"));
  return cover && !cover->isHidden();
}

QString MainWindow::keyCaption(int n) const { return controls_.Caption(QStringLiteral("Key%1").arg(n)); }

void MainWindow::SetCovered(bool covered) {
  // A menu left open would stand above the cover.
  if (covered) HideAllMenu();
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    auto* cover = controls_.Find(QStringLiteral("Disable_All_%1").arg(copy));
    if (!cover) continue;
    cover->setVisible(covered);
    if (covered) {
      cover->raise();
      // Close and minimise stay reachable above the cover.
      for (const char* button : {"Mini", "Exit"}) {
        for (const QString& name : {ButtonImageName(QLatin1String(button), copy),
                                    ButtonLabelName(QLatin1String(button), copy)}) {
          if (auto* control = controls_.Find(name)) control->raise();
        }
      }
    }
  }
}

void MainWindow::ShowTextMessage(const std::string& id, const std::string& secondId, MessageKind kind) {
  QString text = texts_.Text(QString::fromStdString(id));
  if (!secondId.empty()) text += QStringLiteral("\r\r") + texts_.Text(QString::fromStdString(secondId));
  messages_->Show(this, text, kind, kept_.fontName, application_title_);
}

HoverContext MainWindow::CurrentHoverContext() const {
  HoverContext context;
  context.checkedPage = navigation_.checked();
  context.pageLocked = navigation_.locked();
  context.checkedLanguage = texts_.index();
  // A handle left stale by an unplugged mouse does not count as connected.
  const DeviceConnection* connection = session_->connection();
  context.deviceConnected =
      session_->IsOpen() && connection && connection->state() != ConnectionState::kWaiting;
  return context;
}

void MainWindow::StartDrag(QPoint globalPos) {
  if (QWindow* handle = windowHandle(); handle && handle->startSystemMove()) return;
  // The platform cannot move the window itself: follow the mouse by hand.
  dragging_ = true;
  drag_offset_ = globalPos - frameGeometry().topLeft();
  grabMouse();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) {
    move(event->globalPosition().toPoint() - drag_offset_);
    return;
  }
  QWidget::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_) {
    dragging_ = false;
    releaseMouse();
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

bool MainWindow::transferRunning() const {
  const DeviceConnection* connection = session_->connection();
  return progress_->isVisible() || (connection && connection->PollBusy());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Close and minimise stay reachable above the cover, so a close can come
  // in the middle of a transfer: it waits for the transfer's end rather than
  // cut a write short and leave the mouse half written.
  if (transferRunning()) {
    close_pending_ = true;
    event->ignore();
    return;
  }
  close_pending_ = false;
  // A key test still running ends with its closing commands.
  key_test_->Finish();
  // FormCloseQuery: the device is released; nothing else is saved.
  dev_timer_.stop();
  progress_->HideNow();
  if (const Status saved = session_->Finish(); !saved) {
    qWarning("zelko77: the simulated mouse's memory was not saved: %s", saved.error().c_str());
  }
  event->accept();
}

}  // namespace zelko
