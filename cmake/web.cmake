# The WebAssembly build (make web, through emcmake): the web shell over the
# shared libraries, linked twice from the same objects: qmsim.js with its
# page for the browser, and qmsim-node.js, the command line (headless runner,
# shot table) under node with the machine's files.
file(GLOB QM_WEB_SOURCES CONFIGURE_DEPENDS src/web/*.cpp)
set(QM_WEB_ROOT ${CMAKE_BINARY_DIR}/include/web)
file(MAKE_DIRECTORY ${QM_WEB_ROOT})
file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/web ${QM_WEB_ROOT}/web SYMBOLIC)
add_library(qm_web OBJECT ${QM_WEB_SOURCES})
target_include_directories(qm_web PRIVATE ${QM_WEB_ROOT})
target_link_libraries(qm_web PRIVATE qm_cli)

# The memory grows with the map and the aids' copies of the round.
set(QM_WEB_LINK -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB)

# The page's program: the message loop waits for animation frames and input
# through Asyncify; the program writes the sample maps into its file
# system's /maps itself; the drills' history is kept in the browser's
# IndexedDB. The page fetches the module and its loader gzip-compressed
# (qmsim.wasm.gz, qmsim.js.gz, made without a time stamp, so the same each
# build) and unpacks them as they arrive, as a plain server sends files as
# they are.
add_executable(qmsim $<TARGET_OBJECTS:qm_web>)
target_link_libraries(qmsim PRIVATE qm_cli)
target_link_options(qmsim PRIVATE ${QM_WEB_LINK} -sENVIRONMENT=web -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536
  -sEXPORTED_RUNTIME_METHODS=ccall,FS -lidbfs.js)
add_custom_command(TARGET qmsim POST_BUILD
  COMMAND sh -c "for f in qmsim.wasm qmsim.js; do gzip -9n -c $f > $f.gz.new && mv $f.gz.new $f.gz || exit 1; done"
  WORKING_DIRECTORY $<TARGET_FILE_DIR:qmsim> VERBATIM)

# The command line under node: files are the machine's; the exit code is the
# process's. Node's fetch cannot load a file path, so the module is compiled
# synchronously from the file.
add_executable(qmsim_node $<TARGET_OBJECTS:qm_web>)
set_target_properties(qmsim_node PROPERTIES OUTPUT_NAME qmsim-node)
target_link_libraries(qmsim_node PRIVATE qm_cli)
target_link_options(qmsim_node PRIVATE ${QM_WEB_LINK} -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1
  -sWASM_ASYNC_COMPILATION=0)

# The frame test's scripted round, compared with the native build's by the
# WebAssembly test.
add_executable(qm_round_frames tests/web/round_frames.cpp)
target_include_directories(qm_round_frames PRIVATE tests/support)
target_link_libraries(qm_round_frames PRIVATE qm_sim)
target_link_options(qm_round_frames PRIVATE ${QM_WEB_LINK} -sENVIRONMENT=node -sEXIT_RUNTIME=1
  -sWASM_ASYNC_COMPILATION=0)

# The static site: the page, the program with its loader, and the runner for
# node beside it; build.json lists the files the page keeps for offline
# visits, under a version that changes with any of them.
set(QM_WEB_DIST ${CMAKE_SOURCE_DIR}/dist/web CACHE PATH "Where make web writes the static site")
set(QM_WEB_PAGE ${CMAKE_SOURCE_DIR}/src/web/page)
file(GLOB QM_WEB_PAGE_FILES CONFIGURE_DEPENDS ${QM_WEB_PAGE}/*.html ${QM_WEB_PAGE}/*.js ${QM_WEB_PAGE}/*.css
  ${QM_WEB_PAGE}/*.webmanifest)
add_custom_target(web_site ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QM_WEB_DIST}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QM_WEB_DIST}
  COMMAND ${CMAKE_COMMAND} -E copy ${QM_WEB_PAGE_FILES}
          ${CMAKE_SOURCE_DIR}/packaging/qmsim.svg
          $<TARGET_FILE_DIR:qmsim>/qmsim.js.gz $<TARGET_FILE_DIR:qmsim>/qmsim.wasm.gz
          $<TARGET_FILE_DIR:qmsim_node>/qmsim-node.js $<TARGET_FILE_DIR:qmsim_node>/qmsim-node.wasm
          ${QM_WEB_DIST}
  COMMAND ${CMAKE_COMMAND} -DSITE=${QM_WEB_DIST} -P ${CMAKE_SOURCE_DIR}/cmake/web_build_list.cmake
  DEPENDS qmsim qmsim_node ${CMAKE_SOURCE_DIR}/cmake/web_build_list.cmake ${CMAKE_SOURCE_DIR}/packaging/qmsim.svg ${QM_WEB_PAGE_FILES}
  COMMENT "Writing the site to ${QM_WEB_DIST}" VERBATIM)

# The benchmarks under node (make bench-web), over the part of Google
# Benchmark's interface they use (bench/web/), which has no WebAssembly
# build here.
file(GLOB QM_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
add_executable(qm_bench EXCLUDE_FROM_ALL ${QM_BENCH_SOURCES} bench/web/benchmark.cpp)
target_include_directories(qm_bench PRIVATE bench/web)
target_link_libraries(qm_bench PRIVATE qm_cli)
target_link_options(qm_bench PRIVATE ${QM_WEB_LINK} -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1
  -sWASM_ASYNC_COMPILATION=0)
