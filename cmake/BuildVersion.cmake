# Writes OUTPUT, the definitions of cli/build_version.h: the project's VERSION and the git
# description of the checkout in SOURCE_DIR ("" when it is none, as in a source tarball).
# Run at every build; the file changes only when the description does, so nothing is
# rebuilt otherwise.
set(description "")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${SOURCE_DIR}/.git")
  execute_process(
    COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" describe --always --dirty --abbrev=7
    OUTPUT_VARIABLE description
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET
    RESULT_VARIABLE failed)
  if(failed)
    set(description "")
  endif()
endif()
file(WRITE "${OUTPUT}.new"
  "// Written by the build (cmake/BuildVersion.cmake).\n"
  "#include \"cli/build_version.h\"\n\n"
  "namespace cli {\n\n"
  "const char* const kProjectVersion = \"${VERSION}\";\n"
  "const char* const kGitDescription = \"${description}\";\n\n"
  "}  // namespace cli\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
