#include "catalogue/SearchDirectories.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/TempDirectory.h"

namespace tralvex {
namespace {

namespace fs = std::filesystem;
using test::CurrentDirectoryScope;
using test::TempDirectory;

bool OnPosix() { return platform::SlashRootsPath(); }

TEST(CheckPathAccess, MapsWhatTheSystemSays) {
  TempDirectory dir;
  std::string file = dir.Write("x.msg", "1: a");
  EXPECT_EQ(0, CheckPathAccess(file.c_str(), kAccessExists));
  EXPECT_EQ(0, CheckPathAccess(file.c_str(), kAccessReadWrite));
  EXPECT_EQ(0, CheckPathAccess(dir.Path().string().c_str(), kAccessRead));
  EXPECT_EQ(0x127, CheckPathAccess((dir.Path() / "none.msg").string().c_str(), kAccessRead));
  EXPECT_EQ(0x127, CheckPathAccess((dir.Path() / "no" / "x.msg").string().c_str(), 0));
  EXPECT_EQ(0x127, CheckPathAccess(nullptr, 0));
  EXPECT_EQ(0x127, CheckPathAccess("", 0));
}

TEST(CheckPathAccess, WriteTestFailsOnReadOnlyFile) {
  TempDirectory dir;
  std::string file = dir.Write("ro.msg", "1: a");
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(0, CheckPathAccess(file.c_str(), kAccessRead));
  EXPECT_EQ(0x126, CheckPathAccess(file.c_str(), kAccessWrite));
  EXPECT_EQ(0x126, CheckPathAccess(file.c_str(), kAccessReadWrite));
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

TEST(CheckPathAccess, RefusesOverlongPathsInsteadOfCuttingThem) {
  TempDirectory dir;
  dir.Write("x.msg", "1: a");
  // The long name ends in an existing file once cut at the limit.
  std::string name = dir.WithSeparator() + "x.msg";
  name += std::string(platform::MaxPathLength() + 10 - name.size(), 'a');
  EXPECT_EQ(0x120, CheckPathAccess(name.c_str(), 0));
}

TEST(PosixPaths, BackslashesAndCaseFindTheFileAsSpelledOnDisk) {
  if (!OnPosix()) GTEST_SKIP() << "Windows file names ignore case and take backslashes";
  TempDirectory dir;
  dir.Write("Resource/Texts.msg", "1: a");
  std::string spelled = dir.Path().string() + "\\Resource\\Texts.msg";
  EXPECT_EQ(0, CheckPathAccess(spelled.c_str(), 0));
  std::string upper = dir.Path().string() + "/RESOURCE/TEXTS.MSG";
  EXPECT_EQ(0, CheckPathAccess(upper.c_str(), 0));
  std::string missing = dir.Path().string() + "/RESOURCE/OTHER.MSG";
  EXPECT_EQ(0x127, CheckPathAccess(missing.c_str(), 0));
}

TEST(PosixPaths, ExactSpellingWinsOverCaseVariants) {
  if (!OnPosix()) GTEST_SKIP() << "a Windows directory cannot hold both names";
  TempDirectory dir;
  dir.Write("a.msg", "1: lower");
  dir.Write("A.msg", "1: upper");
  platform::ReadOnlyFile file;
  ASSERT_TRUE(file.Open((dir.Path() / "A.msg").string().c_str()));
  char text[9] = {};
  uint32_t read = 0;
  ASSERT_TRUE(file.Read(text, 8, &read));
  EXPECT_STREQ("1: upper", text);
}

TEST(IsRelativePath, FollowsTheLeadingCharacters) {
  EXPECT_FALSE(IsRelativePath("C:\\App\\x.msg"));
  EXPECT_FALSE(IsRelativePath("\\\\server\\share\\x.msg"));
  EXPECT_FALSE(IsRelativePath("//server/share/x.msg"));
  EXPECT_TRUE(IsRelativePath("App\\x.msg"));
  EXPECT_TRUE(IsRelativePath("\\App\\x.msg"));
  EXPECT_TRUE(IsRelativePath("x.msg"));
  EXPECT_TRUE(IsRelativePath("C:x.msg"));
  EXPECT_TRUE(IsRelativePath(".\\x.msg"));
  // A leading slash roots a path on POSIX only.
  EXPECT_EQ(!OnPosix(), IsRelativePath("/opt/app/x.msg"));
}

TEST(DefaultDirectory, StoresExistingDirectoriesWithASeparator) {
  TempDirectory dir;
  DefaultDirectory directory;
  EXPECT_FALSE(directory.IsSet());
  EXPECT_EQ(0, directory.Set(dir.Path().string().c_str()));
  EXPECT_EQ(dir.WithSeparator(), directory.Get());

  std::string before = directory.Get();
  EXPECT_EQ(0x127, directory.Set((dir.Path() / "missing").string().c_str()));
  EXPECT_NE(0, directory.Set(nullptr));
  EXPECT_EQ(before, directory.Get());
}

TEST(DefaultDirectory, KeepsAnEndingBackslashAndRefusesFiles) {
  TempDirectory dir;
  DefaultDirectory directory;
  std::string withBackslash = dir.Path().string() + "\\";
  EXPECT_EQ(0, directory.Set(withBackslash.c_str()));
  EXPECT_EQ(withBackslash, directory.Get());

  std::string file = dir.Write("x.msg", "");
  EXPECT_EQ(0x127, directory.Set(file.c_str()));
  EXPECT_EQ(withBackslash, directory.Get());
}

TEST(QualifyPath, CompletesAgainstAnExistingBase) {
  TempDirectory dir;
  dir.Write("Bin/keep", "");
  std::string texts = dir.Write("Texts.msg", "");
  std::string base = dir.Path().string();  // no trailing separator

  std::string path = "Texts.msg";
  EXPECT_EQ(0, QualifyPath(path, base.c_str(), kAccessRead));
  EXPECT_EQ(texts, path);

  path = "..\\Texts.msg";
  EXPECT_EQ(0, QualifyPath(path, (dir.Path() / "Bin").string().c_str(), kAccessRead));
  EXPECT_EQ(texts, path);

  path = ".\\Texts.msg";
  EXPECT_EQ(0, QualifyPath(path, base.c_str(), kAccessRead));
  EXPECT_EQ(texts, path);

  // The base was in use: the executable's directory is not tried.
  path = "Other.msg";
  EXPECT_EQ(0x127, QualifyPath(path, base.c_str(), kAccessRead));
  EXPECT_EQ("Other.msg", path);

  path = "Other.msg";
  EXPECT_EQ(0, QualifyPath(path, base.c_str(), kAccessNoTest));
  EXPECT_EQ(dir.WithSeparator() + "Other.msg", path);
}

TEST(QualifyPath, OnlyTestsAbsolutePaths) {
  TempDirectory dir;
  std::string texts = dir.Write("Texts.msg", "");
  std::string path = texts;
  EXPECT_EQ(1, QualifyPath(path, nullptr, kAccessNoTest));
  EXPECT_EQ(0, QualifyPath(path, "/elsewhere", kAccessRead));
  EXPECT_EQ(texts, path);
  path = "\\\\no-such-server\\share\\x.msg";
  EXPECT_EQ(1, QualifyPath(path, nullptr, kAccessNoTest));
  EXPECT_EQ("\\\\no-such-server\\share\\x.msg", path);
}

TEST(QualifyPath, RefusesBadNames) {
  TempDirectory dir;
  std::string path;
  EXPECT_EQ(0x123, QualifyPath(path, nullptr, kAccessRead));
  path = "...\\x.msg";
  EXPECT_EQ(0x123, QualifyPath(path, dir.Path().string().c_str(), kAccessNoTest));
  // Climbing above the root.
  std::string climb;
  for (int i = 0; i < 200; ++i) climb += "..\\";
  path = climb + "x.msg";
  EXPECT_EQ(0x123, QualifyPath(path, dir.Path().string().c_str(), kAccessNoTest));
  EXPECT_EQ(climb + "x.msg", path);
  // Too long once completed: refused, not cut short.
  path = std::string(platform::MaxPathLength(), 'n');
  EXPECT_EQ(0x123, QualifyPath(path, dir.Path().string().c_str(), kAccessNoTest));
  EXPECT_EQ(std::string(platform::MaxPathLength(), 'n'), path);
}

TEST(QualifyPath, DotNamesAndSlashDots) {
  TempDirectory dir;
  std::string hidden = dir.Write(".hidden/x.msg", "");
  std::string path = ".hidden\\x.msg";
  EXPECT_EQ(0, QualifyPath(path, dir.Path().string().c_str(), kAccessRead));
  EXPECT_EQ(0, CheckPathAccess(path.c_str(), 0));

  path = "./.hidden/x.msg";
  EXPECT_EQ(0, QualifyPath(path, dir.Path().string().c_str(), kAccessRead));

  // ".." followed by a slash climbs where the slash is the system's own
  // separator, and is refused on Windows.
  dir.Write("top.msg", "");
  path = "../top.msg";
  int code = QualifyPath(path, (dir.Path() / ".hidden").string().c_str(), kAccessRead);
  EXPECT_EQ(OnPosix() ? 0 : 0x123, code);
}

TEST(QualifyPath, FallsBackToCurrentThenExecutableDirectory) {
  TempDirectory dir;
  std::string texts = dir.Write("Texts.msg", "");
  CurrentDirectoryScope cwd(dir.Path());
  std::string path = "Texts.msg";
  EXPECT_EQ(0, QualifyPath(path, (dir.Path() / "missing").string().c_str(), kAccessRead));
  EXPECT_TRUE(fs::equivalent(texts, path));

  std::string program;
  ASSERT_EQ(0, GetDirectoryByKind(kModuleDirectory, program));
  char name[4096];
  ASSERT_NE(0u, platform::ExecutableFileName(name, sizeof name));
  std::string ownName = fs::path(name).filename().string();
  path = ownName;
  EXPECT_EQ(0, QualifyPath(path, nullptr, kAccessRead));
  EXPECT_EQ(program + ownName, path);
}

TEST(DirectoryGetters, EndWithASeparatorAndRefuseBadBuffers) {
  std::string text = "unchanged";
  EXPECT_EQ(0x119, GetDirectoryByKind(4, text));
  EXPECT_EQ(0x119, GetDirectoryByKind(0, text));
  EXPECT_EQ("unchanged", text);

  ASSERT_EQ(0, GetDirectoryByKind(kCurrentDirectory, text));
  // Compared without the separator, which not every system's stat takes.
  EXPECT_TRUE(fs::equivalent(fs::current_path(), text.substr(0, text.size() - 1)));
  EXPECT_NE(nullptr, std::strchr("\\/", text.back()));

  ASSERT_EQ(0, GetDirectoryByKind(kModuleDirectory, text));
  EXPECT_NE(nullptr, std::strchr("\\/", text.back()));

  EXPECT_EQ(0x111, GetCurrentDirectoryPath(nullptr));
  EXPECT_EQ(0x111, GetModuleDirectory(nullptr));
  char tiny[4] = "abc";
  EXPECT_EQ(0x111, GetModuleDirectory(tiny, sizeof tiny));
  EXPECT_EQ(0x111, GetWindowsDirectoryPath(tiny, sizeof tiny));
}

TEST(DirectoryGetters, WindowsDirectoryCanBeStoodInFor) {
  TempDirectory dir;
  platform::OverrideWindowsDirectory(dir.Path().string().c_str());
  std::string text;
  EXPECT_EQ(0, GetDirectoryByKind(kWindowsDirectory, text));
  platform::OverrideWindowsDirectory(nullptr);
  EXPECT_EQ(dir.WithSeparator(), text);
  EXPECT_EQ(0, GetDirectoryByKind(kWindowsDirectory, text));
  EXPECT_NE(dir.WithSeparator(), text);
}

TEST(TextRoutines, SeparatorsAndPaddedBuffers) {
  std::string text = "C:\\App";
  EnsureTrailingSeparator(text);
  EXPECT_EQ("C:\\App\\", text);
  text = "C:/App";
  EnsureTrailingSeparator(text);
  EXPECT_EQ("C:/App/", text);
  text = "App";
  EnsureTrailingSeparator(text);
  EXPECT_EQ("App\\", text);
  text = "";
  EnsureTrailingSeparator(text);
  EXPECT_EQ("", text);

  char buffer[16];
  FillWithSpaces(buffer, 5);
  EXPECT_STREQ("    ", buffer);
  EXPECT_EQ(4u, CopyToPaddedBuffer(buffer, "Hello world"));
  EXPECT_STREQ("Hell", buffer);
  EXPECT_EQ(2u, CopyToPaddedBuffer(buffer, "Hi"));
  EXPECT_STREQ("Hi", buffer);
  EXPECT_EQ(0u, CopyToPaddedBuffer(buffer, nullptr));
  EXPECT_EQ(0u, CopyToPaddedBuffer(nullptr, "x"));
  EXPECT_STREQ("Hi", buffer);
}

TEST(TextRoutines, DoubleByteTrailBytesAreNotSeparators) {
  if (!platform::UseCodePage(932)) GTEST_SKIP() << "no double-byte code page built in";
  // 0x83 0x5C is one character whose second byte is the backslash code.
  const char dir[] = "C:\\\x83\x5C";
  EXPECT_EQ(dir + 3, LastCharacter(dir));
  EXPECT_EQ(dir + 2, FindLastSeparator(dir));
  std::string text = dir;
  EnsureTrailingSeparator(text);
  EXPECT_EQ(std::string(dir) + "\\", text);
  platform::UseSystemCodePage();
  EXPECT_EQ(nullptr, LastCharacter(nullptr));
  EXPECT_STREQ("", LastCharacter(""));
}

}  // namespace
}  // namespace tralvex
