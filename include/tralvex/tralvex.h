/*
 * Tralvex: message catalogues and error reporting for the applications of
 * the family.
 *
 * Two families of functions:
 *   Msg_  open one message file at a time and name it by a catalogue handle;
 *   Mes_  work through a message context built from "Tralvex.ini", which
 *         spreads the message numbers of an application over several files.
 *
 * Conventions shared by every export:
 *   - Status results are 16-bit values: 1 for success, 0 for failure.
 *   - Output buffers follow the prefilled-length rule: the caller passes a
 *     buffer that already holds a NUL-terminated text (for instance blanks);
 *     its length is the room granted. At most that many characters are
 *     written, then a terminator, and nothing else.
 *   - Texts are NUL-terminated byte strings in the system's ANSI code page.
 *   - The library takes no locks: call it from one thread at a time.
 */
#ifndef TRALVEX_TRALVEX_H
#define TRALVEX_TRALVEX_H

#include <stdint.h>

/* Calling convention of every export: the callee removes the arguments on
 * 32-bit Windows; the platform's only convention elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define TRALVEX_CALL __stdcall
#else
#define TRALVEX_CALL
#endif

#if defined(_WIN32)
#define TRALVEX_EXPORT
#elif defined(__GNUC__)
#define TRALVEX_EXPORT __attribute__((visibility("default")))
#else
#define TRALVEX_EXPORT
#endif

#ifdef __cplusplus
#define TRALVEX_API extern "C" TRALVEX_EXPORT
class ErrorList;
#else
#define TRALVEX_API TRALVEX_EXPORT
typedef struct ErrorList ErrorList;
#endif

/* A 16-bit status; only the low 16 bits are defined. */
typedef unsigned short TralvexStatus;

/* The handle value that names no catalogue. */
#define TRALVEX_NO_CATALOGUE 0xFFFFu

/* Message-box styles and results used by the library. */
#define TRALVEX_MB_OK 0x0000u
#define TRALVEX_MB_YESNO 0x0004u
#define TRALVEX_MB_DEFBUTTON2 0x0100u
#define TRALVEX_MB_DEFBUTTON3 0x0200u
#define TRALVEX_IDOK 1
#define TRALVEX_IDYES 6

/* The opaque message context handed out by Mes_OpenProcess. */
typedef struct Mes_Context Mes_Context;

/* Argument record of Mes_FormatMessage and the Mes_Display functions.
 * text:  the text to format when no message number is given, otherwise the
 *        default text for a missing message; may be null.
 * args:  when count is 1, the single argument text itself (const char*);
 *        otherwise an array of count argument texts (const char* const*),
 *        where a null entry stands for the text "%s".
 * count: the number of arguments; 0 means no formatting. */
typedef struct MessageArgs {
  const char* text;
  const void* args;
  uint32_t count;
} MessageArgs;

/* Stand-ins for the platform's window functions, for toolkits (and tests)
 * on systems without native windows. */
typedef struct Msg_WindowHooks {
  int(TRALVEX_CALL* isWindow)(void* window);
  int(TRALVEX_CALL* setWindowText)(void* window, const char* text);
  int(TRALVEX_CALL* setDlgItemText)(void* dialog, int itemId, const char* text);
} Msg_WindowHooks;

/* Every message box of the library goes through this procedure. */
typedef int(TRALVEX_CALL* Msg_MessageBoxProc)(const char* text, const char* caption,
                                              unsigned int style);

/* ---- Presence probe ---------------------------------------------------- */

/* Returns 0x4B4F; touches no state. */
TRALVEX_API TralvexStatus TRALVEX_CALL Tralvex(void);

/* ---- Handle functions ---------------------------------------------------- */

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_SetDefaultDir(const char* directory);
TRALVEX_API TralvexStatus TRALVEX_CALL Msg_OpenMessages(uint32_t* handleOut, const char* fileName,
                                                        const char* section);
TRALVEX_API TralvexStatus TRALVEX_CALL Msg_CloseMessages(uint32_t handle);
TRALVEX_API TralvexStatus TRALVEX_CALL Msg_GetMessage(uint32_t handle, uint32_t number,
                                                      char* buffer);
TRALVEX_API const char* TRALVEX_CALL Msg_GetMessagePtr(uint32_t handle, uint32_t number,
                                                       const char* defaultText);
TRALVEX_API TralvexStatus TRALVEX_CALL Msg_SetWindowCaption(uint32_t handle, uint32_t number,
                                                            void* window,
                                                            const char* defaultText);
TRALVEX_API TralvexStatus TRALVEX_CALL Msg_SetMsgSection(uint32_t handle, const char* section);
TRALVEX_API TralvexStatus TRALVEX_CALL Msg_GetQelErrString(uint32_t number, char* buffer);
TRALVEX_API const char* TRALVEX_CALL Msg_GetPtr2QelError(uint32_t number,
                                                         const char* defaultText);
TRALVEX_API TralvexStatus TRALVEX_CALL Msg_SetQelErrSection(const char* section);

/* Copied; null restores the platform's own window functions. */
TRALVEX_API void TRALVEX_CALL Msg_SetWindowHooks(const Msg_WindowHooks* hooks);

