// The macro page's floating menus: the library's (Pnl_PCMacro: New,
// Rename, Delete, Import One, Import All, Export One, Export All) and the
// event list's (Pnl_DevContent: Edit, Delete, Insert). Each is a panel of
// entries opened at the pointer and hidden by any click outside it and by
// every command.
#pragma once
#include <QColor>
#include <QPoint>
#include <QStringList>
#include <QWidget>

#include "shell/button_menu_view.h"

namespace zelko {

class ControlRegistry;

class FloatingMenu : public MenuPanelWidget {
  Q_OBJECT
 public:
  // `entries`: the object names of the entries, top to bottom.
  FloatingMenu(const QString& objectName, const QStringList& entries, QWidget* window, ControlRegistry& controls);

  // Opens with its top-left corner at `at` (window coordinates), kept
  // inside the window.
  void OpenAt(QPoint at);
  void SetLook(const QColor& text, const QColor& back, const QColor& border, const QColor& highlightText,
               const QColor& highlightBack, int rowHeight, int width);
  MenuEntryLabel* Entry(const QString& name) const;

 signals:
  void entryClicked(const QString& name);

 private:
  void Arrange();

  QList<MenuEntryLabel*> entries_;
  QColor text_{217, 222, 230};
  QColor highlight_text_{11, 13, 17};
  QColor highlight_back_{0, 210, 255};
  int row_height_ = 22;
  int width_ = 150;
};

}  // namespace zelko
