# Sanitizer builds and fuzz targets for the loaders.
#
# Every loader that reads a file a player could have changed has a fuzz target: a function
# that takes any bytes. The normal build replays each target's committed corpus
# (tests/fuzz/corpus/NAME) as a test; configured with clang and ZARNHOLD_FUZZ=ON, the same
# functions become libFuzzer programs (scripts/fuzz.sh runs them).
option(ZARNHOLD_FUZZ "Build the loaders' libFuzzer programs (needs clang)" OFF)

set(FUZZ_obj_SOURCES scene/ObjLoader.cpp scene/Object3D.cpp scene/Node.cpp scene/ShaderLoader.cpp scene/GlLedger.cpp
  scene/FilePath.cpp scene/VertexIndexer.cpp scene/WeldIndex.cpp)
set(FUZZ_bmp_SOURCES scene/BmpLoader.cpp scene/FilePath.cpp)
set(FUZZ_rooms_SOURCES scene/RoomLoader.cpp scene/RoomGraph.cpp scene/FilePath.cpp)
set(FUZZ_wav_SOURCES scene/WavLoader.cpp scene/FilePath.cpp)
set(FUZZ_recording_SOURCES app/RecordingFile.cpp)
set(FUZZ_obj_FUNCTION tests/fuzz/FuzzObj.cpp)
set(FUZZ_bmp_FUNCTION tests/fuzz/FuzzBmp.cpp)
set(FUZZ_rooms_FUNCTION tests/fuzz/FuzzRooms.cpp)
set(FUZZ_wav_FUNCTION tests/fuzz/FuzzWav.cpp)
set(FUZZ_recording_FUNCTION tests/fuzz/FuzzRecording.cpp)

function(add_fuzz_program name kind)
  set(program ${kind}_${name})
  list(TRANSFORM FUZZ_${name}_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
  add_executable(${program} ${CMAKE_SOURCE_DIR}/${FUZZ_${name}_FUNCTION} ${sources} ${ARGN})
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_include_directories(${program} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${program} PRIVATE GLM_FORCE_CTOR_INIT GLM_ENABLE_EXPERIMENTAL)
  target_link_libraries(${program} PRIVATE glm::glm GLEW::GLEW OpenGL::GL)
endfunction()

set(FUZZ_NAMES obj bmp rooms wav recording)
set(REPLAYS)
foreach(name ${FUZZ_NAMES})
  add_fuzz_program(${name} replay ${CMAKE_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
  list(APPEND REPLAYS replay_${name})
  add_test(NAME fuzz_corpus.${name}
    COMMAND replay_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set_tests_properties(fuzz_corpus.${name} PROPERTIES LABELS unit)
  if(ZARNHOLD_FUZZ)
    add_fuzz_program(${name} fuzz)
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endif()
endforeach()
add_custom_target(fuzz_replays DEPENDS ${REPLAYS})

# A display with no monitor, for the end-to-end test of the game's refusal to start there.
add_library(no_monitor SHARED ${CMAKE_SOURCE_DIR}/tests/shims/NoMonitor.cpp)
set_target_properties(no_monitor PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(zarnhold no_monitor)
