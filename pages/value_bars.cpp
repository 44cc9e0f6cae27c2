#include "pages/value_bars.h"

namespace zelko {
namespace {

constexpr int kLedCountNotchOffset = 3;

std::vector<std::string> Labels(int count, int first_caption, int number_order) {
  std::vector<std::string> labels;
  for (int notch = 1; notch <= count; ++notch) {
    const int label = number_order == 1 ? count + 1 - notch : notch;
    labels.push_back(std::to_string(first_caption + label - 1));
  }
  return labels;
}

}  // namespace

BarStyle BarStyleFromLayout(int dpiled_status) {
  return dpiled_status == 1 ? BarStyle::Slider : BarStyle::Progress;
}

std::vector<bool> PaintBar(BarStyle style, int count, int lit) {
  std::vector<bool> notches(static_cast<std::size_t>(count > 0 ? count : 0), false);
  for (int k = 1; k <= count; ++k) {
    notches[static_cast<std::size_t>(k - 1)] = style == BarStyle::Slider ? k == lit : k <= lit;
  }
  return notches;
}

std::vector<bool> DpiValueBar(BarStyle style, int value_index) {
  return PaintBar(style, kDpiBarNotches, value_index + 1);
}

int DpiValueIndexForNotch(int notch) { return notch - 1; }

int LedCountNotch(int led_count) { return led_count - kLedCountNotchOffset; }
int LedCountForNotch(int notch) { return notch + kLedCountNotchOffset; }
std::vector<bool> LedCountBar(BarStyle style, int led_count) {
  return PaintBar(style, kLedCountBarNotches, LedCountNotch(led_count));
}

int StepNotch(int step) { return kStepBarNotches - step; }
int StepForNotch(int notch) { return kStepBarNotches - notch; }
std::vector<bool> StepBar(BarStyle style, int step) {
  return PaintBar(style, kStepBarNotches, StepNotch(step));
}

// Count captions are "4".."13"; label i carries caption i + 3.
std::vector<std::string> LedCountBarLabels(int number_order) {
  return Labels(kLedCountBarNotches, 4, number_order);
}

// Step captions are "1".."8".
std::vector<std::string> StepBarLabels(int number_order) {
  return Labels(kStepBarNotches, 1, number_order);
}

}  // namespace zelko
