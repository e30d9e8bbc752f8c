# SPDX-License-Identifier: GPL-3.0-or-later
# Removes exactly the files listed in an install manifest, then the program folders that are
# left empty. Run with -DMANIFEST=<build>/install_manifest.txt.
if(NOT MANIFEST OR NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: no install manifest at '${MANIFEST}'. "
                      "Run 'cmake --install' from this build first.")
endif()

file(STRINGS "${MANIFEST}" installed)
set(folders)
foreach(path IN LISTS installed)
  if(EXISTS "${path}" OR IS_SYMLINK "${path}")
    message(STATUS "Removing ${path}")
    file(REMOVE "${path}")
  else()
    message(STATUS "Already gone: ${path}")
  endif()
  # Remember the folders of the program folder lib/moraku (and lib/moraku itself).
  get_filename_component(folder "${path}" DIRECTORY)
  while(folder MATCHES "/lib/moraku(/|$)")
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()

# Deepest folders first, and only those that are empty now.
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY "${folder}")
    file(GLOB left "${folder}/*" "${folder}/.*")
    if(NOT left)
      message(STATUS "Removing folder ${folder}")
      file(REMOVE_RECURSE "${folder}")
    endif()
  endif()
endforeach()
