#include "shell/button_menu_view.h"

#include <QPainter>

#include "shell/control_registry.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

// A category's sub-menu marker sits this far left of the entry's right end
// (the layout applier moves it there too).
constexpr int kMarkerInset = 24;

QRect ToQRect(const MenuRect& rect) { return {rect.left, rect.top, rect.width, rect.height}; }

QString Name(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

MenuEntryLabel::MenuEntryLabel(const QString& objectName, QWidget* parent) : HoverLabel(objectName, parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void MenuEntryLabel::SetHighlight(bool on, const QColor& text, const QColor& back) {
  highlighted_ = on;
  back_ = back;
  SetTextColour(this, text);
  update();
}

void MenuEntryLabel::paintEvent(QPaintEvent* event) {
  if (highlighted_) {
    QPainter painter(this);
    painter.fillRect(rect(), back_);
  }
  HoverLabel::paintEvent(event);
}

MenuPanelWidget::MenuPanelWidget(const QString& objectName, QWidget* parent) : QWidget(parent) {
  setObjectName(objectName);
}

void MenuPanelWidget::SetColours(const QColor& back, const QColor& border) {
  back_ = back;
  border_ = border;
  update();
}

void MenuPanelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), back_);
  painter.setPen(border_);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

MenuColours MenuColours::From(const LayoutSettings& layout) {
  MenuColours colours;
  const auto take = [&layout](const char* key, QColor& into) {
    if (const auto it = layout.colours.find(key); it != layout.colours.end()) into = it->second;
  };
  take("Color_G", colours.text);
  take("Color_G_Back", colours.back);
  take("Color_G_Border", colours.border);
  take("Color_G_SF", colours.highlightText);
  take("Color_G_SP", colours.highlightBack);
  return colours;
}

ButtonMenuView::ButtonMenuView(QWidget* window, ControlRegistry& controls) : QObject(window) {
  Build(window, controls);
  Sync();
}

void ButtonMenuView::Build(QWidget* window, ControlRegistry& controls) {
  for (const MenuPanel panel : kAllMenuPanels) {
    const auto index = static_cast<std::size_t>(panel);
    if (panel == MenuPanel::kMacroList) {
      macro_list_ = new QListWidget(window);
      macro_list_->setObjectName(Name(MenuPanelName(panel)));
      macro_list_->setMouseTracking(true);
      macro_list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      macro_list_->setFocusPolicy(Qt::NoFocus);
      connect(macro_list_, &QListWidget::itemClicked, this,
              [this](QListWidgetItem* item) { emit macroClicked(macro_list_->row(item)); });
      panels_[index] = macro_list_;
    } else {
      panels_[index] = new MenuPanelWidget(Name(MenuPanelName(panel)), window);
    }
    panels_[index]->hide();
    controls.Add(panels_[index]);
  }
  for (const MenuEntry& entry : MenuEntries()) {
    QWidget* panel = Panel(entry.panel);
    auto* label = new MenuEntryLabel(Name(entry.name), panel);
    entries_ << label;
    controls.Add(label);
    const QString name = label->objectName();
    connect(label, &HoverLabel::entered, this, [this, name] { Enter(name); });
    connect(label, &HoverLabel::left, this, [this, name] { Leave(name); });
    if (entry.kind != MenuEntryKind::kCategory) {
      connect(label, &HoverLabel::clicked, this, [this, name] { emit entryClicked(name); });
    }
    if (!entry.marker.empty()) {
      auto* marker = new QLabel(QStringLiteral("\u25B8"), panel);
      marker->setObjectName(Name(entry.marker));
      marker->setAttribute(Qt::WA_TransparentForMouseEvents);
      marker->setAlignment(Qt::AlignCenter);
      controls.Add(marker);
    }
  }
}

