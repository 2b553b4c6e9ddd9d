# The GIF converter's core sources and tests (owned by the GIF work).
set(GIF_CORE_SOURCES gif_frames.cpp gif_folder.cpp gif_run.cpp)
set(GIF_CORE_TESTS gif_test_writer.cpp gif_decoder_tests.cpp gif_frames_tests.cpp gif_run_tests.cpp)
