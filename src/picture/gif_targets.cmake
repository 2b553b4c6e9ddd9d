# The GIF window's test targets (owned by the GIF work).
