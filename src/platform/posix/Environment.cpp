#include "platform/Environment.h"

#include <stdlib.h>

namespace tralvex::platform {

bool SetEnvironmentValue(const char* name, const char* value) {
  return (value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name)) == 0;
}

}  // namespace tralvex::platform
