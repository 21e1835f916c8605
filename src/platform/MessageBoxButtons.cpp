// The button sets of the message-box styles, shared by every system that has
// to stand in for a message box.
#include "platform/Ui.h"

namespace tralvex::platform {
namespace {

constexpr unsigned kButtonSetMask = 0x000F;
constexpr unsigned kDefaultButtonMask = 0x0F00;
constexpr unsigned kDefaultButtonShift = 8;

constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6,
              kIdNo = 7, kIdTryAgain = 10, kIdContinue = 11;

struct ButtonSet {
  int count;
  int results[3];
  const char* labels[3];
};

// Indexed by the low four bits of the style; unknown sets show OK.
const ButtonSet kButtonSets[] = {
    {1, {kIdOk}, {"OK"}},
    {2, {kIdOk, kIdCancel}, {"OK", "Cancel"}},
    {3, {kIdAbort, kIdRetry, kIdIgnore}, {"Abort", "Retry", "Ignore"}},
    {3, {kIdYes, kIdNo, kIdCancel}, {"Yes", "No", "Cancel"}},
    {2, {kIdYes, kIdNo}, {"Yes", "No"}},
    {2, {kIdRetry, kIdCancel}, {"Retry", "Cancel"}},
    {3, {kIdCancel, kIdTryAgain, kIdContinue}, {"Cancel", "Try Again", "Continue"}},
};

const ButtonSet& SetOf(unsigned style) {
  unsigned set = style & kButtonSetMask;
  return set < sizeof kButtonSets / sizeof kButtonSets[0] ? kButtonSets[set] : kButtonSets[0];
}

int DefaultIndex(unsigned style, const ButtonSet& set) {
  int index = static_cast<int>((style & kDefaultButtonMask) >> kDefaultButtonShift);
  return index < set.count ? index : 0;
}

}  // namespace

int DefaultButtonResult(unsigned int style) {
  const ButtonSet& set = SetOf(style);
  return set.results[DefaultIndex(style, set)];
}

int ButtonLabels(unsigned int style, const char* const** labels, int* defaultIndex) {
  const ButtonSet& set = SetOf(style);
  *labels = set.labels;
  *defaultIndex = DefaultIndex(style, set);
  return set.count;
}

}  // namespace tralvex::platform
