// The two lists of the macro page drawn as the skin wants them: the
// library list (LB_PCMacroName: the name 4 pixels from the left) and the
// event list (LB_macro: the line kind's icon, as high as the row, at the
// left and the text 45 pixels in), the selected row in its own colours.
#pragma once
#include <QColor>
#include <QIcon>
#include <QListWidget>
#include <QStyledItemDelegate>

namespace zelko {

struct MacroListLook {
  QColor text{217, 222, 230};
  QColor back{11, 13, 17};
  QColor border{43, 50, 61};
  QColor selectedText{217, 222, 230};
  QColor selectedBack{7, 57, 74};
  int rowHeight = 20;
};

class MacroRowDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  MacroRowDelegate(int textLeft, QObject* parent) : QStyledItemDelegate(parent), text_left_(textLeft) {}
  void SetLook(const MacroListLook& look) { look_ = look; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int text_left_;
  MacroListLook look_;
};

// A list of the page with its delegate; the right button selects the row
// under the pointer before the menu opens.
class MacroList : public QListWidget {
  Q_OBJECT
 public:
  MacroList(const QString& objectName, int textLeft, QWidget* parent);
  void SetLook(const MacroListLook& look);
  const MacroListLook& look() const { return look_; }

 signals:
  // A right-button release at `globalPos`, after the row under it (if any)
  // was selected.
  void menuRequested(QPoint globalPos);
  // A press on a row, with either button.
  void rowPicked(int row);
  // A press below the last row.
  void pressedBelowRows();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  MacroRowDelegate* delegate_;
  MacroListLook look_;
};

// The icon of an event line's kind digit ('0' .. '9'): the program's own
// pictures, drawn here.
QIcon EventKindIcon(char kind);

}  // namespace zelko
