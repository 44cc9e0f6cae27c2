#include "shell/engineer_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>

#include "shell/engineer_widgets.h"

namespace zelko {

namespace {

// The page's palette: the skin's dark base with its cyan accent; %1 is the
// page, %2 the notes label.
constexpr const char* kPageStyle = R"(
QWidget#%1 { background: #12141a; }
QLabel, QRadioButton, QCheckBox { color: #dce2eb; }
QGroupBox { color: #00d2ff; border: 1px solid #3a4452; border-radius: 3px; margin-top: 7px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }
QLineEdit, QComboBox { background: #0c0e12; color: #dce2eb; border: 1px solid #3a4452; padding: 0 4px; }
QLineEdit:focus, QComboBox:focus { border-color: #00d2ff; }
QComboBox QAbstractItemView { background: #171b22; color: #dce2eb; selection-background-color: #00d2ff;
  selection-color: #0b0d11; }
QPushButton { background: #242832; color: #dce2eb; border: 1px solid #3a4452; border-radius: 2px; padding: 0 6px; }
QPushButton:hover { border-color: #00d2ff; }
QPushButton:pressed { background: #00d2ff; color: #0b0d11; }
QTabWidget::pane { border: 1px solid #3a4452; top: -1px; background: #12141a; }
QTabBar::tab { background: #242832; color: #dce2eb; border: 1px solid #3a4452; padding: 4px 16px; }
QTabBar::tab:selected { background: #12141a; color: #00d2ff; border-bottom-color: #12141a; }
QWidget#%2 { color: #a8b3c2; }
*:disabled { color: #5c6470; }
)";

constexpr int kCommandGap = 4;
constexpr int kCommandPadding = 22;
constexpr int kListRows = 12;

QString FromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QRect RectOf(const ControlRect& place) { return {place.x, place.y, place.width, place.height}; }

}  // namespace

EngineerPage::EngineerPage(QWidget* window, ControlRegistry& controls, EngineerPageServices services)
    : QObject(window), controls_(controls), services_(std::move(services)) {
  const std::vector<EngineerControlRow>& rows = EngineerPageRows();
  QString notesName;
  for (const EngineerControlRow& row : rows) {
    if (row.kind == EngineerControlKind::kNotes) notesName = QString::fromStdString(row.name);
  }
  QHash<QString, QWidget*> byName;
  for (const EngineerControlRow& row : rows) {
    QWidget* parent = window;
    if (row.kind != EngineerControlKind::kPage) parent = byName.value(QString::fromStdString(row.parent), page_);
    QWidget* control = Make(row, parent);
    widgets_.push_back(control);
    if (!row.name.empty()) {
      control->setObjectName(QString::fromStdString(row.name));
      controls_.Add(control);
      byName.insert(control->objectName(), control);
    }
    if (control == page_) page_->setStyleSheet(QLatin1String(kPageStyle).arg(page_->objectName(), notesName));
    if (row.starts_hidden) control->hide();
    AddHint(control, row.hint);
    Bind(row, control);
  }
  ApplyEngineerMode(EngineerModeEffects{});
  Show();
}

QString EngineerPage::Text(const EngineerText& text) const { return QString::fromStdString(TextOf(text, services_.terms)); }

QWidget* EngineerPage::Make(const EngineerControlRow& row, QWidget* parent) {
  const QString caption = Text(row.caption);
  const QRect place = RectOf(row.place);
  QWidget* control = nullptr;
  switch (row.kind) {
    case EngineerControlKind::kPage: {
      page_ = new QWidget(parent);
      page_->setAttribute(Qt::WA_StyledBackground);
      page_->setAutoFillBackground(true);
      QPalette palette = page_->palette();
      palette.setColor(QPalette::Window, QColor(18, 20, 26));
      palette.setColor(QPalette::WindowText, QColor(220, 226, 235));
      page_->setPalette(palette);
      QFont font = page_->font();
      font.setFamily(FromView(kEngineerPageFont));
      font.setPointSize(9);
      page_->setFont(font);
      control = page_;
      break;
    }
    case EngineerControlKind::kPageControl:
      tabs_ = new QTabWidget(parent);
      // Both tabs keep their whole captions.
      tabs_->setUsesScrollButtons(false);
      tabs_->setElideMode(Qt::ElideNone);
      control = tabs_;
      break;
    case EngineerControlKind::kTab:
      control = new QWidget;
      tabs_->addTab(control, caption);
      if (row.gate == EngineerGate::kEngineerTab) engineer_tab_ = control;
      return control;
    case EngineerControlKind::kCommand: {
      auto* button = new QPushButton(caption, parent);
      button->setFocusPolicy(Qt::NoFocus);
      const int width = std::max(row.place.width, QFontMetrics(page_->font()).horizontalAdvance(caption) + kCommandPadding);
      const int left = next_command_left_.value_or(row.place.x);
      button->setGeometry(left, row.place.y, width, row.place.height);
      next_command_left_ = row.starts_hidden ? left : left + width + kCommandGap;
      commands_.insert(row.command, button);
      const EngineerCommand command = row.command;
      connect(button, &QPushButton::clicked, this, [this, command] { emit commandClicked(command); });
      return button;
    }
    case EngineerControlKind::kGroup: {
      auto* group = new QGroupBox(parent);
      group->setTitle(caption);
      control = group;
      break;
    }
    case EngineerControlKind::kCaption:
      control = new QLabel(caption, parent);
      break;
    case EngineerControlKind::kList: {
      auto* list = new QComboBox(parent);
      for (const EngineerText& item : row.items) list->addItem(Text(item));
      list->setMaxVisibleItems(kListRows);
      control = list;
      break;
    }
    case EngineerControlKind::kEdit: {
      // Digits only; the page rules clamp the value.
      auto* edit = new QLineEdit(parent);
      edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
      edit->setMaxLength(row.max_length);
      control = edit;
      break;
    }
    case EngineerControlKind::kReadOnlyEdit: {
      auto* edit = new QLineEdit(parent);
      edit->setReadOnly(true);
      control = edit;
      break;
    }
    case EngineerControlKind::kRadio:
      control = new QRadioButton(caption, parent);
      break;
    case EngineerControlKind::kCheck:
      control = new QCheckBox(caption, parent);
      break;
    case EngineerControlKind::kKeySelector: {
      auto* button = new QPushButton(parent);
      button->setFocusPolicy(Qt::NoFocus);
      selectors_.insert(row.selector, button);
      const int number = row.selector;
      connect(button, &QPushButton::clicked, this, [this, number] { emit keyButtonClicked(number); });
      control = button;
      break;
    }
    case EngineerControlKind::kLogo:
      control = new LogoLabel(QString(), parent, [this] { emit logoDoubleClicked(); });
      break;
    case EngineerControlKind::kNotes:
      notes_ = new QLabel(parent);
      notes_->setWordWrap(true);
      notes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      control = notes_;
      break;
    case EngineerControlKind::kResultMark:
      result_ = new ResultMark(QString(), parent);
      control = result_;
      break;
  }
  control->setGeometry(place);
  return control;
}

void EngineerPage::AddHint(QWidget* control, const EngineerHint& hint) {
  if (hint.empty()) return;
  hints_.insert(control, FromView(hint.In(services_.terms)));
  control->installEventFilter(this);
}

bool EngineerPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
    if (const auto it = hints_.constFind(watched); it != hints_.constEnd() && notes_) {
      notes_->setText(event->type() == QEvent::Enter ? *it : QString());
    }
  }
  return QObject::eventFilter(watched, event);
}

void EngineerPage::Wrote(const EngineerWritten& written) {
  if (!written.message.empty() && services_.showMessage) services_.showMessage(QString::fromStdString(written.message));
}

void EngineerPage::Bind(const EngineerControlRow& row, QWidget* control) {
  if (!row.write) return;
  MouseSettings& settings = *services_.settings;
  const EngineerControlRow::Write write = row.write;
  if (auto* list = qobject_cast<QComboBox*>(control)) {
    connect(list, &QComboBox::currentIndexChanged, this, [this, &settings, write](int index) {
      if (showing_ || index < 0) return;
      Wrote(write(model_, settings, {.index = index}));
      Edited();
    });
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    // An edit's text goes through its rule; the edit shows what the rule left.
    const auto show = [this, edit](const EngineerWritten& written) {
      const QString shown = QString::fromStdString(written.text);
      if (shown != edit->text()) {
        showing_ = true;
        edit->setText(shown);
        showing_ = false;
      }
      Edited();
    };
    connect(edit, &QLineEdit::textChanged, this, [this, &settings, write, show](const QString& text) {
      if (showing_) return;
      show(write(model_, settings, {.text = text.toStdString()}));
    });
    if (const EngineerControlRow::Write leave = row.leave) {
      connect(edit, &QLineEdit::editingFinished, this, [this, &settings, edit, leave, show] {
        show(leave(model_, settings, {.text = edit->text().toStdString()}));
      });
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    connect(button, &QAbstractButton::toggled, this, [this, &settings, write](bool on) {
      if (showing_) return;
      Wrote(write(model_, settings, {.on = on}));
      Edited();
    });
  }
}

void EngineerPage::Refresh() {
  model_.Refresh(*services_.settings);
  Show();
}

void EngineerPage::Edited() {
  Show();
  if (services_.edited) services_.edited();
}

void EngineerPage::Show() {
  showing_ = true;
  const std::vector<EngineerControlRow>& rows = EngineerPageRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const EngineerControlRow& row = rows[i];
    QWidget* control = widgets_[i];
    if (!control) continue;
    if (row.read) {
      const EngineerControlValue value = row.read(model_);
      if (auto* list = qobject_cast<QComboBox*>(control)) {
        if (value.items) {
          QStringList items;
          for (const EngineerText& item : *value.items) items << Text(item);
          QStringList current;
          for (int k = 0; k < list->count(); ++k) current << list->itemText(k);
          if (items != current) {
            list->clear();
            list->addItems(items);
          }
        }
        list->setCurrentIndex(value.index < list->count() ? value.index : -1);
      } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const QString shown = QString::fromStdString(value.text);
        if (edit->text() != shown) edit->setText(shown);
      } else if (auto* button = qobject_cast<QAbstractButton*>(control); button && value.checked) {
        button->setChecked(*value.checked);
      }
    }
    if (row.shown) control->setVisible(row.shown(model_));
    if (row.enabled) control->setEnabled(row.enabled(model_));
  }
  showing_ = false;
}

void EngineerPage::ShowReadIdentity(const std::optional<IdentityCodes>& codes) {
  model_.ShowReadIdentity(codes);
  Show();
}

void EngineerPage::ApplyEngineerMode(const EngineerModeEffects& effects) {
  const std::vector<EngineerControlRow>& rows = EngineerPageRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const EngineerControlRow& row = rows[i];
    QWidget* control = widgets_[i];
    if (row.gate == EngineerGate::kNone || !control) continue;
    const bool open = GateOpen(row.gate, effects);
    if (row.kind == EngineerControlKind::kTab) {
      // The tab is taken out of the page control and put back, and the bar
      // takes the width of its tabs at once: a page control that is not
      // shown yet (pictures of the window) lays its bar out only when it is.
      const int index = tabs_->indexOf(control);
      if (open && index < 0) {
        tabs_->addTab(control, Text(row.caption));
      } else if (!open && index >= 0) {
        tabs_->removeTab(index);
      }
      tabs_->tabBar()->resize(tabs_->tabBar()->sizeHint());
    } else if (row.kind == EngineerControlKind::kCommand) {
      control->setVisible(open);
    } else {
      control->setEnabled(open);
    }
  }
}

void EngineerPage::ShowTab(bool engineer) {
  if (!engineer) {
    tabs_->setCurrentIndex(0);
  } else if (tabs_->indexOf(engineer_tab_) >= 0) {
    tabs_->setCurrentWidget(engineer_tab_);
  }
}

void EngineerPage::ShowResult(bool shown) { result_->setVisible(shown); }

QPushButton* EngineerPage::KeyButton(int number) const { return selectors_.value(number); }

void EngineerPage::SetKeyCaption(int number, const QString& caption) {
  if (auto* button = KeyButton(number)) button->setText(caption);
}

ProfileCaptions EngineerPage::Captions(int profile) const {
  ProfileCaptions captions;
  for (int n = 1; n <= static_cast<int>(kButtonCount); ++n) {
    if (const auto* button = KeyButton(profile * 100 + n)) {
      captions[static_cast<std::size_t>(n - 1)] = button->text().toStdString();
    }
  }
  return captions;
}

EngineerButtonPlace EngineerPage::PlaceOf(int number) const {
  EngineerButtonPlace place;
  const QPushButton* button = KeyButton(number);
  if (!button) return place;
  const QWidget* group = button->parentWidget();
  const QWidget* window = page_->parentWidget();
  // Left in the window's coordinates (where the menu stands), top within the
  // group, the group's top within its tab, and the page control's own top
  // and width: the menu's foot then reaches a little into the button.
  const QPoint left = button->mapTo(window, QPoint(0, 0));
  place.button = {left.x(), button->y(), button->width(), button->height()};
  place.group_top = group->y();
  place.parameter_area_top = tabs_->mapTo(window, QPoint(0, 0)).y();
  place.parameter_area_width = tabs_->width();
  return place;
}

}  // namespace zelko
