// Rows of the ratio program for evaluation and formatting: the exports as a
// caller uses them (the 400 blanks of the prefilled-length rule written
// before every call, the lookups by handle inside it) beside snprintf
// composing the same result.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/EvalTexts.h"
#include "ratios/RatioTable.h"
#include "tralvex/tralvex.h"

namespace tralvex::bench {
namespace {

constexpr std::size_t kRoom = 400;
constexpr std::size_t kCalls = 20000;  // per timed run

volatile int sink;

void PrefillRoom(char* buffer) {
  std::memset(buffer, ' ', kRoom);
  buffer[kRoom] = '\0';
}

void EvalRows(RatioReport& report, const RatioOptions& options) {
  report.Heading(
      "Evaluation and formatting: the export with its 400 prefilled blanks against snprintf of "
      "the same result");
  EvalMessageFile file;
  char ours[kRoom + 1];
  char theirs[kRoom + 1];

  auto evaluate = [&] {
    PrefillRoom(ours);
    sink = Msg_EvalMessage(file.Handle(), kEvalSource, ours);
  };
  auto compose = [&] {
    sink = std::snprintf(theirs, sizeof theirs, "%s%s%s%s%s%s%s%s%s", kEvalPieces[0],
                         kEvalPieces[1], kEvalPieces[2], kEvalPieces[3], kEvalPieces[4],
                         kEvalPieces[5], kEvalPieces[6], kEvalPieces[7], kEvalPieces[8]);
  };
  evaluate();
  compose();
  if (std::strcmp(ours, theirs) != 0) std::abort();
  Side evalSide{[&] {
    for (std::size_t i = 0; i < kCalls; ++i) evaluate();
  }};
  Side composeSide{[&] {
    for (std::size_t i = 0; i < kCalls; ++i) compose();
  }};
  report.Ratio("Msg_EvalMessage, 200 characters, 4 references", "snprintf",
               Interleave(options.rounds, kCalls, evalSide, composeSide), 1.0);

  auto format = [&] {
    PrefillRoom(ours);
    sink = Msg_FormatMessage(file.Handle(), kFormatNumber, ours, kFormatArgs[0], kFormatArgs[1],
                             kFormatArgs[2]);
  };
  auto print = [&] {
    sink = std::snprintf(theirs, sizeof theirs, kFormat, kFormatArgs[0], kFormatArgs[1],
                         kFormatArgs[2]);
  };
  format();
  print();
  if (std::strcmp(ours, theirs) != 0) std::abort();
  Side formatSide{[&] {
    for (std::size_t i = 0; i < kCalls; ++i) format();
  }};
  Side printSide{[&] {
    for (std::size_t i = 0; i < kCalls; ++i) print();
  }};
  report.Ratio("Msg_FormatMessage, \"Copying %s to %s failed: %s\"", "snprintf",
               Interleave(options.rounds, kCalls, formatSide, printSide), 1.0);
}

RegisterRatioGroup kEvalGroup("eval", &EvalRows);

}  // namespace
}  // namespace tralvex::bench
