// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
#ifndef TRALVEX_TESTS_SUPPORT_TEMPDIRECTORY_H
#define TRALVEX_TESTS_SUPPORT_TEMPDIRECTORY_H

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace tralvex::test {

class TempDirectory {
 public:
  TempDirectory() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("tralvex-" + std::to_string(random() % 100000000));
    } while (!std::filesystem::create_directory(path_));
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  ~TempDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& Path() const { return path_; }

  // The directory as the library spells it: with a trailing separator.
  std::string WithSeparator() const {
    std::string text = path_.string();
    text += std::filesystem::path::preferred_separator;
    return text;
  }

  // Writes bytes exactly as given (no line-end translation); returns the
  // file's full name.
  std::string Write(std::string_view relative, std::string_view bytes) const {
    std::filesystem::path file = path_ / std::filesystem::path(std::string(relative));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }

 private:
  std::filesystem::path path_;
};

// Changes the current directory for the life of the object.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::filesystem::path& directory)
      : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
  }
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;
  ~CurrentDirectoryScope() {
    std::error_code ignored;
    std::filesystem::current_path(saved_, ignored);
  }

 private:
  std::filesystem::path saved_;
};

}  // namespace tralvex::test

#endif
