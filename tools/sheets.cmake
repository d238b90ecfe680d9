# Sprite sheets and palettes: kestrion-sheet turns every game/art/**/*.sprite
# and *.palette into game/data/img/<set>.png. Each source is one build step
# whose output is named by the set in its "sheet" or "palette" line, so a
# deleted or stale image is rebuilt alone; a step also re-runs when the
# builder or any ".anim" description changes, since sprites are checked
# against their descriptions.
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
target_link_libraries(kestrion_tools PUBLIC PkgConfig::PNG)

add_executable(kestrion-sheet ${CMAKE_CURRENT_SOURCE_DIR}/sheet_builder.cpp)
target_link_libraries(kestrion-sheet PRIVATE kestrion_tools)

if(KESTRION_ASSETS)
  set(KESTRION_GAME_DIR ${CMAKE_SOURCE_DIR}/game)
  file(GLOB_RECURSE SHEET_SOURCES CONFIGURE_DEPENDS
    ${KESTRION_GAME_DIR}/art/*.sprite
    ${KESTRION_GAME_DIR}/art/*.palette)
  file(GLOB_RECURSE SHEET_DESCRIPTIONS CONFIGURE_DEPENDS
    ${KESTRION_GAME_DIR}/data/objects/*.anim)

  set(SHEET_IMAGES)
  foreach(source ${SHEET_SOURCES})
    # The set name decides the output; reading it here means a change of
    # name must re-run CMake, so the source is a configure dependency.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} heading REGEX "^[ \t]*(sheet|palette)[ \t]" LIMIT_COUNT 1)
    string(REGEX REPLACE "^[ \t]*(sheet|palette)[ \t]+" "" set_name "${heading}")
    string(REGEX REPLACE "[ \t]+#([ \t].*)?$" "" set_name "${set_name}")
    string(STRIP "${set_name}" set_name)
    file(RELATIVE_PATH shown ${CMAKE_SOURCE_DIR} ${source})
    if(set_name STREQUAL "")
      # Let the builder say what is wrong, at build time, every time.
      set(image ${CMAKE_CURRENT_BINARY_DIR}/sheets/${shown}.never)
    else()
      string(REPLACE "\\" "/" set_path "${set_name}")
      set(image ${KESTRION_GAME_DIR}/data/img/${set_path}.png)
    endif()
    add_custom_command(
      OUTPUT ${image}
      COMMAND kestrion-sheet --out ${KESTRION_GAME_DIR} ${source}
      DEPENDS kestrion-sheet ${source} ${SHEET_DESCRIPTIONS}
      COMMENT "Building sheet ${shown}"
      VERBATIM)
    list(APPEND SHEET_IMAGES ${image})
  endforeach()
  add_custom_target(sheets ALL DEPENDS ${SHEET_IMAGES})
endif()
