# The stage converter and the demo game's stages: every game/tiled/<Name>.tmx
# is converted into game/data/Stages/<Name>.rmap as part of the default build,
# again whenever the map, the tileset description or the converter changes.
pkg_check_modules(TINYXML2 REQUIRED IMPORTED_TARGET tinyxml2)
find_package(ZLIB REQUIRED)
target_link_libraries(kestrion_tools PUBLIC PkgConfig::TINYXML2 ZLIB::ZLIB)

add_executable(kestrion-tmx2rmap ${CMAKE_CURRENT_SOURCE_DIR}/tmx2rmap.cpp)
target_link_libraries(kestrion-tmx2rmap PRIVATE kestrion_tools)

if(KESTRION_ASSETS)
  set(KESTRION_TILED_DIR ${CMAKE_SOURCE_DIR}/game/tiled)
  file(GLOB KESTRION_STAGE_SOURCES CONFIGURE_DEPENDS ${KESTRION_TILED_DIR}/*.tmx)
  file(GLOB KESTRION_TILESET_SOURCES CONFIGURE_DEPENDS ${KESTRION_TILED_DIR}/*.tsx)
  set(KESTRION_STAGE_FILES)
  foreach(tmx ${KESTRION_STAGE_SOURCES})
    get_filename_component(stage ${tmx} NAME_WE)
    set(rmap ${CMAKE_SOURCE_DIR}/game/data/Stages/${stage}.rmap)
    add_custom_command(OUTPUT ${rmap}
      COMMAND kestrion-tmx2rmap ${tmx} ${rmap}
      DEPENDS kestrion-tmx2rmap ${tmx} ${KESTRION_TILESET_SOURCES}
      COMMENT "Converting stage ${stage}"
      VERBATIM)
    list(APPEND KESTRION_STAGE_FILES ${rmap})
  endforeach()
  add_custom_target(stages ALL DEPENDS ${KESTRION_STAGE_FILES})
endif()
