# Run by cpack on the staged files before they are packed: takes out of the stripped programs
# the compiler's .comment and .note sections, as Debian's own packaging does.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
if(NOT programs)
  message(FATAL_ERROR "strip-package.cmake: no programs under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
find_program(strip_program NAMES strip REQUIRED)
foreach(program ${programs})
  execute_process(COMMAND ${strip_program} --remove-section=.comment --remove-section=.note
                          ${program}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip-package.cmake: could not strip ${program}")
  endif()
endforeach()
