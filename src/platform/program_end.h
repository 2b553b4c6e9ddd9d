#pragma once
// Closing the main window ends the program: the other windows close with it, and long
// work that lets window events run (font libraries, conversion runs) stops at its next
// pause instead of keeping the process alive. Dialogs asked for after that are not shown.

namespace platform {

// The main window says so when it opens (false) and when it closes (true).
void SetProgramEnding(bool ending);
[[nodiscard]] bool ProgramEnding();

}  // namespace platform