void ButtonMenuView::ApplyLayout(const MenuLayout& layout, const MenuColours& colours, int macroRowHeight) {
  model_.SetLayout(layout);
  colours_ = colours;
  if (macroRowHeight > 0) macro_row_height_ = macroRowHeight;
  for (const MenuPanel panel : kAllMenuPanels) {
    if (auto* widget = qobject_cast<MenuPanelWidget*>(Panel(panel))) {
      widget->SetColours(colours_.back, colours_.border);
    }
  }
  for (const MenuEntry& entry : MenuEntries()) {
    QWidget* panel = Panel(entry.panel);
    const QRect place = ToQRect(MenuEntryRect(entry, layout));
    if (auto* label = panel->findChild<MenuEntryLabel*>(Name(entry.name), Qt::FindDirectChildrenOnly)) {
      label->setGeometry(place);
    }
    if (!entry.marker.empty()) {
      if (auto* marker = panel->findChild<QLabel*>(Name(entry.marker), Qt::FindDirectChildrenOnly)) {
        marker->setGeometry(place.right() + 1 - kMarkerInset, place.top(), kMarkerInset, place.height());
        SetTextColour(marker, colours_.text);
        marker->raise();
      }
    }
  }
  StyleMacroList();
  for (int row = 0; row < macro_list_->count(); ++row) {
    macro_list_->item(row)->setSizeHint(QSize(0, macro_row_height_));
  }
  Sync();
}

void ButtonMenuView::StyleMacroList() {
  const auto rgb = [](const QColor& colour) { return colour.name(QColor::HexRgb); };
  macro_list_->setStyleSheet(
      QStringLiteral("QListWidget { background: %1; color: %2; border: 1px solid %3; outline: 0; }"
                     "QListWidget::item { padding-left: 4px; }"
                     "QListWidget::item:hover, QListWidget::item:selected { background: %4; color: %5; }")
          .arg(rgb(colours_.back), rgb(colours_.text), rgb(colours_.border), rgb(colours_.highlightBack),
               rgb(colours_.highlightText)));
}

void ButtonMenuView::SetMacroNames(const QStringList& names) {
  macro_list_->clear();
  for (const QString& name : names) {
    auto* item = new QListWidgetItem(name, macro_list_);
    item->setSizeHint(QSize(0, macro_row_height_));
  }
}

void ButtonMenuView::OpenForMainPage(int button, const QRect& label) {
  model_.OpenForMainPage(button, {label.left(), label.top(), label.width(), label.height()});
  Sync();
}

void ButtonMenuView::OpenForEngineerPage(int number, const EngineerButtonPlace& place) {
  model_.OpenForEngineerPage(number, place);
  Sync();
}

void ButtonMenuView::HideAll() {
  model_.HideAll();
  Sync();
}

void ButtonMenuView::HideMainAndMacroList() {
  model_.HideMainAndMacroList();
  Sync();
}

void ButtonMenuView::Enter(const QString& entry) {
  const bool listWasShown = model_.shown(MenuPanel::kMacroList);
  model_.Enter(entry.toStdString());
  // Opening the list clears its hover line.
  if (!listWasShown && model_.shown(MenuPanel::kMacroList)) macro_list_->clearSelection();
  Sync();
}

void ButtonMenuView::Leave(const QString& entry) {
  model_.Leave(entry.toStdString());
  Sync();
}

bool ButtonMenuView::Contains(const QWidget* widget) const {
  for (const QWidget* panel : panels_) {
    if (widget && (widget == panel || panel->isAncestorOf(widget))) return true;
  }
  return false;
}

void ButtonMenuView::Sync() {
  const QString highlighted = QString::fromStdString(model_.highlighted());
  for (MenuEntryLabel* label : entries_) {
    const bool on = label->objectName() == highlighted;
    label->SetHighlight(on, on ? colours_.highlightText : colours_.text, colours_.highlightBack);
  }
  for (const MenuPanel panel : kAllMenuPanels) {
    QWidget* widget = Panel(panel);
    widget->setGeometry(ToQRect(model_.rect(panel)));
    const bool shown = model_.shown(panel);
    if (shown) {
      widget->show();
      widget->raise();
    } else {
      widget->hide();
    }
  }
}

}  // namespace zelko
