#include "shell/macro_page_menus.h"

#include <algorithm>

#include "shell/control_registry.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

// The panel's frame around its entries.
constexpr int kFrame = 2;
// Entries' captions start this far from the left edge.
constexpr int kEntryIndent = 8;

}  // namespace

FloatingMenu::FloatingMenu(const QString& objectName, const QStringList& entries, QWidget* window,
                           ControlRegistry& controls)
    : MenuPanelWidget(objectName, window) {
  controls.Add(this);
  for (const QString& name : entries) {
    auto* entry = new MenuEntryLabel(name, this);
    entry->setIndent(kEntryIndent);
    controls.Add(entry);
    entries_ << entry;
    connect(entry, &HoverLabel::entered, this, [this, entry] {
      entry->SetHighlight(true, highlight_text_, highlight_back_);
    });
    connect(entry, &HoverLabel::left, this, [this, entry] { entry->SetHighlight(false, text_, QColor()); });
    connect(entry, &HoverLabel::clicked, this, [this, name] {
      hide();
      emit entryClicked(name);
    });
  }
  Arrange();
  hide();
}

void FloatingMenu::SetLook(const QColor& text, const QColor& back, const QColor& border, const QColor& highlightText,
                           const QColor& highlightBack, int rowHeight, int width) {
  text_ = text;
  highlight_text_ = highlightText;
  highlight_back_ = highlightBack;
  if (rowHeight > 0) row_height_ = rowHeight;
  if (width > 0) width_ = width;
  SetColours(back, border);
  for (MenuEntryLabel* entry : entries_) entry->SetHighlight(false, text_, QColor());
  Arrange();
}

void FloatingMenu::Arrange() {
  int top = kFrame;
  for (MenuEntryLabel* entry : entries_) {
    entry->setGeometry(kFrame, top, width_ - 2 * kFrame, row_height_);
    top += row_height_;
  }
  resize(width_, top + kFrame);
}

MenuEntryLabel* FloatingMenu::Entry(const QString& name) const {
  for (MenuEntryLabel* entry : entries_) {
    if (entry->objectName() == name) return entry;
  }
  return nullptr;
}

void FloatingMenu::OpenAt(QPoint at) {
  const QWidget* window = parentWidget();
  if (window) {
    at.setX(std::clamp(at.x(), 0, std::max(0, window->width() - width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, window->height() - height())));
  }
  for (MenuEntryLabel* entry : entries_) entry->SetHighlight(false, text_, QColor());
  move(at);
  show();
  raise();
}

}  // namespace zelko
