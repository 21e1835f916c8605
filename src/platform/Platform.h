// The one door to the operating system. Everything the library needs from
// the system is declared in the headers included here and implemented twice:
// in win32/ over the Windows calls and in posix/ over POSIX. No other part of
// the library includes a system header.
#ifndef TRALVEX_PLATFORM_PLATFORM_H
#define TRALVEX_PLATFORM_PLATFORM_H

#include "platform/CodePage.h"
#include "platform/Console.h"
#include "platform/FileReplace.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Modules.h"
#include "platform/Profile.h"
#include "platform/Ui.h"

#endif
