file(REMOVE_RECURSE ${VELK_SCRATCH})
set(prefix ${VELK_SCRATCH}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${VELK_BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${VELK_HOST_SOURCE} -B ${VELK_SCRATCH}/host -G ${VELK_GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release
    # The host is built like the library (same compiler, same sanitizers in a check build).
    -DCMAKE_CXX_COMPILER=${VELK_CXX_COMPILER} "-DCMAKE_CXX_FLAGS=${VELK_CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${VELK_SCRATCH}/host)
run(${VELK_SCRATCH}/host/velk-host)
