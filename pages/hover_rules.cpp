#include "pages/hover_rules.h"

namespace zelko {

namespace {

ImageChanges One(const SkinButtonRef& button, const char* image) {
  return {{ButtonImageName(button.name, button.copy), image}};
}

void Append(ImageChanges& to, const ImageChanges& more) { to.insert(to.end(), more.begin(), more.end()); }

}  // namespace

ImageChanges HoverEnterImages(const SkinButtonRef& button, const HoverContext& context) {
  switch (button.family) {
    case ButtonFamily::Action:
      return AllCopies(button.name, "BtnS_02");
    case ButtonFamily::Tab:
    case ButtonFamily::Language:
      return One(button, "SetS_02");
    case ButtonFamily::Close:
      return AllCopies(button.name, "ExitS_02");
    case ButtonFamily::Minimise:
      return AllCopies(button.name, "MiniS_02");
    case ButtonFamily::Web:
      if (!context.deviceConnected) return {};
      return AllCopies(button.name, "WebS_03");
    case ButtonFamily::KeyFrame:
      return One(button, "KeyS_02");
  }
  return {};
}

ImageChanges HoverLeaveImages(const SkinButtonRef& button, const HoverContext& context) {
  switch (button.family) {
    case ButtonFamily::Action:
      return AllCopies(button.name, "BtnS_01");
    case ButtonFamily::Tab: {
      ImageChanges changes = One(button, "SetS_01");
      // Under the page lock no tab is active.
      if (!context.pageLocked) Append(changes, AllCopies(TraitsOf(context.checkedPage).tabButton, "SetS_03"));
      return changes;
    }
    case ButtonFamily::Language: {
      ImageChanges changes = One(button, "SetS_01");
      Append(changes, AllCopies("Lang" + std::to_string(context.checkedLanguage), "SetS_03"));
      return changes;
    }
    case ButtonFamily::Close:
      return AllCopies(button.name, "ExitS_01");
    case ButtonFamily::Minimise:
      return AllCopies(button.name, "MiniS_01");
    case ButtonFamily::Web:
      if (!context.deviceConnected) return {};
      return AllCopies(button.name, "WebS_01");
    case ButtonFamily::KeyFrame:
      return One(button, "KeyS_01");
  }
  return {};
}

ImageChanges PressImages(const SkinButtonRef& button) {
  switch (button.family) {
    case ButtonFamily::Action:
      return AllCopies(button.name, "BtnS_03");
    case ButtonFamily::Web:
      return AllCopies(button.name, "WebS_02");
    default:
      return {};
  }
}

bool RollsCaption(ButtonFamily family) { return family != ButtonFamily::Web; }

HoverEffects HoverModel::Enter(std::string_view labelName, std::string_view caption, bool labelEnabled,
                               const HoverContext& context) {
  HoverEffects effects;
  const auto button = ParseButtonLabel(labelName);
  if (!button) return effects;
  effects.images = HoverEnterImages(*button, context);
  if (!RollsCaption(button->family)) return effects;
  // A label still rolling (its leave was missed) gets its caption back first.
  if (roll_.active() && roll_.labelName() != labelName) {
    const std::string previous = roll_.labelName();
    HoverEffects left = Leave(previous, context);
    Append(effects.images, left.images);
    effects.captions = std::move(left.captions);
    effects.timer = left.timer;
  }
  roll_.Start(labelName, caption);
  if (labelEnabled) effects.timer = TimerChange::Start;
  return effects;
}

HoverEffects HoverModel::Leave(std::string_view labelName, const HoverContext& context) {
  HoverEffects effects;
  const auto button = ParseButtonLabel(labelName);
  if (!button) return effects;
  effects.images = HoverLeaveImages(*button, context);
  if (!RollsCaption(button->family) || !roll_.active() || roll_.labelName() != labelName) return effects;
  effects.timer = TimerChange::Stop;
  effects.captions.push_back({std::string(labelName), roll_.Stop()});
  return effects;
}

std::optional<CaptionChange> HoverModel::Tick(bool rollingEnabled) {
  if (!roll_.active()) return std::nullopt;
  const int before = roll_.ticks();
  const std::string& caption = roll_.Tick(rollingEnabled);
  if (roll_.ticks() == before) return std::nullopt;
  return CaptionChange{roll_.labelName(), caption};
}

void HoverModel::RememberCaption(std::string_view labelName, std::string_view caption) {
  if (roll_.active() && roll_.labelName() == labelName) roll_.Remember(caption);
}

}  // namespace zelko
