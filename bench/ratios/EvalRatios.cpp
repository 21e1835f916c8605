// Rows of the ratio program for evaluation and formatting: the exports as a
// caller uses them (the 400 blanks of the prefilled-length rule written
// before every call, the lookups by handle inside it) beside snprintf
// composing the same result.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "ratios/RatioTable.h"
#include "tralvex/tralvex.h"

namespace tralvex::bench {
namespace {

constexpr std::size_t kRoom = 400;
constexpr std::size_t kCalls = 20000;  // per timed run

// 200 characters with four references, and the nine pieces of its result.
const char* const kSource =
    "Before {1A2|OK} the file is saved, the program checks {1A3} whether the "
    "disk has room; when it has not, {1A4|a warning} is shown and the user may "
    "choose {1A5|another disk} or cancel the operation now.";
const char* const kPieces[9] = {"Before ",
                                "Enter",
                                " the file is saved, the program checks ",
                                "Save as",
                                " whether the disk has room; when it has not, ",
                                "a message",
                                " is shown and the user may choose ",
                                "a directory",
                                " or cancel the operation now."};

constexpr uint32_t kFormatNumber = 0x1A6;
const char* const kFormat = "Copying %s to %s failed: %s";
const char* const kArgs[3] = {"C:\\DATA\\REPORT.DOC", "D:\\BACKUP\\", "the disk is full"};

volatile int sink;

// The five messages in a file of their own, open for the rows.
class MessageFile {
 public:
  MessageFile() {
    path_ = std::filesystem::temp_directory_path() / "tralvex-ratios-eval.msg";
    std::ofstream(path_, std::ios::binary) << "[Main]\r\n1A2: Enter\r\n1A3: Save as\r\n"
                                              "1A4: a message\r\n1A5: a directory\r\n"
                                              "1A6: Copying %s to %s failed: %s\r\n";
    if (Msg_OpenMessages(&handle_, path_.string().c_str(), nullptr) == 0) std::abort();
  }
  ~MessageFile() {
    Msg_CloseMessages(handle_);
    std::filesystem::remove(path_);
  }
  uint32_t Handle() const { return handle_; }

 private:
  std::filesystem::path path_;
  uint32_t handle_ = TRALVEX_NO_CATALOGUE;
};

void PrefillRoom(char* buffer) {
  std::memset(buffer, ' ', kRoom);
  buffer[kRoom] = '\0';
}

void EvalRows(RatioReport& report, const RatioOptions& options) {
  report.Heading(
      "Evaluation and formatting: the export with its 400 prefilled blanks against snprintf of "
      "the same result");
  MessageFile file;
  char ours[kRoom + 1];
  char theirs[kRoom + 1];

  auto evaluate = [&] {
    PrefillRoom(ours);
    sink = Msg_EvalMessage(file.Handle(), kSource, ours);
  };
  auto compose = [&] {
    sink = std::snprintf(theirs, sizeof theirs, "%s%s%s%s%s%s%s%s%s", kPieces[0], kPieces[1],
                         kPieces[2], kPieces[3], kPieces[4], kPieces[5], kPieces[6], kPieces[7],
                         kPieces[8]);
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
    sink = Msg_FormatMessage(file.Handle(), kFormatNumber, ours, kArgs[0], kArgs[1], kArgs[2]);
  };
  auto print = [&] {
    sink = std::snprintf(theirs, sizeof theirs, kFormat, kArgs[0], kArgs[1], kArgs[2]);
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
