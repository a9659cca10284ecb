# The browser build (the `web` preset): the game's libraries of
# src/CMakeLists.txt, up to the main loop, compiled unchanged for WebAssembly
# under the web host, into one folder of static files: index.html,
# pimquest.js, pimquest.wasm and pimquest.data (the pictures and sounds,
# preloaded before the game starts).
#
# The pictures and sounds are made by the same assets tool as on the
# desktop, built for this machine in a native build of its own under
# native/ (a tool compiled to WebAssembly could not run here).

include(ExternalProject)

set(PQ_SRC ${PROJECT_SOURCE_DIR}/src)

# Exceptions carry the quit out of any loop of the game; the loops themselves
# wait through asyncify, which lets every wait of the host yield to the page.
set(PQ_WEB_FLAGS -fexceptions)
# The pieces of C++20 that its C++ library lacks.
add_compile_options(-include ${PQ_SRC}/host/web/std_compat.h)
add_compile_options(-Wall -Wextra -Werror ${PQ_WEB_FLAGS})

# The page runs the game on one thread: the mixer's lock needs no library.
add_library(Threads::Threads INTERFACE IMPORTED)
add_subdirectory(src)

set(PQ_NATIVE_DIR ${CMAKE_BINARY_DIR}/native)
ExternalProject_Add(pq_native_assets
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${PQ_NATIVE_DIR}
  CMAKE_ARGS -G Ninja -DCMAKE_BUILD_TYPE=Release -DPQ_TESTS=OFF -DPQ_BENCH=OFF
             -DCMAKE_TOOLCHAIN_FILE= -DCMAKE_CXX_COMPILER=c++
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${PQ_NATIVE_DIR} --target pq_assets
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${PQ_NATIVE_DIR}/assets.stamp)

# The desktop's entry point (its command line and hosts) gives way to the web
# host's own.
add_executable(pimquest ${PQ_SRC}/host/web/web_host.cpp ${PQ_SRC}/shell/web_main.cpp)
target_link_libraries(pimquest PRIVATE pq_shell pq_web_input)
target_compile_options(pimquest PRIVATE ${PQ_STRICT_WARNINGS} ${PQ_CONVERSION_WARNINGS})
target_compile_definitions(pimquest PRIVATE PQ_VERSION="${PROJECT_VERSION}")
add_dependencies(pimquest pq_native_assets)
target_link_options(pimquest PRIVATE
  ${PQ_WEB_FLAGS}
  -sASYNCIFY
  "-sASYNCIFY_IMPORTS=['pq_web_wait']"
  -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH
  -sINITIAL_MEMORY=33554432
  -sEXPORTED_FUNCTIONS=['_main','_malloc','_free']
  -sENVIRONMENT=web
  "SHELL:--js-library ${PROJECT_SOURCE_DIR}/web/pimquest_library.js"
  "SHELL:--preload-file ${PQ_NATIVE_DIR}/bmp@/bmp"
  "SHELL:--preload-file ${PQ_NATIVE_DIR}/wav@/wav")
set_property(TARGET pimquest APPEND PROPERTY LINK_DEPENDS
  ${PQ_NATIVE_DIR}/assets.stamp ${PROJECT_SOURCE_DIR}/web/pimquest_library.js)

# The page itself, beside what the linker writes.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/index.html
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/index.html ${CMAKE_BINARY_DIR}/index.html
  DEPENDS ${PROJECT_SOURCE_DIR}/web/index.html)
add_custom_target(pq_web_page ALL DEPENDS ${CMAKE_BINARY_DIR}/index.html)
