# SPDX-License-Identifier: GPL-3.0-or-later
# Runs `moraku-db verify --engine gnugo` on a freshly built joseki database.
#   cmake -DTOOL=<moraku-db> -DDB=<database> -P verify_joseki.cmake
# Where GNU Go is not installed the verification is skipped with a warning (scripts/deps installs
# it, so scripts/test always verifies); any problem it finds fails the build.
find_program(MORAKU_GNUGO_PROGRAM gnugo PATHS /usr/games NO_CACHE)
if(NOT MORAKU_GNUGO_PROGRAM)
  message(WARNING "GNU Go (Debian package gnugo) is not installed: the joseki lines are not "
                  "verified. scripts/deps installs it.")
  return()
endif()
execute_process(COMMAND ${TOOL} verify --engine gnugo --db ${DB} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "moraku-db verify found problems in the joseki source (exit status "
                      "${status}); the database was not replaced")
endif()