/* ---- Evaluation, formatting and message boxes, handle family -------------
 * Formatting understands "%s" with the "-" flag, a width and a precision, and
 * "%%". Every other conversion (d, i, u, x, X, o, c, e, E, f, F, g, G, a, A, p,
 * with any flags, width, precision or length modifier) reads no memory: it
 * takes the next argument text as "%s" would, so "%d of %s" with "3" and "7"
 * gives "3 of 7". "%n" takes its argument and produces nothing. A "*" width or
 * precision takes the next argument text and reads it as a decimal number (a
 * text that is no number gives 0; a negative width aligns left, a negative
 * precision is none). Widths and precisions above 4096 count as 4096.
 * Conversions beyond the arguments passed take the text "%s", so a surplus
 * "%s" stays "%s", however many there are. A "%" followed by a character that
 * is no conversion (as in "%y" or "%1$s"), or cut off by the end of the text,
 * stays as written and takes no argument. Texts are argument texts only:
 * nothing else is ever read.
 * A null source text or output buffer is refused: the status is 0 and
 * nothing is written (Mes_ComposeMessage shows no box and returns 0). A null
 * argument array stands for arguments that are all "%s". */

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_EvalMessage(uint32_t handle, const char* source,
                                                       char* buffer);
TRALVEX_API TralvexStatus TRALVEX_CALL Msg_FormatMessage(uint32_t handle, uint32_t number,
                                                         char* buffer, const char* arg1,
                                                         const char* arg2, const char* arg3);
TRALVEX_API int TRALVEX_CALL Msg_DisplayMessage_S(const char* text, const char* caption,
                                                  unsigned int style);
TRALVEX_API int TRALVEX_CALL Msg_DisplayMessage_N(uint32_t handle, uint32_t number,
                                                  const char* caption, unsigned int style);

/* Null restores the platform's own message box; returns the previous hook. */
TRALVEX_API Msg_MessageBoxProc TRALVEX_CALL Msg_SetMessageBoxHook(Msg_MessageBoxProc hook);

/* ---- Error display, handle family ----------------------------------------
 * A null codes array shows the line of code 0, as a count of 0 does; a null
 * contexts array means that no error has a context text. */

TRALVEX_API int TRALVEX_CALL Msg_DisplayOneError(const char* action, int code,
                                                 const char* context, unsigned int style,
                                                 int errHandle);
TRALVEX_API int TRALVEX_CALL Msg_DisplayAllErrors(const char* action, const int* codes,
                                                  const char* const* contexts, unsigned int count,
                                                  unsigned int style, int errHandle);
TRALVEX_API int TRALVEX_CALL Msg_DisplayErrMsg(uint32_t msgHandle, uint32_t number, int code,
                                               const char* context, unsigned int style,
                                               int errHandle);
TRALVEX_API int TRALVEX_CALL Msg_DisplayErrMsges(uint32_t msgHandle, uint32_t number,
                                                 const int* codes, const char* const* contexts,
                                                 unsigned int count, unsigned int style,
                                                 int errHandle);
/* Shows at most ten errors, also when the other library reports more. */
TRALVEX_API int TRALVEX_CALL Msg_DisplayLibErrors(const char* action, const char* moduleName,
                                                  uint32_t selector, unsigned int style,
                                                  int errHandle);

/* ---- Context functions ---------------------------------------------------- */

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_OpenProcess(Mes_Context** contextOut,
                                                       const char* fileSpec, const char* caption,
                                                       int keepOnFailure);
TRALVEX_API TralvexStatus TRALVEX_CALL Mes_SetMyCaption(Mes_Context* context,
                                                        const char* caption);
TRALVEX_API TralvexStatus TRALVEX_CALL Mes_JoinProcess(Mes_Context* context);
TRALVEX_API TralvexStatus TRALVEX_CALL Mes_CloseProcess(Mes_Context* context);
TRALVEX_API const char* TRALVEX_CALL Mes_GetMessagePtr(Mes_Context* context, uint32_t number,
                                                       const char* defaultText);
TRALVEX_API TralvexStatus TRALVEX_CALL Mes_GetMessage(Mes_Context* context, uint32_t number,
                                                      char* buffer, const char* defaultText);
TRALVEX_API TralvexStatus TRALVEX_CALL Mes_SetCaption(Mes_Context* context, void* window,
                                                      uint32_t number, const char* defaultText);
TRALVEX_API TralvexStatus TRALVEX_CALL Mes_SetCaptions(Mes_Context* context, void* dialog,
                                                       const int32_t* itemIds,
                                                       const uint32_t* numbers, uint32_t count);

/* ---- Evaluation, formatting and message boxes, context family ------------ */

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_EvalMessage(Mes_Context* context, const char* source,
                                                       char* buffer);
TRALVEX_API TralvexStatus TRALVEX_CALL Mes_FormatMessage(Mes_Context* context, uint32_t number,
                                                         char* buffer, const MessageArgs* record);
TRALVEX_API int TRALVEX_CALL Mes_DisplayMessage(Mes_Context* context, uint32_t number,
                                                const MessageArgs* record, unsigned int style);
/* args and count as in MessageArgs. */
TRALVEX_API int TRALVEX_CALL Mes_ComposeMessage(Mes_Context* context, const char* text,
                                                const void* args, uint32_t count,
                                                unsigned int style);

/* ---- Error display, context family ---------------------------------------- */

TRALVEX_API int TRALVEX_CALL Mes_DisplayError(Mes_Context* context, uint32_t number,
                                              const MessageArgs* record, int code,
                                              const char* contextText, unsigned int style);
TRALVEX_API int TRALVEX_CALL Mes_DisplayErrors(Mes_Context* context, uint32_t number,
                                               const MessageArgs* record, const int* codes,
                                               const char* const* contexts, uint32_t count,
                                               unsigned int style);
/* Reads at most the ten oldest entries of the caller's list. */
TRALVEX_API int TRALVEX_CALL Mes_DisplayErrBase(Mes_Context* context, uint32_t number,
                                                const MessageArgs* record, ErrorList* list,
                                                unsigned int style);

#endif /* TRALVEX_TRALVEX_H */
