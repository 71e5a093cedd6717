# Script mode. With VELK_SOURCE_DIR set, first builds the library in VELK_BUILD_DIR as a
# static library without tests; then installs VELK_BUILD_DIR into a scratch prefix,
# builds the host in VELK_HOST_SOURCE against it and runs its program VELK_HOST_EXE
# (velk-host unless given).
file(REMOVE_RECURSE ${VELK_SCRATCH})
set(prefix ${VELK_SCRATCH}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}")
  endif()
endfunction()

if(VELK_SOURCE_DIR)
  set(launcher)
  if(VELK_LAUNCHER)
    set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${VELK_LAUNCHER})
  endif()
  run(${CMAKE_COMMAND} -S ${VELK_SOURCE_DIR} -B ${VELK_BUILD_DIR} -G ${VELK_GENERATOR}
      -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
      -DVELK_BUILD_TESTS=OFF -DVELK_BUILD_GALLERY=OFF -DVELK_BUILD_BENCH=OFF -DVELK_BUILD_FUZZ=OFF
      -DCMAKE_CXX_COMPILER=${VELK_CXX_COMPILER} "-DCMAKE_CXX_FLAGS=${VELK_CXX_FLAGS}" ${launcher})
  run(${CMAKE_COMMAND} --build ${VELK_BUILD_DIR} --parallel 2)
endif()

run(${CMAKE_COMMAND} --install ${VELK_BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${VELK_HOST_SOURCE} -B ${VELK_SCRATCH}/host -G ${VELK_GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release
    # The host is built like the library (same compiler, same sanitizers in a check build).
    -DCMAKE_CXX_COMPILER=${VELK_CXX_COMPILER} "-DCMAKE_CXX_FLAGS=${VELK_CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${VELK_SCRATCH}/host)
if(NOT VELK_HOST_EXE)
  set(VELK_HOST_EXE velk-host)
endif()
run(${VELK_SCRATCH}/host/${VELK_HOST_EXE})
