# SPDX-License-Identifier: GPL-3.0-or-later
# tools/make_images draws the fld2 image set and the window's own pictures. Its drawing code
# is a library so that the tests can check it directly.
set(MAKE_IMAGES_DIR ${PROJECT_SOURCE_DIR}/tools/make_images)
add_library(make_images_lib STATIC
  ${MAKE_IMAGES_DIR}/board_look.cpp
  ${MAKE_IMAGES_DIR}/gif_writer.cpp
  ${MAKE_IMAGES_DIR}/image_set.cpp
  ${MAKE_IMAGES_DIR}/markers.cpp
  ${MAKE_IMAGES_DIR}/stones.cpp
  ${MAKE_IMAGES_DIR}/text_drawing.cpp
  ${MAKE_IMAGES_DIR}/tiles.cpp
  ${MAKE_IMAGES_DIR}/window_pictures.cpp)
target_include_directories(make_images_lib PUBLIC ${PROJECT_SOURCE_DIR}/tools)
target_link_libraries(make_images_lib PUBLIC moraku_core Qt6::Gui PRIVATE GIF::GIF)
add_executable(make_images ${PROJECT_SOURCE_DIR}/tools/make_images/main.cpp)
target_link_libraries(make_images PRIVATE make_images_lib)

set(MORAKU_FLD2_DIR ${CMAKE_BINARY_DIR}/fld2)
set(MORAKU_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
# Pictures built into the program as Qt resources (":/pictures/<name>"); all but the icon are
# also drawn at 150 % and 200 % (":/pictures/150/<name>", ":/pictures/200/<name>").
set(MORAKU_SCALED_PICTURE_FILES
  end_indicator.png menu_title.png button_instructions.png button_quit.png child.png)
set(MORAKU_PICTURE_FILES ${MORAKU_SCALED_PICTURE_FILES} moraku.png)
foreach(percent 150 200)
  foreach(name IN LISTS MORAKU_SCALED_PICTURE_FILES)
    list(APPEND MORAKU_PICTURE_FILES ${percent}/${name})
  endforeach()
endforeach()
set(MORAKU_PICTURE_PATHS)
foreach(name IN LISTS MORAKU_PICTURE_FILES)
  list(APPEND MORAKU_PICTURE_PATHS ${MORAKU_PICTURES_DIR}/${name})
endforeach()

# A sanitized build runs the tool too; the font libraries keep memory until exit.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/image_set.stamp ${MORAKU_PICTURE_PATHS}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:make_images> ${MORAKU_FLD2_DIR} ${MORAKU_PICTURES_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/image_set.stamp
  DEPENDS make_images
  COMMENT "Drawing the board image set"
  VERBATIM)
add_custom_target(image_set ALL DEPENDS ${CMAKE_BINARY_DIR}/image_set.stamp)

function(moraku_add_pictures target)
  set_source_files_properties(${MORAKU_PICTURE_PATHS} PROPERTIES GENERATED TRUE)
  qt_add_resources(${target} "moraku_pictures"
    PREFIX "/pictures"
    BASE ${MORAKU_PICTURES_DIR}
    FILES ${MORAKU_PICTURE_PATHS}
    OUTPUT_TARGETS resource_targets)
  add_dependencies(${target} image_set)
  foreach(t IN LISTS resource_targets)
    add_dependencies(${t} image_set)
  endforeach()
endfunction()

# The test binary is defined later (tests/); give it the drawing library once it exists.
function(_moraku_link_image_tests)
  if(TARGET moraku_tests)
    target_link_libraries(moraku_tests PRIVATE make_images_lib)
  endif()
endfunction()
cmake_language(DEFER CALL _moraku_link_image_tests)
