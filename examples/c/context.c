/* A message context: the messages of an application spread over the files
 * that Tralvex.ini lists, each opened when a number of its range is first
 * asked for.
 * Usage: context DIRECTORY (the directory that holds Tralvex.ini). */
#include <stdio.h>
#include <tralvex/tralvex.h>

static void Show(Mes_Context* context, uint32_t number) {
  printf("  %X: %s\n", (unsigned)number, Mes_GetMessagePtr(context, number, NULL));
}

int main(int argc, char** argv) {
  Mes_Context* notes = NULL;

  if (argc < 2) {
    fprintf(stderr, "usage: context DIRECTORY\n");
    return 2;
  }
  /* The directory of Tralvex.ini; its message files are completed against
   * it. The caption is used by the context's message boxes. */
  if (Mes_OpenProcess(&notes, argv[1], "Notes", 0) != 1) {
    fprintf(stderr, "no usable Tralvex.ini in %s\n", argv[1]);
    return 1;
  }
  printf("lookups:\n");
  Show(notes, 0x1000); /* Notes-1FFF=Notes-en.msg */
  Show(notes, 0x2001); /* Print-2FFF=Print-en.msg */
  Show(notes, 0x0127); /* Library-0FFF=QelError.msg */
  Show(notes, 0x1100); /* in Notes-en.msg, but not in its default section */
  Show(notes, 0x5000); /* above the last range: no file serves it */
  printf("  5000 with a default: %s\n", Mes_GetMessagePtr(notes, 0x5000, "(none)"));

  /* Another part of the application shares the context: join it, and
   * close it once for every open and join. */
  printf("join: %d\n", Mes_JoinProcess(notes));
  printf("close: %d\n", Mes_CloseProcess(notes));
  Show(notes, 0x1001);
  printf("close: %d\n", Mes_CloseProcess(notes));

  /* The context is gone: every function refuses the pointer, and lookups
   * answer with the default or the placeholder. */
  printf("close again: %d\n", Mes_CloseProcess(notes));
  printf("lookup after the last close: %s\n", Mes_GetMessagePtr(notes, 0x1001, "(closed)"));
  return 0;
}
