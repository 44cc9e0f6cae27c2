#include "shell/screenshot.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPixmap>
#include <array>

#include "base/atomic_file.h"
#include "shell/button_menu_view.h"
#include "shell/colour_chooser_window.h"
#include "shell/combo_key_dialog.h"
#include "shell/engineer_page.h"
#include "shell/macro_page.h"
#include "shell/main_window.h"
#include "shell/password_dialog.h"
#include "shell/png_codec.h"

namespace zelko {

namespace {

struct PagePicture {
  Page page;
  const char* file;
};

constexpr std::array<PagePicture, 6> kPictures{{
    {Page::Main, "main"},
    {Page::Second, "second"},
    {Page::Advanced, "advanced"},
    {Page::Light, "light"},
    {Page::Macro, "macro"},
    {Page::Engineer, "engineer"},
}};

bool Save(QWidget& window, const QString& path, QString* error) {
  const std::vector<std::uint8_t> png = EncodePng(window.grab().toImage());
  const std::string failure =
      png.empty() ? std::string("cannot encode the picture") : WriteFileAtomically(path.toStdString(), png);
  if (failure.empty()) return true;
  if (error) *error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(failure));
  return false;
}

// Pictures a dialog as lang<language>_<file>.png, then closes it.
bool SaveAndClose(QWidget& dialog, const QDir& dir, int language, const char* file, QStringList& written,
                  QString* error) {
  const QString path = dir.filePath(QStringLiteral("lang%1_%2.png").arg(language).arg(QLatin1String(file)));
  const bool saved = Save(dialog, path, error);
  dialog.close();
  QCoreApplication::processEvents();
  if (saved) written << path;
  return saved;
}

// The button menu of Key1 open down to the DPI panel, then the
// combination-key dialog with Ctrl ticked and A pressed.
bool SaveButtonEditor(MainWindow& window, const QDir& dir, int language, QStringList& written, QString* error) {
  window.ShowPageUnchecked(Page::Main);
  window.ShowPnlMain_OnClick(1);
  window.menuView().Enter(QStringLiteral("Key_Special"));
  window.menuView().Enter(QStringLiteral("Key_CPIKey"));
  const QString menu = dir.filePath(QStringLiteral("lang%1_menu.png").arg(language));
  const bool menuSaved = Save(window, menu, error);
  window.HideAllMenu();
  if (!menuSaved) return false;
  written << menu;

  window.Key_AssemblyClick();
  ComboKeyDialog* dialog = window.comboDialog();
  if (!dialog) return true;
  dialog->box(ComboModifier::kCtrl)->click();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  QCoreApplication::sendEvent(dialog->field(), &press);
  return SaveAndClose(*dialog, dir, language, "combo", written, error);
}

// The normal LED's seven-colour chooser, made for the picture alone: the
// window's settings stay as they are.
bool SaveColourChooser(MainWindow& window, const QDir& dir, int language, QStringList& written, QString* error) {
  auto* chooser = new ColourChooserWindow(&window, 1, language, {});
  chooser->show();
  return SaveAndClose(*chooser, dir, language, "colour", written, error);
}

// A macro to show: made in the window's library (the pictures' own).
void AddSampleMacro(MainWindow& window) {
  MacroPage& page = window.macroPage();
  if (!page.model().RequestNew()) return;
  page.ApplyMacroName(QStringLiteral("Burst"));
  for (const char* name : {"Reload", "Jump Shot"}) {
    if (page.model().RequestNew()) page.ApplyMacroName(QLatin1String(name));
  }
  page.LB_PCMacroNameClick(0);
  (void)page.model().editor().ReplaceLines({"10", "1 Ctrl CODE:8101", "0 48", "1 A CODE:8204", "0 96", "2 A CODE:0204",
                                            "0 48", "2 Ctrl CODE:0101", "7 FD04", "1 LeftKey CODE:00A1", "0 40",
                                            "2 LeftKey CODE:0021", "3 FB0C", "6 FAF6", "8 00FC"});
  page.LB_PCMacroNameClick(0);
  page.LB_macroClick(3);
}

// The macro page's input dialogs: the name dialog of Rename, then the
// delay, key and value dialogs that Edit opens on rows of the sample macro.
bool SaveMacroDialogs(MainWindow& window, const QDir& dir, int language, QStringList& written, QString* error) {
  MacroPage& page = window.macroPage();
  const auto save = [&](const char* file) {
    SkinDialog* dialog = page.openDialog();
    return !dialog || SaveAndClose(*dialog, dir, language, file, written, error);
  };
  page.Btn_NewNameClick();
  if (!save("macro_name")) return false;
  // Rows of the sample macro: 2 the A press, 3 a delay, 11 an X move.
  for (const auto& [row, file] : {std::pair{3, "macro_delay"}, std::pair{2, "macro_key"}, std::pair{11, "macro_value"}}) {
    page.LB_macroClick(row);
    page.Btn_EditClick();
    if (!save(file)) return false;
  }
  page.LB_macroClick(3);
  return true;
}

// The macro page's library menu, then its insert panel on a move and on
// an insert recording.
bool SaveMacroPage(MainWindow& window, const QDir& dir, int language, QStringList& written, QString* error) {
  MacroPage& page = window.macroPage();
  window.ShowPageUnchecked(Page::Macro);
  const QWidget* list = window.controls().Find(QStringLiteral("LB_PCMacroName"));
  if (!list) return true;
  page.OpenLibraryMenu(list->mapTo(&window, QPoint(60, 30)));
  const QString menu = dir.filePath(QStringLiteral("lang%1_macro_menu.png").arg(language));
  const bool menuSaved = Save(window, menu, error);
  page.HideMacroMenus();
  if (!menuSaved) return false;
  written << menu;

  page.Btn_InsertClick();
  for (const auto& [choice, file] :
       {std::pair{6, "macro_insert"}, std::pair{4, "macro_insert_repeat"}, std::pair{2, "macro_insert_record"}}) {
    page.CB_InsertChange(choice);
    const QString path = dir.filePath(QStringLiteral("lang%1_%2.png").arg(language).arg(QLatin1String(file)));
    if (!Save(window, path, error)) {
      page.Btn_CancelClick();
      return false;
    }
    written << path;
  }
  page.Btn_CancelClick();
  return SaveMacroDialogs(window, dir, language, written, error);
}

// The engineer page in engineer mode, the way a user gets there: the logo
// double-clicked until the password dialog opens, the code typed, OK; then
// the menu of one selector; engineer mode is left again at the end.
bool SaveEngineerMode(MainWindow& window, const QDir& dir, int language, QStringList& written, QString* error) {
  window.ShowPageUnchecked(Page::Engineer);
  for (int click = 0; click < kLogoClicksPerAsk && !window.passwordDialog(); ++click) window.Img_Logo4DblClick();
  if (PasswordDialog* dialog = window.passwordDialog()) {
    const QString dialogFile = dir.filePath(QStringLiteral("lang%1_password.png").arg(language));
    dialog->field()->setText(QString::fromUtf8(kEngineerAccessCode.data(), static_cast<qsizetype>(kEngineerAccessCode.size())));
    const bool dialogSaved = Save(*dialog, dialogFile, error);
    dialog->okButton()->click();
    QCoreApplication::processEvents();
    if (!dialogSaved) return false;
    written << dialogFile;
  }
  const QString on = dir.filePath(QStringLiteral("lang%1_engineer_mode.png").arg(language));
  if (!Save(window, on, error)) return false;
  written << on;
  {
    window.engineerPage().ShowTab(true);
    const QString tab = dir.filePath(QStringLiteral("lang%1_engineer_tab.png").arg(language));
    const bool tabSaved = Save(window, tab, error);
    window.engineerPage().ShowTab(false);
    if (!tabSaved) return false;
    written << tab;
  }
  window.TLShowPnlMain_OnClick(105);
  window.menuView().Enter(QStringLiteral("Key_Standard"));
  const QString menu = dir.filePath(QStringLiteral("lang%1_engineer_menu.png").arg(language));
  const bool menuSaved = Save(window, menu, error);
  window.HideAllMenu();
  if (window.engineerMode().on()) window.Img_Logo4DblClick();
  if (!menuSaved) return false;
  written << menu;
  return true;
}

}  // namespace

QStringList RenderAllPages(MainWindow& window, const QString& folder, QString* error) {
  QStringList written;
  if (!QDir().mkpath(folder)) {
    if (error) *error = QStringLiteral("cannot create %1").arg(folder);
    return written;
  }
  const QDir dir(folder);
  AddSampleMacro(window);
  for (int language = 1; language <= 3; ++language) {
    window.LanguageButtonClick(language);
    for (const auto& picture : kPictures) {
      window.ShowPageUnchecked(picture.page);
      const QString path = dir.filePath(QStringLiteral("lang%1_%2.png").arg(language).arg(picture.file));
      if (!Save(window, path, error)) return written;
      written << path;
    }
    if (!SaveButtonEditor(window, dir, language, written, error)) return written;
    if (!SaveColourChooser(window, dir, language, written, error)) return written;
    if (!SaveMacroPage(window, dir, language, written, error)) return written;
    if (!SaveEngineerMode(window, dir, language, written, error)) return written;
  }
  window.LanguageButtonClick(1);
  window.ShowPageUnchecked(Page::Main);
  const QString main = dir.filePath(QStringLiteral("main.png"));
  if (Save(window, main, error)) written << main;
  return written;
}

}  // namespace zelko
