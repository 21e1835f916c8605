// Names that lead to something other than a regular file: a FIFO must be
// refused at once, never waited on, wherever the library opens a file; a
// file that reports size 0 but has contents (the /proc kind) is read whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "api/ContextFunctions.h"
#include "api/Module.h"
#include "catalogue/MessageContext.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Modules.h"
#include "profile/SystemIniFile.h"
#include "support/TempDirectory.h"
#include "tralvex/tralvex.h"

namespace tralvex {
namespace {

using test::TempDirectory;

// A FIFO, and a watchdog that frees a reader stuck opening it: after a few
// seconds it opens the writing end, which lets a blocked open() return, so
// that a test of a hanging call fails instead of hanging the suite.
class Fifo {
 public:
  explicit Fifo(std::string path) : path_(std::move(path)) {
    created_ = ::mkfifo(path_.c_str(), 0644) == 0;
    watchdog_ = std::thread([this] { Watch(); });
  }
  Fifo(const Fifo&) = delete;
  Fifo& operator=(const Fifo&) = delete;
  ~Fifo() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    watchdog_.join();
  }

  bool Created() const { return created_; }
  const std::string& Path() const { return path_; }
  // True when some reader had to be freed: the call under test blocked.
  bool HadToFreeAReader() {
    std::lock_guard<std::mutex> lock(mutex_);
    return freed_;
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) return;
    while (!done_) {
      // Succeeds only while a reader has the FIFO open or waits in open().
      int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) {
        ::close(fd);
        freed_ = true;
      }
      wake_.wait_for(lock, std::chrono::milliseconds(50), [this] { return done_; });
    }
  }

  std::string path_;
  bool created_ = false;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  bool freed_ = false;
  std::thread watchdog_;
};

class SpecialFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OnModuleUnload();
    OnModuleLoad();
    platform::OverrideWindowsDirectory(dir.Path().string().c_str());
  }
  void TearDown() override {
    platform::OverrideWindowsDirectory(nullptr);
    OnModuleUnload();
    OnModuleLoad();
  }

  TempDirectory dir;
};

TEST_F(SpecialFilesTest, AFifoIsRefusedAsAMessageFile) {
  Fifo fifo(dir.WithSeparator() + "pipe.msg");
  ASSERT_TRUE(fifo.Created());
  ASSERT_EQ(1, Msg_SetDefaultDir(dir.Path().string().c_str()));
  uint32_t handle = 0;
  EXPECT_EQ(0, Msg_OpenMessages(&handle, "pipe.msg", nullptr));
  EXPECT_EQ(0, Msg_OpenMessages(&handle, fifo.Path().c_str(), nullptr));
  EXPECT_FALSE(fifo.HadToFreeAReader());
  EXPECT_EQ(0u, TheModule().loadedFiles.Count());
}

TEST_F(SpecialFilesTest, AFifoIsRefusedAsAContextsFile) {
  Fifo fifo(dir.WithSeparator() + "pipe.msg");
  ASSERT_TRUE(fifo.Created());
  // Named directly: the context is made, its lookups find nothing.
  Mes_Context* context = nullptr;
  ASSERT_EQ(1, Mes_OpenProcess(&context, fifo.Path().c_str(), "c", 0));
  EXPECT_STREQ("default", Mes_GetMessagePtr(context, 1, "default"));
  EXPECT_EQ(1, Mes_CloseProcess(context));
  // Named in the settings file of a directory.
  TempDirectory app;
  app.Write("Tralvex.ini", "[MessageFiles]\r\nPipe-0FF=" + fifo.Path() + "\r\n");
  ASSERT_EQ(1, Mes_OpenProcess(&context, app.Path().string().c_str(), "c", 0));
  EXPECT_STREQ("default", Mes_GetMessagePtr(context, 1, "default"));
  EXPECT_EQ(1, Mes_CloseProcess(context));
  EXPECT_FALSE(fifo.HadToFreeAReader());
}

TEST_F(SpecialFilesTest, AFifoIsRefusedAsASettingsFile) {
  Fifo fifo(dir.WithSeparator() + "Tralvex.ini");
  ASSERT_TRUE(fifo.Created());
  const std::string name = platform::UpperCase(fifo.Path());
  for (int create : {0, 1}) {
    SystemIniFile ini;
    EXPECT_EQ(0, ini.OpenIniFile(fifo.Path().c_str(), create));
    ASSERT_EQ(2u, ini.GetErrorCount());
    int code = 0;
    const char* context = nullptr;
    ini.GetErrorAt(1, code, context);
    EXPECT_EQ(0x120, code);  // what the existence test gives for an unusable file
    EXPECT_EQ(name, context != nullptr ? context : "");
    EXPECT_NE(0u, ini.FindError(0x135));
  }
  // The settings file a context looks for in its directory.
  Mes_Context* context = nullptr;
  EXPECT_EQ(0, Mes_OpenProcess(&context, dir.Path().string().c_str(), "c", 1));
  ASSERT_NE(nullptr, context);
  EXPECT_NE(0u, FindLiveContext(context)->FindError(0x120));
  EXPECT_EQ(1, Mes_CloseProcess(context));
  EXPECT_FALSE(fifo.HadToFreeAReader());
}

// The name of the calling thread, a file of /proc that reports size 0 and
// yet holds the name and a line end; the name can be set by writing it.
class ThreadNameFile {
 public:
  ThreadNameFile() : path_("/proc/thread-self/comm") {
    std::ifstream in(path_);
    std::getline(in, saved_);
  }
  ~ThreadNameFile() { Set(saved_); }
  bool Set(const std::string& name) {
    std::ofstream out(path_);
    out << name;
    out.close();
    return !out.fail();
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string saved_;
};

TEST_F(SpecialFilesTest, AFileOfSizeZeroIsReadToItsEnd) {
  ThreadNameFile thread;
  if (!std::filesystem::exists(thread.Path()) || !thread.Set("1: from proc")) {
    GTEST_SKIP() << "no writable /proc/thread-self/comm";
  }
  ASSERT_EQ(0u, std::filesystem::file_size(thread.Path()));
  std::filesystem::create_symlink(thread.Path(), dir.Path() / "proc.msg");
  ASSERT_EQ(1, Msg_SetDefaultDir(dir.Path().string().c_str()));
  uint32_t handle = 0;
  ASSERT_EQ(1, Msg_OpenMessages(&handle, "proc.msg", nullptr));
  // The system ends the name with a line feed, which stays in the text.
  EXPECT_STREQ("from proc\n", Msg_GetMessagePtr(handle, 1, "never read"));
  EXPECT_EQ(1, Msg_CloseMessages(handle));
}

}  // namespace
}  // namespace tralvex
