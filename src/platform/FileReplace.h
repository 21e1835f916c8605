// Replacing a file's whole content so that a reader sees the old content or
// the new, never a part, and a crash leaves one of them on the disk: the new
// content goes to a file beside the target, is flushed to the disk and then
// renamed over the target. The command-line tool writes translations this
// way.
#ifndef TRALVEX_PLATFORM_FILEREPLACE_H
#define TRALVEX_PLATFORM_FILEREPLACE_H

#include <functional>
#include <string>
#include <string_view>

namespace tralvex::platform {

// Writes content to path, creating the file or replacing it whole. A
// symbolic link keeps pointing at the file it names, and an existing file
// keeps its permissions. Something at path that is not a regular file (a
// directory, a device, a pipe) is refused. True only once the content is
// on the disk under the name; otherwise false with the system's reason, and
// the target is as it was, with no file left beside it.
bool ReplaceFileContent(const std::string& path, std::string_view content, std::string& reason);

// Fills the new file beside the target by its name, for a library that
// writes only to a file it opens itself: given that name (the file exists,
// empty), it writes the whole content there and returns true, or returns
// false with its reason.
using FileFiller = std::function<bool(const std::string& name, std::string& reason)>;

// The same replacement with the content that fill writes; when fill fails,
// its reason is given and the target is as it was.
bool ReplaceFileContentBy(const std::string& path, const FileFiller& fill, std::string& reason);

}  // namespace tralvex::platform

#endif
