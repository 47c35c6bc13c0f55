# Writes the header that states Kestrel's version, run at every build (cmake -P): what
# `git describe --always --dirty` says of the source tree where it is a git checkout and git
# answers, else the project's version (a tarball, a clean export, a package build without git).
# The header is rewritten only when the version changes, so that a build without changes
# compiles nothing again. Given SOURCE_DIR, OUTPUT (the header) and FALLBACK.
set(version "${FALLBACK}")
# Only the source tree's own checkout: a tarball unpacked inside another checkout must not take
# that checkout's version.
if(EXISTS "${SOURCE_DIR}/.git")
  find_program(git_program git)
  if(git_program)
    execute_process(COMMAND "${git_program}" describe --always --dirty
                    WORKING_DIRECTORY "${SOURCE_DIR}"
                    OUTPUT_VARIABLE described RESULT_VARIABLE status
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(status EQUAL 0 AND described MATCHES "^[A-Za-z0-9._+~-]+$")
      set(version "${described}")
    endif()
  endif()
endif()
set(text "// Kestrel's version, written by cmake/kestrel_version.cmake at build time.\n")
string(APPEND text "#pragma once\n#define KESTREL_BUILD_VERSION \"${version}\"\n")
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
