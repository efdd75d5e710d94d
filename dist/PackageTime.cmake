# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack before it packs: every file in the package carries the time of
# SOURCE_DATE_EPOCH, which is the last commit's time when the caller did not set it, so
# that two builds of one commit give the same bytes.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  find_program(LUMENAR_GIT git)
  if(LUMENAR_GIT)
    execute_process(COMMAND ${LUMENAR_GIT} log -1 --format=%ct
                    WORKING_DIRECTORY ${CPACK_LUMENAR_SOURCE_DIR}
                    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
                    RESULT_VARIABLE failed)
  endif()
  if(LUMENAR_GIT AND NOT failed AND commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  else()
    message(WARNING "No SOURCE_DATE_EPOCH and no git history: the package carries the files' own times")
  endif()
endif()
