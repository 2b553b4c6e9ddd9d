# The GIF window's test targets (owned by the GIF work).
dravick_qtest(tform6_tests SOURCES tform6_tests.cpp gif_test_writer.cpp LIBS picture_ui)
