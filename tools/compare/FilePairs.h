// Which translation file goes with which base file: two files are one pair;
// two directories pair the files their "Tralvex.ini" lists by the range of
// numbers each serves.
#ifndef TRALVEX_TOOLS_COMPARE_FILEPAIRS_H
#define TRALVEX_TOOLS_COMPARE_FILEPAIRS_H

#include <string>
#include <vector>

#include "Diagnostics.h"

namespace tralvex::tool {

struct FilePair {
  std::string base;
  std::string translation;
};

// The pairs of the two operands. Ranges that only one side serves are
// findings (an error for a range the translation lacks, a warning for one
// the base lacks). False with a reason when an operand cannot be used:
// a file and a directory, or a directory without a usable settings file.
bool PairFiles(const std::string& base, const std::string& translation,
               std::vector<FilePair>& pairs, DiagnosticList& findings, std::string& reason);

}  // namespace tralvex::tool

#endif
