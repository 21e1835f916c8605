// Writes the catalogue benchmarks' texts into the directory given: the
// message files and the gencat sources of the same texts.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <utility>

#include "catalogue/MessageFileData.h"
#include "data/BenchTexts.h"

namespace {

using namespace tralvex::bench;

// The gencat source of what the last section of a chain holds, as the
// library resolves it.
bool WriteChainsGencatSource(const std::string& directory, const std::string& text) {
  char* buffer = new char[text.size() + 1];
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  tralvex::MessageFileData data;
  if (data.ParseMessageFile(buffer, buffer + text.size()) != 1) {
    delete[] buffer;
    return false;
  }
  std::vector<std::pair<uint32_t, std::string>> messages;
  data.FindSection(kLastOfAChain)->ForEachText([&](uint32_t number, const char* message) {
    messages.emplace_back(number, message);
  });
  std::sort(messages.begin(), messages.end());
  std::string source = "$set 1\n";
  for (const auto& [number, message] : messages) {
    source += std::to_string(number) + ' ' + GencatText(message) + '\n';
  }
  WriteIfChanged(directory + "/chains.gencat", source);
  return true;
}

}  // namespace

// Writes every file unless it holds its text already; then the stamp.
int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string directory = argv[1];
  const std::vector<uint32_t> dense = DenseNumbers();
  WriteMessageFile(directory, "texts", dense);
  WriteIfChanged(directory + "/texts.gencat", GencatSourceText(dense));
  const std::vector<uint32_t> sparse = SparseNumbers();
  WriteMessageFile(directory, "sparse", sparse);
  WriteIfChanged(directory + "/sparse.gencat", GencatSourceText(sparse));
  const std::string chains = ChainedSectionsText();
  WriteIfChanged(directory + "/chains.msg", chains);
  if (!WriteChainsGencatSource(directory, chains)) return 1;
  std::ofstream(directory + "/texts.stamp", std::ios::trunc) << "written\n";
  return 0;
}
