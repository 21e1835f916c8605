// The catalogue against its peers: lookups against catgets on the same
// texts compiled by gencat, the first open of a file against the floor of
// any parser (read the file, find every line end), the parse in memory,
// and the heap an open catalogue holds.
#include <fcntl.h>
#include <nl_types.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "api/Module.h"
#include "catalogue/MessageCatalogue.h"
#include "catalogue/MessageFileData.h"
#include "data/BenchTexts.h"
#include "ratios/RatioTable.h"
#include "tralvex/tralvex.h"

namespace tralvex::bench {
namespace {

constexpr std::size_t kLookups = 2000000;
constexpr uint32_t kNoHandle = 0xFFFF;

volatile unsigned sink;

struct Layout {
  const char* name;     // of the files: name.msg, name.cat
  const char* section;  // looked up in; null for the default
  const char* what;     // for the rows
};

// The dense and sparse files hold one section of 200,000 messages; the
// chains file 50 sections, looked up in the last of an alias chain.
const Layout kLayouts[] = {
    {"texts", nullptr, "dense"},
    {"sparse", nullptr, "sparse"},
    {"chains", kLastOfAChain, "alias chains"},
};

std::string PathOf(const RatioOptions& options, const std::string& file) {
  return options.dataDirectory + "/" + file;
}

// The numbers a catalogue's current section holds.
std::vector<uint32_t> NumbersOf(uint32_t handle) {
  std::vector<uint32_t> numbers;
  MessageCatalogue* catalogue = TheModule().catalogues.SelectCatalogue(handle & 0xFFFF);
  if (catalogue == nullptr || catalogue->CurrentSection() == nullptr) return numbers;
  catalogue->CurrentSection()->ForEachText(
      [&numbers](uint32_t number, const char*) { numbers.push_back(number); });
  return numbers;
}

std::vector<uint32_t> RandomPicks(const std::vector<uint32_t>& numbers, std::size_t count) {
  std::mt19937 random(42);
  std::uniform_int_distribution<std::size_t> pick(0, numbers.size() - 1);
  std::vector<uint32_t> picks(count);
  for (uint32_t& n : picks) n = numbers[pick(random)];
  return picks;
}

uint32_t Open(const std::string& path, const char* section) {
  uint32_t handle = kNoHandle;
  Msg_OpenMessages(&handle, path.c_str(), section);
  return handle;
}

// What every parser of the file must do at least: open it, read it into a
// buffer, find every line end once, free the buffer.
void ReadFileFloor(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) std::abort();
  struct stat info;
  ::fstat(fd, &info);
  const std::size_t size = static_cast<std::size_t>(info.st_size);
  char* buffer = static_cast<char*>(std::malloc(size + 1));
  std::size_t got = 0;
  while (got < size) {
    ssize_t n = ::read(fd, buffer + got, size - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  buffer[got] = '\0';
  unsigned lines = 0;
  for (const char* p = buffer;
       (p = static_cast<const char*>(std::memchr(p, '\r', buffer + got - p))); ++p) {
    ++lines;
  }
  sink = lines;
  std::free(buffer);
}

nl_catd OpenCatalog(const std::string& path) {
  return std::filesystem::exists(path) ? catopen(path.c_str(), 0) : (nl_catd)-1;
}

void LookupRows(RatioReport& report, const RatioOptions& options) {
  report.Heading(
      "Lookup: 2,000,000 random numbers present in the section, first byte of each "
      "text read");
  for (const Layout& layout : kLayouts) {
    std::string what = std::string("Msg_GetMessagePtr, ") + layout.what;
    uint32_t handle = Open(PathOf(options, std::string(layout.name) + ".msg"), layout.section);
    nl_catd catalog = OpenCatalog(PathOf(options, std::string(layout.name) + ".cat"));
    bool denseCatalog = false;
    if (catalog == (nl_catd)-1 && handle != kNoHandle) {
      // gencat may not manage a layout (glibc's crashed on the sparse one
      // here after an hour): catgets then answers from the dense texts,
      // its easiest case, with its own random picks.
      catalog = OpenCatalog(PathOf(options, "texts.cat"));
      denseCatalog = true;
      what += " (catgets on the dense texts)";
    }
    if (handle == kNoHandle || catalog == (nl_catd)-1) {
      report.Note(what + ": skipped, no " + layout.name +
                  ".cat (cmake --build <dir> --target tralvex_bench_gencat)");
      if (handle != kNoHandle) Msg_CloseMessages(handle);
      continue;
    }
    const std::vector<uint32_t> picks = RandomPicks(NumbersOf(handle), kLookups);
    std::vector<uint32_t> peerPicks = picks;
    if (denseCatalog) {
      uint32_t dense = Open(PathOf(options, "texts.msg"), nullptr);
      peerPicks = RandomPicks(NumbersOf(dense), kLookups);
      Msg_CloseMessages(dense);
    }
    Side ours{[&] {
      unsigned sum = 0;
      for (uint32_t n : picks)
        sum += static_cast<unsigned char>(*Msg_GetMessagePtr(handle, n, nullptr));
      sink = sum;
    }};
    Side peer{[&] {
      unsigned sum = 0;
      for (uint32_t n : peerPicks) {
        sum += static_cast<unsigned char>(*catgets(catalog, 1, static_cast<int>(n), ""));
      }
      sink = sum;
    }};
    // Against another layout the ratio is a figure, not the target's.
    report.Ratio(what, "catgets", Interleave(options.rounds, kLookups, ours, peer),
                 denseCatalog ? 0 : 1.0);
    catclose(catalog);
    Msg_CloseMessages(handle);
  }

  // The same lookups through a message context on the dense file.
  const std::string path = PathOf(options, "texts.msg");
  uint32_t handle = Open(path, nullptr);
  Mes_Context* context = nullptr;
  if (handle == kNoHandle || Mes_OpenProcess(&context, path.c_str(), nullptr, 0) == 0) {
    report.Note("Mes_GetMessagePtr: skipped, the context cannot be opened");
  } else {
    const std::vector<uint32_t> picks = RandomPicks(NumbersOf(handle), kLookups);
    Side ours{[&] {
      unsigned sum = 0;
      for (uint32_t n : picks)
        sum += static_cast<unsigned char>(*Mes_GetMessagePtr(context, n, nullptr));
      sink = sum;
    }};
    Side peer{[&] {
      unsigned sum = 0;
      for (uint32_t n : picks)
        sum += static_cast<unsigned char>(*Msg_GetMessagePtr(handle, n, nullptr));
      sink = sum;
    }};
    report.Ratio("Mes_GetMessagePtr, dense", "Msg_GetMessagePtr",
                 Interleave(options.rounds, kLookups, ours, peer), 1.5);
  }
  if (context != nullptr) Mes_CloseProcess(context);
  if (handle != kNoHandle) Msg_CloseMessages(handle);
}

void OpenRows(RatioReport& report, const RatioOptions& options) {
  report.Heading(
      "Open: Msg_OpenMessages of a file no catalogue holds, heap warm; the floor reads the "
      "file and finds every line end with memchr");
  for (const Layout& layout : kLayouts) {
    const std::string path = PathOf(options, std::string(layout.name) + ".msg");
    uint32_t handle = kNoHandle;
    Side ours{[&] { handle = Open(path, layout.section); },
              [&] {
                if (handle == kNoHandle) std::abort();
                Msg_CloseMessages(handle);
              }};
    Side peer{[&] { ReadFileFloor(path); }};
    const bool dense = layout.section == nullptr && std::string(layout.name) == "texts";
    report.Ratio(std::string("Msg_OpenMessages, ") + layout.what, "floor",
                 Interleave(options.rounds, 1, ours, peer), dense ? 1.5 : 0);
  }

  // Another catalogue holds the file: the open finds it loaded.
  const std::string path = PathOf(options, "texts.msg");
  uint32_t held = Open(path, nullptr);
  uint32_t handle = kNoHandle;
  const int kReopens = 1000;
  double ns = MedianNs(options.rounds, Side{[&] {
                         for (int i = 0; i < kReopens; ++i) {
                           handle = Open(path, nullptr);
                           Msg_CloseMessages(handle);
                         }
                       }});
  report.Figure("Msg_OpenMessages + Msg_CloseMessages, file loaded", ns / kReopens, "ns", 0);
  Msg_CloseMessages(held);
}

void ParseRows(RatioReport& report, const RatioOptions& options) {
  report.Heading("Parse in memory: ParseMessageFile of the 50-section file (alias chains)");
  const std::string text = ChainedSectionsText();
  char* buffer = nullptr;
  MessageFileData* data = nullptr;
  auto prepare = [&] {
    buffer = new char[text.size() + 1];
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    data = new MessageFileData;
  };
  auto release = [&] {
    delete data;
    delete[] buffer;  // null after a successful parse
  };
  prepare();
  const double ns = MedianNs(options.rounds,
                             Side{[&] {
                                    if (data->ParseMessageFile(buffer, buffer + text.size()) != 1) {
                                      std::abort();
                                    }
                                  },
                                  [&] {
                                    release();
                                    prepare();
                                  }});
  release();
  report.Figure("ParseMessageFile, 10.4 MB, 50 sections", ns, "ns", 6e6);
  report.Figure("  the same in GB/s", static_cast<double>(text.size()) / ns, "GB/s", 0);
}

// The heap an open catalogue holds, against the size of its file.
void HeapRows(RatioReport& report, const RatioOptions& options) {
  report.Heading("Heap held by the open catalogue, against the file size (messages)");
  struct File {
    std::string name;
    const char* what;
  };
  std::vector<File> files;
  for (uint32_t count : {2000u, 20000u}) {
    std::string name = "texts-" + std::to_string(count);
    if (!std::filesystem::exists(PathOf(options, name + ".msg"))) {
      std::vector<uint32_t> numbers = DenseNumbers();
      numbers.resize(count);
      WriteMessageFile(options.dataDirectory, name, numbers);
    }
    files.push_back({name, count == 2000 ? "dense, 2,000" : "dense, 20,000"});
  }
  files.push_back({"texts", "dense, 200,000"});
  files.push_back({"sparse", "sparse, 200,000"});
  files.push_back({"chains", "alias chains, 200,000"});
  for (const File& file : files) {
    const std::string path = PathOf(options, file.name + ".msg");
    const double size = static_cast<double>(std::filesystem::file_size(path));
    const std::size_t before = HeapInUse();
    uint32_t handle = Open(path, nullptr);
    const double held = static_cast<double>(HeapInUse() - before);
    Msg_CloseMessages(handle);
    char what[120];
    std::snprintf(what, sizeof what, "%s: %.2f MB file, %.2f MB held", file.what, size / 1e6,
                  held / 1e6);
    report.Figure(what, held / size, "x", file.name == "texts" ? 1.3 : 0);
  }
}

// The benchmark texts must be there (see bench/README.md).
bool HaveTexts(RatioReport& report, const RatioOptions& options) {
  if (std::filesystem::exists(PathOf(options, "chains.msg"))) return true;
  report.Note("no benchmark texts in " + options.dataDirectory +
              ": build and run tralvex_bench_texts <dir> (or the target tralvex_bench_gencat)");
  return false;
}

template <void (*Rows)(RatioReport&, const RatioOptions&)>
void IfTexts(RatioReport& report, const RatioOptions& options) {
  if (HaveTexts(report, options)) Rows(report, options);
}

const RegisterRatioGroup kLookup("lookup", &IfTexts<LookupRows>);
const RegisterRatioGroup kOpen("open", &IfTexts<OpenRows>);
const RegisterRatioGroup kParse("parse", &IfTexts<ParseRows>);
const RegisterRatioGroup kHeap("heap", &IfTexts<HeapRows>);

}  // namespace
}  // namespace tralvex::bench
