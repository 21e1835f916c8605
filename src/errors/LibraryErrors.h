// Showing the errors that another library of the family collected, fetched
// through its export "Qel_GetAllErrors".
#ifndef TRALVEX_ERRORS_LIBRARYERRORS_H
#define TRALVEX_ERRORS_LIBRARYERRORS_H

#include <cstdint>

#include "errors/ErrorBoxes.h"
#include "errors/ProcedureResolver.h"
#include "tralvex/tralvex.h"

namespace tralvex {

constexpr const char* kGetAllErrorsName = "Qel_GetAllErrors";
constexpr unsigned kLibraryErrorCapacity = 10;

// The export's contract: capacity in, count out; arrays of ten; a 16-bit
// result, 1 for success.
using GetAllErrorsProc = uint32_t(TRALVEX_CALL*)(unsigned* count, int* codes, const char** texts,
                                                 uint32_t selector);

// The box result, or -1 when the export cannot be reached (a box then tells
// why). A count above the capacity shows the ten errors the arrays hold.
int ShowLibraryErrors(ErrorBoxServices& services, ProcedureResolver& resolver, const char* action,
                      const char* module, uint32_t selector, unsigned style, int errHandle);

}  // namespace tralvex

#endif
