// Settings files under real processes: writers at once lose nothing, and a
// writer killed in the middle of a write leaves the file whole and nothing
// beside it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "profile/ProfileFixture.h"
#include "profile/SystemIniFile.h"
#include "support/posix/ChildProcess.h"

namespace tralvex {
namespace {

using testing::KillChild;
using testing::ReadBytes;
using testing::StartChild;
using testing::WaitForChild;

class ProfileTortureTest : public testing::ProfileFixture {
 protected:
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
};

std::string KeyName(int writer, int write) {
  return "w" + std::to_string(writer) + "k" + std::to_string(write);
}

TEST_F(ProfileTortureTest, WritersAtOnceLoseNothing) {
  constexpr int kWriters = 4;
  constexpr int kWrites = 50;
  std::string file = Create("shared.ini", "[s]\r\nfirst=1\r\n");
  std::vector<pid_t> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back(StartChild([&, w] {
      SystemIniFile ini;
      if (ini.OpenIniFile(file.c_str(), 0) != 1) return 1;
      for (int i = 0; i < kWrites; ++i) {
        if (ini.SetKeywordValue("s", KeyName(w, i).c_str(), std::to_string(i).c_str()) != 1) {
          return 2;
        }
      }
      return 0;
    }));
  }
  // Meanwhile a reader never sees a file cut short or a key taken back.
  std::string previous;
  std::string broken;
  for (int i = 0; i < 200 && broken.empty(); ++i) {
    std::string bytes = ReadBytes(file);
    if (bytes.compare(0, 14, "[s]\r\nfirst=1\r\n") != 0 || bytes.size() < previous.size() ||
        bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) {
      broken = "after\n" + previous + "\ncame\n" + bytes;
    }
    previous = std::move(bytes);
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  for (pid_t writer : writers) EXPECT_EQ(WaitForChild(writer, std::chrono::seconds(60)), 0);
  EXPECT_EQ(broken, "");

  SystemIniFile ini;
  ASSERT_EQ(ini.OpenIniFile(file.c_str(), 0), 1);
  NameList names;
  ASSERT_EQ(ini.GetAllKeywords("s", names), 1);
  EXPECT_EQ(names.size(), 1u + kWriters * kWrites);
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kWrites; ++i) {
      std::string value;
      EXPECT_EQ(ini.GetKeywordValue("s", KeyName(w, i).c_str(), value), 1) << KeyName(w, i);
      EXPECT_EQ(value, std::to_string(i));
    }
  }
}

TEST_F(ProfileTortureTest, KilledWritersLeaveTheFileWholeAndNothingBesideIt) {
  // A large value makes each write long enough to be hit in the middle.
  const std::string pad(256 * 1024, 'p');
  std::string file = Create("killed.ini", "[s]\r\npad=" + pad + "\r\ncount=0\r\n");
  const std::string head = "[s]\r\npad=" + pad + "\r\ncount=";
  std::mt19937 random(12345);
  for (int round = 0; round < 25; ++round) {
    pid_t writer = StartChild([&] {
      SystemIniFile ini;
      if (ini.OpenIniFile(file.c_str(), 0) != 1) return 1;
      for (int i = 1;; ++i) ini.SetKeywordValue("s", "count", std::to_string(i).c_str());
    });
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
    KillChild(writer);
    std::string bytes = ReadBytes(file);
    ASSERT_EQ(bytes.substr(0, head.size()), head) << "round " << round;
    ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "round " << round;
    ASSERT_EQ(bytes.find_first_not_of("0123456789", head.size()), bytes.size() - 2);
    // What one killed writer left, the next one removes.
    ASSERT_LE(Entries().size(), 2u) << "round " << round;
  }
  SystemIniFile ini;
  ASSERT_EQ(ini.OpenIniFile(file.c_str(), 0), 1);
  ASSERT_EQ(ini.SetKeywordValue("s", "count", "last"), 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"killed.ini"});
}

}  // namespace
}  // namespace tralvex
