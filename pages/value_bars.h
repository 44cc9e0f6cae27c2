// The rows of notch pictures that show a value: as a slider (one notch
// lit) or as a progress bar (every notch up to the value lit), chosen by
// the layout key DPILED_Status. Notches are numbered from 1.
#pragma once
#include <string>
#include <vector>

namespace zelko {

enum class BarStyle { Progress = 0, Slider = 1 };

// DPILED_Status: 1 is a slider, any other value a progress bar.
BarStyle BarStyleFromLayout(int dpiled_status);

// Lit state of notches 1..count (entry k-1 for notch k) with notch `lit`
// showing the value. A `lit` outside 1..count lights nothing in slider
// style and everything up to it in progress style.
std::vector<bool> PaintBar(BarStyle style, int count, int lit);

inline constexpr int kDpiBarNotches = 11;
inline constexpr int kLedCountBarNotches = 10;
inline constexpr int kStepBarNotches = 8;
inline constexpr int kPointerBarNotches = 11;

// DPI level and AIM bars: value index 0..10 sits on notch index + 1.
std::vector<bool> DpiValueBar(BarStyle style, int value_index);
int DpiValueIndexForNotch(int notch);

// LED count bar: count n (4..13) sits on notch n - 3.
int LedCountNotch(int led_count);
int LedCountForNotch(int notch);
std::vector<bool> LedCountBar(BarStyle style, int led_count);

// Step bar: step s (0..7) sits on notch 8 - s (the rightmost notch is step 0).
int StepNotch(int step);
int StepForNotch(int notch);
std::vector<bool> StepBar(BarStyle style, int step);

// The number captions under the notches, entry k-1 for notch k. With
// NumberOrder 1 they run backwards; the meaning of a notch stays.
std::vector<std::string> LedCountBarLabels(int number_order);
std::vector<std::string> StepBarLabels(int number_order);

}  // namespace zelko
