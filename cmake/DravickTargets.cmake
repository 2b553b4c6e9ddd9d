include(GoogleTest)

# A GoogleTest executable registered with ctest; core tests link only *_core targets.
function(dravick_gtest NAME)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${NAME} ${ARG_SOURCES})
  target_link_libraries(${NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Parameterised cases are named by their name generators; the printed parameter values
  # would otherwise be appended to the ctest names.
  gtest_discover_tests(${NAME} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DRAVICK_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# A Qt Test executable for a window, run on the offscreen platform.
function(dravick_qtest NAME)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${NAME} ${ARG_SOURCES})
  set_target_properties(${NAME} PROPERTIES AUTOMOC ON)
  target_link_libraries(${NAME} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets)
  add_test(NAME ${NAME} COMMAND ${NAME})
  set_tests_properties(${NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DRAVICK_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# A Qt Widgets library of a subsystem's window(s).
function(dravick_ui_library NAME)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${NAME} STATIC ${ARG_SOURCES})
  set_target_properties(${NAME} PROPERTIES AUTOMOC ON)
  target_include_directories(${NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${NAME} PUBLIC ${ARG_LIBS} platform_ui Qt6::Widgets)
endfunction()

# A Qt-free core library of a subsystem.
function(dravick_core_library NAME)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${NAME} STATIC ${ARG_SOURCES})
  target_include_directories(${NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${NAME} PUBLIC ${ARG_LIBS})
endfunction()
