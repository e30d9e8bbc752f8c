# fld1: the joseki database built from data/gocs.csv, and the instructions text
# converted to Shift_JIS with CR LF line breaks.
set(MORAKU_FLD1_DIR ${CMAKE_BINARY_DIR}/fld1)
set(MORAKU_DB ${MORAKU_FLD1_DIR}/goc.db)
# The database is built beside its final name and checked entry by entry; only a database
# that passes the check replaces goc.db, so a faulty CSV fails the build and is retried.
add_custom_command(
  OUTPUT ${MORAKU_DB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MORAKU_FLD1_DIR}
  COMMAND $<TARGET_FILE:moraku-db> load ${PROJECT_SOURCE_DIR}/data/gocs.csv ${MORAKU_DB}.new
  COMMAND $<TARGET_FILE:moraku-db> check --db ${MORAKU_DB}.new
  COMMAND ${CMAKE_COMMAND} -E rename ${MORAKU_DB}.new ${MORAKU_DB}
  DEPENDS moraku-db ${PROJECT_SOURCE_DIR}/data/gocs.csv
  COMMENT "Building and checking the joseki database"
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
