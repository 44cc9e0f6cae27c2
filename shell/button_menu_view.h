// The button function menu on widgets: the panels Pnl_Main .. Pnl_MyPC with
// their entries and sub-menu markers, and the macro list LB_Name, built
// from the menu model's entries (pages/button_menu.h) and shown where the
// model says. Hover goes to the model; clicks on entries and list rows are
// passed on to the window, which assigns.
#pragma once
#include <QColor>
#include <QListWidget>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <array>

#include "pages/button_menu.h"
#include "shell/layout_values.h"
#include "shell/skin_widgets.h"

namespace zelko {

class ControlRegistry;

// A menu entry: a caption that takes the highlighted colours while the
// mouse is over it.
class MenuEntryLabel : public HoverLabel {
  Q_OBJECT
 public:
  MenuEntryLabel(const QString& objectName, QWidget* parent);
  void SetHighlight(bool on, const QColor& text, const QColor& back);
  bool highlighted() const { return highlighted_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool highlighted_ = false;
  QColor back_;
};

// A panel: the pack's background, a one-pixel border.
class MenuPanelWidget : public QWidget {
  Q_OBJECT
 public:
  MenuPanelWidget(const QString& objectName, QWidget* parent);
  void SetColours(const QColor& back, const QColor& border);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor back_{23, 27, 34};
  QColor border_{58, 68, 82};
};

// The menu's colours from the layout pack (group G), with the shipped
// pack's values where a pack gives none.
struct MenuColours {
  QColor text{217, 222, 230};         // Color_G
  QColor back{23, 27, 34};            // Color_G_Back
  QColor border{58, 68, 82};          // Color_G_Border
  QColor highlightText{11, 13, 17};   // Color_G_SF
  QColor highlightBack{0, 210, 255};  // Color_G_SP
  static MenuColours From(const LayoutSettings& layout);
};

class ButtonMenuView : public QObject {
  Q_OBJECT
 public:
  ButtonMenuView(QWidget* window, ControlRegistry& controls);

  ButtonMenu& model() { return model_; }
  const ButtonMenu& model() const { return model_; }

  // After the layout pack was applied: sizes, colours and the row height of
  // the macro list.
  void ApplyLayout(const MenuLayout& layout, const MenuColours& colours, int macroRowHeight);
  // The library's macros in entry order, as LB_Name shows them.
  void SetMacroNames(const QStringList& names);

  void OpenForMainPage(int button, const QRect& label);
  // A selector of the engineer page (101..109, 201..209).
  void OpenForEngineerPage(int number, const EngineerButtonPlace& place);
  void HideAll();
  void HideMainAndMacroList();
  // The mouse over an entry (tests may call these as the widgets do).
  void Enter(const QString& entry);
  void Leave(const QString& entry);

  // Whether a widget is part of the menu (a click on it keeps the menu).
  bool Contains(const QWidget* widget) const;
  QWidget* Panel(MenuPanel panel) const { return panels_[static_cast<std::size_t>(panel)]; }
  QListWidget* macroList() const { return macro_list_; }

 signals:
  // A click on an assignable entry or on Customise.
  void entryClicked(const QString& entry);
  // A click on row `row` of LB_Name.
  void macroClicked(int row);

 private:
  void Build(QWidget* window, ControlRegistry& controls);
  void Sync();
  void StyleMacroList();

  ButtonMenu model_;
  MenuColours colours_;
  int macro_row_height_ = 20;
  std::array<QWidget*, kMenuPanelCount> panels_{};
  QListWidget* macro_list_ = nullptr;
  QList<MenuEntryLabel*> entries_;
};

}  // namespace zelko
