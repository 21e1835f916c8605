// The texts that evaluation and formatting are measured on, shared by the
// Google Benchmark program and the ratio program: a 200-character text with
// four references, the nine pieces of its result, and a message file
// holding the four referenced messages and a three-argument format.
#ifndef TRALVEX_BENCH_DATA_EVALTEXTS_H
#define TRALVEX_BENCH_DATA_EVALTEXTS_H

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "tralvex/tralvex.h"

namespace tralvex::bench {

inline const char* const kEvalSource =
    "Before {1A2|OK} the file is saved, the program checks {1A3} whether the "
    "disk has room; when it has not, {1A4|a warning} is shown and the user may "
    "choose {1A5|another disk} or cancel the operation now.";
inline const char* const kEvalPieces[9] = {"Before ",
                                           "Enter",
                                           " the file is saved, the program checks ",
                                           "Save as",
                                           " whether the disk has room; when it has not, ",
                                           "a message",
                                           " is shown and the user may choose ",
                                           "a directory",
                                           " or cancel the operation now."};

inline const char* const kFormat = "Copying %s to %s failed: %s";
inline const char* const kFormatArgs[3] = {"C:\\DATA\\REPORT.DOC", "D:\\BACKUP\\",
                                           "the disk is full"};
inline constexpr uint32_t kFormatNumber = 0x1A6;  // kFormat in the message file

// The five messages in a temporary file, open by handle while it lives.
class EvalMessageFile {
 public:
  EvalMessageFile() {
    path_ = std::filesystem::temp_directory_path() / "tralvex-bench-eval.msg";
    std::ofstream(path_, std::ios::binary) << "[Main]\r\n1A2: Enter\r\n1A3: Save as\r\n"
                                              "1A4: a message\r\n1A5: a directory\r\n"
                                              "1A6: Copying %s to %s failed: %s\r\n";
    Msg_OpenMessages(&handle_, path_.string().c_str(), nullptr);
  }
  ~EvalMessageFile() {
    Msg_CloseMessages(handle_);
    std::filesystem::remove(path_);
  }
  EvalMessageFile(const EvalMessageFile&) = delete;
  EvalMessageFile& operator=(const EvalMessageFile&) = delete;
  uint32_t Handle() const { return handle_; }

 private:
  std::filesystem::path path_;
  uint32_t handle_ = TRALVEX_NO_CATALOGUE;
};

}  // namespace tralvex::bench

#endif
