#include "FileOutline.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "catalogue/MessageFileData.h"

namespace tralvex::tool {
namespace {

// Random files of aliased sections: the section the outline names for each
// message the parser gave a section must be the first one along the
// section's alias chain that defines the number, which a plain walk finds.
TEST(FileOutline, NamesTheSectionThatDefinesEachInheritedText) {
  std::mt19937 random(10);
  for (int round = 0; round < 300; ++round) {
    std::size_t count = 1 + random() % 8;
    std::vector<long> target(count, -1);
    std::vector<std::set<uint32_t>> own(count);
    std::string file;
    for (std::size_t i = 0; i < count; ++i) {
      file += "[S" + std::to_string(i) + "]\r\n";
      if (random() % 3 != 0) {
        target[i] = static_cast<long>(random() % count);
        file += "Alias: S" + std::to_string(target[i]) + "\r\n";
      }
      for (int m = random() % 4; m > 0; --m) {
        uint32_t number = 1 + random() % 6;
        own[i].insert(number);
        file += std::to_string(number) + ": text\r\n";
      }
    }
    FileOutline outline = OutlineMessageFile(file);
    MessageFileData data;
    char* buffer = new char[file.size() + 1];
    std::memcpy(buffer, file.c_str(), file.size() + 1);
    ASSERT_EQ(data.ParseMessageFile(buffer, buffer + file.size()), 1) << file;
    for (std::size_t i = 0; i < count; ++i) {
      const MessageSection* section = data.FindSection("S" + std::to_string(i));
      ASSERT_NE(section, nullptr);
      section->ForEachMessage([&](uint32_t number, const MessageEntry& entry) {
        std::set<std::size_t> seen;
        long at = static_cast<long>(i);
        while (at >= 0 && seen.insert(static_cast<std::size_t>(at)).second &&
               own[static_cast<std::size_t>(at)].count(number) == 0) {
          at = target[static_cast<std::size_t>(at)];
        }
        ASSERT_GE(at, 0) << file;
        auto owner =
            outline.textOwner.find(static_cast<std::size_t>(entry.text - data.TextBuffer()));
        ASSERT_NE(owner, outline.textOwner.end()) << file;
        EXPECT_EQ(outline.sections[owner->second].name, "S" + std::to_string(at))
            << "message " << number << " of S" << i << " in\n"
            << file;
      });
    }
  }
}

TEST(FileOutline, KeepsTheLastAliasTargetAndTheInvisibleSection) {
  FileOutline outline =
      OutlineMessageFile("1: before\r\n[Main]\r\nAlias: One\r\nAlias: Two\r\n[main]\r\n2: x\r\n");
  ASSERT_EQ(outline.sections.size(), 2u);
  EXPECT_EQ(outline.sections[0].name, "I_N_V_I_S_I_B_L_E");
  EXPECT_EQ(outline.sections[1].name, "MAIN");
  EXPECT_EQ(outline.sections[1].aliasTarget, "Two");
  EXPECT_EQ(outline.textOwner.size(), 2u);
}

}  // namespace
}  // namespace tralvex::tool
