// Opening a file that must be a regular file, for every reader and writer
// of the POSIX layer.
#ifndef TRALVEX_PLATFORM_POSIX_REGULARFILE_H
#define TRALVEX_PLATFORM_POSIX_REGULARFILE_H

namespace tralvex::platform {

// Opens the file at a native path without ever waiting on it: a FIFO, a
// device or a directory is refused before it can block or be read (-1 with
// errno EISDIR for a directory, EINVAL for the rest). The name is looked at
// before the open, so that a device is not opened at all (opening some has
// effects), and the opened file again, which closes the gap between. flags
// and mode are those of open(); the descriptor is non-blocking, which
// changes nothing for a regular file.
int OpenRegularFile(const char* nativePath, int flags, unsigned mode = 0);

}  // namespace tralvex::platform

#endif
