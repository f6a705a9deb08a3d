# The tests of the WebAssembly build (make web builds it in build-web; make
# test does so first): its runner against the native one under node, and the
# page in headless Chromium.
set(QM_WEB_BUILD ${CMAKE_SOURCE_DIR}/build-web CACHE PATH "The WebAssembly build (make web)")
set(QM_WEB_DIST ${CMAKE_SOURCE_DIR}/dist/web CACHE PATH "The static site make web writes")

# The frame test's scripted round, natively, beside its WebAssembly twin.
add_executable(qm_round_frames tests/web/round_frames.cpp)
target_include_directories(qm_round_frames PRIVATE tests/support)
target_link_libraries(qm_round_frames PRIVATE qm_sim)

if(NOT QM_SANITIZE)
  add_test(NAME web_wasm_vs_native
    COMMAND sh ${CMAKE_SOURCE_DIR}/tests/web/wasm_vs_native.sh $<TARGET_FILE:qmsim> ${QM_WEB_BUILD}/qmsim-node.js
            $<TARGET_FILE:qm_round_frames> ${QM_WEB_BUILD}/qm_round_frames.js ${CMAKE_SOURCE_DIR}/maps)
  set_tests_properties(web_wasm_vs_native PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()

if(NOT QM_SANITIZE)
  add_test(NAME web_browser COMMAND sh ${CMAKE_SOURCE_DIR}/tests/web/browser_test.sh ${QM_WEB_DIST})
  set_tests_properties(web_browser PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 420)
endif()

# The site as a zip for the release: qmsim-VERSION-web/ with the page, the
# program (which makes the sample maps itself) and the runner for node.
set(QM_WEB_ZIP ${CMAKE_SOURCE_DIR}/dist/qmsim-${PROJECT_VERSION}-web.zip)
add_custom_target(web_zip
  COMMAND ${CMAKE_COMMAND} -DVERSION=${PROJECT_VERSION} -DSITE=${QM_WEB_DIST}
          -DWORK=${CMAKE_BINARY_DIR}/web_zip -DOUT=${QM_WEB_ZIP} -P ${CMAKE_SOURCE_DIR}/cmake/web_zip.cmake
  COMMENT "Packing ${QM_WEB_ZIP}" VERBATIM)
