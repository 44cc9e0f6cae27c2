#include "shell/macro_lists.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace zelko {

namespace {

constexpr int kIconSize = 20;

// What each kind's icon shows: a glyph on a tinted tile.
struct KindPicture {
  char kind;
  const char* glyph;
  QRgb tint;
};
constexpr KindPicture kKindPictures[] = {
    {'0', "", 0xFF8A93A6},  // delay: a clock face
    {'1', "\u25BC", 0xFF00D2FF},  // pressed
    {'2', "\u25B2", 0xFF5C8FA3},  // released
    {'3', "X\u2192", 0xFFE0B050}, {'4', "\u2190X", 0xFFE0B050},  // X moves
    {'5', "Y\u2193", 0xFF7CCB6A}, {'6', "Y\u2191", 0xFF7CCB6A},  // Y moves
    {'7', "\u21BB", 0xFFC58AF0},  // repeat start
    {'8', "\u25A0", 0xFFC58AF0},  // repeat end
    {'9', "?", 0xFFB05050},       // a byte of no known event
};

}  // namespace

QIcon EventKindIcon(char kind) {
  const KindPicture* picture = nullptr;
  for (const auto& candidate : kKindPictures) {
    if (candidate.kind == kind) picture = &candidate;
  }
  if (!picture) return {};
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor tint = QColor::fromRgba(picture->tint);
  QPainterPath tile;
  tile.addRoundedRect(QRectF(2.5, 2.5, kIconSize - 5, kIconSize - 5), 3, 3);
  painter.fillPath(tile, QColor(tint.red(), tint.green(), tint.blue(), 48));
  painter.setPen(QPen(tint, 1));
  painter.drawPath(tile);
  if (picture->kind == '0') {
    painter.drawEllipse(QRectF(5.5, 5.5, 9, 9));
    painter.drawLine(QPointF(10, 10), QPointF(10, 7));
    painter.drawLine(QPointF(10, 10), QPointF(12.5, 10));
    return QIcon(pixmap);
  }
  QFont font = painter.font();
  font.setPixelSize(std::string_view(picture->glyph).size() > 3 ? 8 : 10);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, kIconSize, kIconSize), Qt::AlignCenter, QString::fromUtf8(picture->glyph));
  return QIcon(pixmap);
}

void MacroRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  const QRect row = option.rect;
  painter->save();
  painter->fillRect(row, selected ? look_.selectedBack : look_.back);
  const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
  if (!icon.isNull()) icon.paint(painter, QRect(row.left(), row.top(), row.height(), row.height()));
  painter->setPen(selected ? look_.selectedText : look_.text);
  painter->setFont(option.font);
  const QRect textPlace = row.adjusted(text_left_, 0, -2, 0);
  painter->drawText(textPlace, Qt::AlignLeft | Qt::AlignVCenter,
                    option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                                  textPlace.width()));
  painter->restore();
}

QSize MacroRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width(), look_.rowHeight};
}

MacroList::MacroList(const QString& objectName, int textLeft, QWidget* parent)
    : QListWidget(parent), delegate_(new MacroRowDelegate(textLeft, this)) {
  setObjectName(objectName);
  setItemDelegate(delegate_);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  SetLook(look_);
}

void MacroList::SetLook(const MacroListLook& look) {
  look_ = look;
  delegate_->SetLook(look);
  const auto rgb = [](const QColor& colour) { return colour.name(QColor::HexRgb); };
  setStyleSheet(QStringLiteral("QListWidget { background: %1; color: %2; border: 1px solid %3; outline: 0; }"
                               "QListWidget:disabled { color: #727171; }")
                    .arg(rgb(look.back), rgb(look.text), rgb(look.border)));
  doItemsLayout();
}

void MacroList::mousePressEvent(QMouseEvent* event) {
  QListWidgetItem* item = itemAt(event->position().toPoint());
  if (!item) {
    // Below the last row: nothing selected.
    clearSelection();
    setCurrentItem(nullptr);
    setFocus();
    emit pressedBelowRows();
    return;
  }
  if (event->button() == Qt::RightButton) {
    setCurrentItem(item);
  } else {
    QListWidget::mousePressEvent(event);
  }
  emit rowPicked(row(item));
}

void MacroList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit menuRequested(event->globalPosition().toPoint());
    return;
  }
  QListWidget::mouseReleaseEvent(event);
}

}  // namespace zelko
