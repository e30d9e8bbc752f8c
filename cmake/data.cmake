# fld1: the joseki database built from data/gocs.csv, and the instructions text
# converted to Shift_JIS with CR LF line breaks.
set(MORAKU_FLD1_DIR ${CMAKE_BINARY_DIR}/fld1)
set(MORAKU_DB ${MORAKU_FLD1_DIR}/goc.db)
# The database is built beside its final name, checked entry by entry and verified with GNU Go;
# only a database that passes both replaces goc.db, so a faulty source fails the build and is
# retried.
add_custom_command(
  OUTPUT ${MORAKU_DB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MORAKU_FLD1_DIR}
  COMMAND $<TARGET_FILE:moraku-db> load ${PROJECT_SOURCE_DIR}/data/gocs.csv ${MORAKU_DB}.new
  COMMAND $<TARGET_FILE:moraku-db> check --db ${MORAKU_DB}.new
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:moraku-db> -DDB=${MORAKU_DB}.new
          -P ${PROJECT_SOURCE_DIR}/cmake/verify_joseki.cmake
  COMMAND ${CMAKE_COMMAND} -E rename ${MORAKU_DB}.new ${MORAKU_DB}
  DEPENDS moraku-db ${PROJECT_SOURCE_DIR}/data/gocs.csv
          ${PROJECT_SOURCE_DIR}/cmake/verify_joseki.cmake
  COMMENT "Building the joseki database, checking and verifying it"
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
