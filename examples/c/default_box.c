/* The message box of a system without windows: with no hook set, the box is
 * written to standard error and answered with its default button, as if the
 * user pressed Enter. (On Windows the same calls show a real box and wait.)
 * Usage: default_box */
#include <stdio.h>
#include <tralvex/tralvex.h>

int main(void) {
  int answer = Msg_DisplayMessage_S("Save changes to report.txt?", "Notes",
                                    TRALVEX_MB_YESNO | TRALVEX_MB_DEFBUTTON2);
  printf("answer: %d (%s)\n", answer, answer == TRALVEX_IDYES ? "yes" : "no");
  fflush(stdout);
  answer = Msg_DisplayOneError("Opening report.txt", 0x127, "report.txt", TRALVEX_MB_OK, 0);
  printf("answer: %d\n", answer);
  return 0;
}
