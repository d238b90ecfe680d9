# Sounds and music, synthesized from text sources under game/audio/:
#   game/audio/sfx/<FOLDER>/<NAME>.sfx  ->  game/data/sfx/<FOLDER>/<NAME>.WAV
#   game/audio/music/<Name>.score       ->  game/data/bgm/<Name>.mp3
# (the renderer writes a WAV into the build folder; `lame` encodes it with
# fixed options and no tags, so the same score gives the same bytes).
add_executable(kestrion-sfx ${CMAKE_CURRENT_SOURCE_DIR}/sfx_builder.cpp)
target_link_libraries(kestrion-sfx PRIVATE kestrion_tools)
add_executable(kestrion-music ${CMAKE_CURRENT_SOURCE_DIR}/music_builder.cpp)
target_link_libraries(kestrion-music PRIVATE kestrion_tools)

if(KESTRION_ASSETS)
  set(KESTRION_AUDIO_DIR ${CMAKE_SOURCE_DIR}/game/audio)
  set(KESTRION_GAME_DIR ${CMAKE_SOURCE_DIR}/game)
  file(GLOB_RECURSE EFFECT_SOURCES CONFIGURE_DEPENDS ${KESTRION_AUDIO_DIR}/sfx/*.sfx)
  set(EFFECT_FILES)
  foreach(source ${EFFECT_SOURCES})
    file(RELATIVE_PATH relative ${KESTRION_AUDIO_DIR}/sfx ${source})
    string(REGEX REPLACE "\\.sfx$" ".WAV" relative "${relative}")
    set(wav ${KESTRION_GAME_DIR}/data/sfx/${relative})
    add_custom_command(OUTPUT ${wav}
      COMMAND kestrion-sfx --out ${wav} ${source}
      DEPENDS kestrion-sfx ${source}
      COMMENT "Rendering sound ${relative}"
      VERBATIM)
    list(APPEND EFFECT_FILES ${wav})
  endforeach()

  find_program(LAME_COMMAND lame)
  if(NOT LAME_COMMAND)
    message(FATAL_ERROR "The 'lame' MP3 encoder is needed to build the music (Debian package lame)")
  endif()
  file(GLOB MUSIC_SOURCES CONFIGURE_DEPENDS ${KESTRION_AUDIO_DIR}/music/*.score)
  set(MUSIC_FILES)
  foreach(source ${MUSIC_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    set(wav ${CMAKE_CURRENT_BINARY_DIR}/music/${name}.wav)
    set(mp3 ${KESTRION_GAME_DIR}/data/bgm/${name}.mp3)
    add_custom_command(OUTPUT ${wav}
      COMMAND kestrion-music --out ${wav} ${source}
      DEPENDS kestrion-music ${source}
      COMMENT "Rendering music ${name}"
      VERBATIM)
    # Constant bit rate, no ID3 tag and no replay-gain scan: nothing in the
    # file depends on the time or the machine. tools/rebuild-assets runs the
    # same command; the assets_manifest test holds the bytes to the manifest.
    add_custom_command(OUTPUT ${mp3}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRION_GAME_DIR}/data/bgm
      COMMAND ${LAME_COMMAND} --quiet --nohist --noreplaygain --cbr -b 128 -q 2 ${wav} ${mp3}.part
      COMMAND ${CMAKE_COMMAND} -E rename ${mp3}.part ${mp3}
      DEPENDS ${wav}
      COMMENT "Encoding music ${name}.mp3"
      VERBATIM)
    list(APPEND MUSIC_FILES ${mp3})
  endforeach()
  add_custom_target(sounds ALL DEPENDS ${EFFECT_FILES} ${MUSIC_FILES})
endif()
