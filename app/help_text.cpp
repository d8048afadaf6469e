#include "help_text.h"

#include "platform/kernel/process_settings.h"
#include "scoring/score_list.h"

std::string helpFooter() {
  std::string scores = profileDirectory();
  scores = scores.empty() ? "no place found (set HOME or use --data-dir)"
                          : scores + "/" + kHighScoreFile;
  return "Without --headless the game opens its window on the desktop.\n"
         "\n"
         "Keys:\n"
         "  Arrows, numeric keypad  steer; Home/End/PgUp/PgDn (keypad 7 1 9 3) pick a pose\n"
         "  Insert (keypad 0)       jump; Up and Down do tricks in the air\n"
         "  Mouse                   steer toward the cursor; click to jump\n"
         "  F2                      new game\n"
         "  F3                      pause and resume\n"
         "  Enter                   new game after the skier is gone\n"
         "  Esc                     minimise\n"
         "  F11, Alt+Enter          fullscreen and back\n"
         "  PrintScreen, F12        save a screenshot in $XDG_PICTURES_DIR/Snowvel\n"
         "  (snowvel --bindings lists the keys as bound; --bind changes them)\n"
         "\n"
         "Game controller (plug it in or out at any time):\n"
         "  D-pad, left stick       steer as the arrow keys; diagonals as keypad 7 9 1 3\n"
         "  South button (A)        jump; new game after the skier is gone\n"
         "  Start                   pause and resume; new game after the skier is gone\n"
         "  Back (Select)           new game\n"
         "\n"
         "High scores: " +
         scores + "\n(--data-dir, $SNOWVEL_DATA_DIR or $XDG_DATA_HOME choose another place)";
}
