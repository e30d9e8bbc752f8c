# SPDX-License-Identifier: GPL-3.0-or-later
# Installing: the runnable program folder under <prefix>/lib/moraku (both programs, fld1 and
# fld2), a launcher in <prefix>/bin, a desktop entry and an icon in the XDG places, and an
# 'uninstall' target that removes what the last install listed in install_manifest.txt.
set(MORAKU_PROGRAM_DIR lib/moraku)

install(TARGETS moraku moraku-db RUNTIME DESTINATION ${MORAKU_PROGRAM_DIR})
install(FILES ${MORAKU_DB} ${MORAKU_RESUME} DESTINATION ${MORAKU_PROGRAM_DIR}/fld1)
install(DIRECTORY ${MORAKU_FLD2_DIR}/ DESTINATION ${MORAKU_PROGRAM_DIR}/fld2)
install(FILES ${MORAKU_PICTURES_DIR}/moraku.png DESTINATION share/icons/hicolor/128x128/apps)

# The launcher and the desktop entry name the prefix, which is known only when installing
# (cmake --install --prefix may change it), so they are written then.
set(MORAKU_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
install(CODE "
  set(MORAKU_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/moraku.in\"
                 \"${MORAKU_PACKAGING_OUT}/moraku\" @ONLY)
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/moraku.desktop.in\"
                 \"${MORAKU_PACKAGING_OUT}/moraku.desktop\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/bin\" TYPE PROGRAM
       FILES \"${MORAKU_PACKAGING_OUT}/moraku\")
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\" TYPE FILE
       FILES \"${MORAKU_PACKAGING_OUT}/moraku.desktop\")
")

if(NOT TARGET uninstall)
  add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
            -P ${PROJECT_SOURCE_DIR}/packaging/uninstall.cmake
    COMMENT "Removing the installed files of this build"
    VERBATIM)
endif()
