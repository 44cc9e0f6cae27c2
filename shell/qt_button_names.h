// The skinned buttons' names as QString, for the control registry that keys
// its widgets by QString: each form converts at the edge and calls the
// page models' own.
#pragma once
#include <QString>
#include <optional>

#include "pages/button_families.h"
#include "pages/image_change.h"
#include "pages/page_navigation.h"

namespace zelko {

inline QString ButtonLabelName(const QString& button, int copy) {
  return QString::fromStdString(ButtonLabelName(button.toStdString(), copy));
}

inline QString ButtonImageName(const QString& button, int copy) {
  return QString::fromStdString(ButtonImageName(button.toStdString(), copy));
}

inline ImageChanges AllCopies(const QString& button, const QString& image) {
  return AllCopies(button.toStdString(), image.toStdString());
}

inline std::optional<SkinButtonRef> ParseButtonLabel(const QString& labelName) {
  return ParseButtonLabel(labelName.toStdString());
}

inline std::optional<Page> PageOfTabButton(const QString& buttonName) {
  return PageOfTabButton(buttonName.toStdString());
}

}  // namespace zelko
