// The process's environment as the C library's getenv reads it. The tool
// sets a switch of a library it calls this way, for the time of one call.
#ifndef TRALVEX_PLATFORM_ENVIRONMENT_H
#define TRALVEX_PLATFORM_ENVIRONMENT_H

namespace tralvex::platform {

// Sets the variable name to value, or removes it when value is null. On
// Windows a variable cannot be empty: an empty value removes it too. False
// when the system refuses (a name with "=", no memory left).
bool SetEnvironmentValue(const char* name, const char* value);

}  // namespace tralvex::platform

#endif
