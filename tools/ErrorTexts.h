// What the library's error codes mean, in the words of the error catalogue
// the library ships (its English texts), so that the tool gives the
// library's own reason when it refuses a file.
#ifndef TRALVEX_TOOLS_ERRORTEXTS_H
#define TRALVEX_TOOLS_ERRORTEXTS_H

#include <string>

#include "tralvex/ErrorList.h"

namespace tralvex::tool {

// The text of an error code; "unknown error" for a code the catalogue lacks.
std::string ErrorText(int code);

// "error 0127: The file was not found [NAME]": the code in four hexadecimal
// digits, its text, and the error's context text when it has one.
std::string DescribeError(int code, const char* context);

// Every error of the list, oldest first, joined by "; ".
std::string DescribeErrors(const ErrorList& errors);

}  // namespace tralvex::tool

#endif
