// The C runtime keeps a copy of the environment of its own, which its getenv
// reads: _putenv_s changes that copy and the process's block alike.
#include "platform/Environment.h"

#include <stdlib.h>

namespace tralvex::platform {

bool SetEnvironmentValue(const char* name, const char* value) {
  return ::_putenv_s(name, value != nullptr ? value : "") == 0;
}

}  // namespace tralvex::platform
