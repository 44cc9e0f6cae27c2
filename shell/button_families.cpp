#include "shell/button_families.h"

#include <QRegularExpression>
#include <array>

namespace zelko {

namespace {

struct FamilyMember {
  const char* name;
  ButtonFamily family;
};

constexpr std::array<FamilyMember, 20> kMembers{{
    {"Confirm", ButtonFamily::Action},  {"Apply", ButtonFamily::Action},
    {"Read", ButtonFamily::Action},     {"Confirm1", ButtonFamily::Action},
    {"Confirm2", ButtonFamily::Action}, {"Confirm3", ButtonFamily::Action},
    {"Main", ButtonFamily::Tab},        {"Second", ButtonFamily::Tab},
    {"Adv", ButtonFamily::Tab},         {"Breath", ButtonFamily::Tab},
    {"Macro", ButtonFamily::Tab},       {"Engineer", ButtonFamily::Tab},
    {"Save", ButtonFamily::Tab},        {"Load", ButtonFamily::Tab},
    {"Lang1", ButtonFamily::Language},  {"Lang2", ButtonFamily::Language},
    {"Lang3", ButtonFamily::Language},  {"Exit", ButtonFamily::Close},
    {"Mini", ButtonFamily::Minimise},   {"Web", ButtonFamily::Web},
}};

std::optional<ButtonFamily> FamilyOf(const QString& name) {
  for (const auto& member : kMembers) {
    if (name == QLatin1String(member.name)) return member.family;
  }
  return std::nullopt;
}

ImageChanges One(const SkinButtonRef& button, const char* image) {
  return {{ButtonImageName(button.name, button.copy), QLatin1String(image)}};
}

}  // namespace

std::optional<SkinButtonRef> ParseButtonLabel(const QString& labelName) {
  static const QRegularExpression keyFrame(QStringLiteral("^Key([1-9])$"));
  static const QRegularExpression skinned(QStringLiteral("^Btn_(.+)_([1-4])$"));
  if (const auto m = keyFrame.match(labelName); m.hasMatch()) {
    return SkinButtonRef{labelName, 0, ButtonFamily::KeyFrame};
  }
  const auto m = skinned.match(labelName);
  if (!m.hasMatch()) return std::nullopt;
  const auto family = FamilyOf(m.captured(1));
  if (!family) return std::nullopt;
  return SkinButtonRef{m.captured(1), m.captured(2).toInt(), *family};
}

QString ButtonLabelName(const QString& button, int copy) {
  return QStringLiteral("Btn_%1_%2").arg(button).arg(copy);
}

QString ButtonImageName(const QString& button, int copy) {
  if (copy == 0) return QStringLiteral("Img_") + button;  // key frames
  return QStringLiteral("Img_%1_%2").arg(button).arg(copy);
}

ImageChanges AllCopies(const QString& button, const QString& image) {
  ImageChanges changes;
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    changes.push_back({ButtonImageName(button, copy), image});
  }
  return changes;
}

ImageChanges HoverEnterImages(const SkinButtonRef& button, const HoverContext& context) {
  switch (button.family) {
    case ButtonFamily::Action:
      return AllCopies(button.name, QStringLiteral("BtnS_02"));
    case ButtonFamily::Tab:
    case ButtonFamily::Language:
      return One(button, "SetS_02");
    case ButtonFamily::Close:
      return AllCopies(button.name, QStringLiteral("ExitS_02"));
    case ButtonFamily::Minimise:
      return AllCopies(button.name, QStringLiteral("MiniS_02"));
    case ButtonFamily::Web:
      if (!context.deviceConnected) return {};
      return AllCopies(button.name, QStringLiteral("WebS_03"));
    case ButtonFamily::KeyFrame:
      return One(button, "KeyS_02");
  }
  return {};
}

ImageChanges HoverLeaveImages(const SkinButtonRef& button, const HoverContext& context) {
  switch (button.family) {
    case ButtonFamily::Action:
      return AllCopies(button.name, QStringLiteral("BtnS_01"));
    case ButtonFamily::Tab: {
      ImageChanges changes = One(button, "SetS_01");
      if (!context.pageLocked) {
        const ImageChanges active =
            AllCopies(QLatin1String(TraitsOf(context.checkedPage).tabButton), QStringLiteral("SetS_03"));
        changes.insert(changes.end(), active.begin(), active.end());
      }
      return changes;
    }
    case ButtonFamily::Language: {
      ImageChanges changes = One(button, "SetS_01");
      const ImageChanges checked =
          AllCopies(QStringLiteral("Lang%1").arg(context.checkedLanguage), QStringLiteral("SetS_03"));
      changes.insert(changes.end(), checked.begin(), checked.end());
      return changes;
    }
    case ButtonFamily::Close:
      return AllCopies(button.name, QStringLiteral("ExitS_01"));
    case ButtonFamily::Minimise:
      return AllCopies(button.name, QStringLiteral("MiniS_01"));
    case ButtonFamily::Web:
      if (!context.deviceConnected) return {};
      return AllCopies(button.name, QStringLiteral("WebS_01"));
    case ButtonFamily::KeyFrame:
      return One(button, "KeyS_01");
  }
  return {};
}

ImageChanges PressImages(const SkinButtonRef& button) {
  switch (button.family) {
    case ButtonFamily::Action:
      return AllCopies(button.name, QStringLiteral("BtnS_03"));
    case ButtonFamily::Web:
      return AllCopies(button.name, QStringLiteral("WebS_02"));
    default:
      return {};
  }
}

bool RollsCaption(ButtonFamily family) { return family != ButtonFamily::Web; }

}  // namespace zelko
