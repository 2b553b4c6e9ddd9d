// Filled in by its subsystem's work.
