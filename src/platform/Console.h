// The standard streams of a console program.
#ifndef TRALVEX_PLATFORM_CONSOLE_H
#define TRALVEX_PLATFORM_CONSOLE_H

namespace tralvex::platform {

// True when the stream (1 standard output, 2 standard error) is a terminal
// or console window rather than a file or a pipe.
bool IsTerminal(int stream);

}  // namespace tralvex::platform

#endif
