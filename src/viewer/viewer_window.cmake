# The viewer window (TForm9) and what it shows of the entries.
dravick_core_library(viewer_browse SOURCES entry_browse.cpp LIBS viewer_core)
dravick_ui_library(viewer_ui SOURCES pixel_view.h pixel_view.cpp tform9.h tform9.cpp
  LIBS viewer_browse viewer_core picture_ui)

dravick_gtest(viewer_browse_tests SOURCES entry_browse_tests.cpp LIBS viewer_browse)
dravick_qtest(tform9_tests SOURCES tform9_tests.cpp LIBS viewer_ui picture_writer)
