# The GIF converter's core sources and tests (owned by the GIF work).
