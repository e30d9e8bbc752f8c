# SPDX-License-Identifier: GPL-3.0-or-later
# fld1: the joseki database built from the SGF source under data/joseki/, and the instructions
# text converted to Shift_JIS with CR LF line breaks.
set(MORAKU_FLD1_DIR ${CMAKE_BINARY_DIR}/fld1)
set(MORAKU_DB ${MORAKU_FLD1_DIR}/goc.db)
file(GLOB MORAKU_JOSEKI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/joseki/*.sgf)
list(SORT MORAKU_JOSEKI_SOURCES)
# The files are imported into a new database beside its final name, which is checked entry by
# entry and verified with GNU Go; only a database that passes both replaces goc.db, so a faulty
# source fails the build and is retried.
add_custom_command(
  OUTPUT ${MORAKU_DB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MORAKU_FLD1_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${MORAKU_DB}.new
  COMMAND $<TARGET_FILE:moraku-db> import-sgf ${MORAKU_JOSEKI_SOURCES} --db ${MORAKU_DB}.new
          --strict
  COMMAND $<TARGET_FILE:moraku-db> check --db ${MORAKU_DB}.new
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:moraku-db> -DDB=${MORAKU_DB}.new
          -P ${PROJECT_SOURCE_DIR}/cmake/verify_joseki.cmake
  COMMAND ${CMAKE_COMMAND} -E rename ${MORAKU_DB}.new ${MORAKU_DB}
  DEPENDS moraku-db ${MORAKU_JOSEKI_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/verify_joseki.cmake
  COMMENT "Building the joseki database from data/joseki, checking and verifying it"
  VERBATIM)

set(MORAKU_RESUME ${MORAKU_FLD1_DIR}/resume.txt)
add_custom_command(
  OUTPUT ${MORAKU_RESUME}
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/data/resume.txt -DOUT=${MORAKU_RESUME}
          -P ${PROJECT_SOURCE_DIR}/cmake/to_shift_jis.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/data/resume.txt ${PROJECT_SOURCE_DIR}/cmake/to_shift_jis.cmake
  COMMENT "Converting the instructions to Shift_JIS"
  VERBATIM)
add_custom_target(runtime_data ALL DEPENDS ${MORAKU_DB} ${MORAKU_RESUME})
