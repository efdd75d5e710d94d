# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack between staging the files and packing them: drops the compiler's notes from
# the programs, as Debian's own packages do (CPack's strip keeps them).
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${CPACK_LUMENAR_OBJCOPY} --remove-section=.comment --remove-section=.note ${program}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objcopy failed on ${program}")
  endif()
endforeach()
