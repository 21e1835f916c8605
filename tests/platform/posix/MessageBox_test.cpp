// The message box that stands in for a window on POSIX: framed text on
// standard error, which must get through even when no memory is left, since
// the box that says memory ran out is one of its texts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "platform/Ui.h"
#include "support/TempDirectory.h"

namespace {

// While set, every allocation through operator new fails as an exhausted
// heap makes it fail.
bool refuseAllocations = false;

void* Allocate(std::size_t size) {
  if (refuseAllocations) throw std::bad_alloc();
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace tralvex::platform {
namespace {

// What MessageBox writes to standard error, caught in a file.
class StandardErrorCapture {
 public:
  explicit StandardErrorCapture(const std::string& path) {
    std::fflush(stderr);
    saved_ = ::dup(2);
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(fd, 2);
    ::close(fd);
  }
  ~StandardErrorCapture() {
    std::fflush(stderr);
    ::dup2(saved_, 2);
    ::close(saved_);
  }

 private:
  int saved_ = -1;
};

std::string ReadFile(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char chunk[4096];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
    std::fclose(file);
  }
  return text;
}

int ShowWithoutMemory(const char* text, const char* caption, unsigned style) {
  refuseAllocations = true;
  int result = MessageBox(text, caption, style);
  refuseAllocations = false;
  return result;
}

TEST(PosixMessageBox, FramesTheTextWithoutAllocating) {
  tralvex::test::TempDirectory dir;
  const std::string path = (dir.Path() / "stderr").string();
  std::string longLine(10000, 'x');
  int result = 0;
  int longResult = 0;
  {
    StandardErrorCapture capture(path);
    result = ShowWithoutMemory("Not enough memory\nsecond line", "QelError", 0x12030 | 0x4);
    longResult = ShowWithoutMemory(longLine.c_str(), nullptr, 0);
  }
  EXPECT_EQ(6, result);  // Yes, the default button
  EXPECT_EQ(1, longResult);
  const std::string shown = ReadFile(path);
  const std::string first = "\n+-- QelError\n| Not enough memory\n| second line\n+-- [Yes]  No \n";
  EXPECT_EQ(shown.substr(0, first.size()), first);
  // Longer than any buffer on the way: it comes through whole all the same.
  EXPECT_TRUE(shown.substr(first.size()) == "\n+-- \n| " + longLine + "\n+-- [OK]\n")
      << shown.size() - first.size() << " bytes of the second box";
}

}  // namespace
}  // namespace tralvex::platform
