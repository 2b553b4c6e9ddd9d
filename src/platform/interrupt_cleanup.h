#pragma once
// Temporary files that an interrupt must not leave behind. Writers register each
// temporary file while it exists; SIGINT, SIGTERM and SIGHUP then remove every registered
// file before the program exits with 128 + the signal's number (130 for Ctrl-C).

namespace platform {

// Installs the handlers, and ignores SIGXFSZ so that a file size limit fails a write
// instead of killing the program; both programs call it first thing in main.
void InstallInterruptCleanup();

// Registers a temporary file's path; returns the slot to release, or -1 when every slot
// is taken (the file then simply goes unprotected).
int RegisterTemporaryFile(const char* path);
void ReleaseTemporaryFile(int slot);

}  // namespace platform
