# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what lands there: the program folder,
# the launcher (executable, pointing at the installed program, which starts), the desktop entry
# and the icon; then the uninstall target removes exactly that again.
# Run with -DBUILD_DIR=<build> -DPREFIX=<empty folder to install into>.

# cmake --install rewrites the build's manifest; keep the user's own and put it back at the end.
set(manifest "${BUILD_DIR}/install_manifest.txt")
set(saved "${PREFIX}.manifest.saved")

function(restore_manifest)
  file(REMOVE "${manifest}")
  if(EXISTS "${saved}")
    file(RENAME "${saved}" "${manifest}")
  endif()
endfunction()

function(fail what)
  restore_manifest()
  message(FATAL_ERROR "install check failed: ${what}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
file(REMOVE "${saved}")
if(EXISTS "${manifest}")
  file(RENAME "${manifest}" "${saved}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("cmake --install failed: ${out}${err}")
endif()

set(program "${PREFIX}/lib/moraku")
foreach(f moraku moraku-db fld1/goc.db fld1/resume.txt fld2/cross23.jpg fld2/zkuro55.gif
          fld2/zshiro1.gif fld2/newcross.gif bin/moraku share/applications/moraku.desktop
          share/icons/hicolor/128x128/apps/moraku.png)
  if(f MATCHES "^(bin|share)/")
    set(path "${PREFIX}/${f}")
  else()
    set(path "${program}/${f}")
  endif()
  if(NOT EXISTS "${path}")
    fail("missing ${path}")
  endif()
endforeach()
foreach(set "" "/150" "/200")
  file(GLOB images LIST_DIRECTORIES false "${program}/fld2${set}/*")
  list(LENGTH images image_count)
  if(NOT image_count EQUAL 134)
    fail("fld2${set} holds ${image_count} images, not 134")
  endif()
endforeach()

# The launcher is an executable shell script that runs the installed program.
execute_process(COMMAND test -x "${PREFIX}/bin/moraku" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  fail("the launcher is not executable")
endif()
file(READ "${PREFIX}/bin/moraku" launcher)
if(NOT launcher MATCHES "^#!/bin/sh")
  fail("the launcher is not a shell script")
endif()
string(FIND "${launcher}" "exec \"${program}/moraku\" \"$@\"" at)
if(at EQUAL -1)
  fail("the launcher does not run ${program}/moraku:\n${launcher}")
endif()
execute_process(COMMAND test -x "${program}/moraku" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  fail("the installed program is not executable")
endif()
# Started through the launcher, the program keeps running until it is closed.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
                        "${PREFIX}/bin/moraku"
                TIMEOUT 4 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc MATCHES "timeout")
  fail("the installed program did not keep running (${rc}): ${err}")
endif()

# A bad command line ends at once with exit code 2 and says why; --help lists the options.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
                        "${PREFIX}/bin/moraku" --section 99
                TIMEOUT 20 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "--section needs a section number")
  fail("--section 99 gave ${rc}: ${err}")
endif()
execute_process(COMMAND "${PREFIX}/bin/moraku" --help
                TIMEOUT 20 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "--entry K")
  fail("--help gave ${rc}: ${out}${err}")
endif()

# The desktop entry.
file(READ "${PREFIX}/share/applications/moraku.desktop" entry)
foreach(line "[Desktop Entry]" "Type=Application" "Name=Moraku 定石集" "Exec=${PREFIX}/bin/moraku"
             "Icon=moraku" "Categories=Game;BoardGame;" "Comment="
             "Exec=${PREFIX}/bin/moraku --section 1" "Exec=${PREFIX}/bin/moraku --section 2")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    fail("the desktop entry lacks '${line}'")
  endif()
endforeach()

# Uninstalling removes every installed file and the program folder, and nothing else.
file(WRITE "${PREFIX}/share/applications/other.desktop" "[Desktop Entry]\n")
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --target uninstall
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("the uninstall target failed: ${out}${err}")
endif()
file(GLOB_RECURSE left RELATIVE "${PREFIX}" "${PREFIX}/*")
if(NOT left STREQUAL "share/applications/other.desktop")
  fail("left after uninstalling: ${left}")
endif()
if(EXISTS "${program}")
  fail("${program} was not removed")
endif()

restore_manifest()
file(REMOVE_RECURSE "${PREFIX}")
