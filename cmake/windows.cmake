# The Windows program (cross build with a toolchain file from cmake/): the
# Win32 shell over the shared libraries, with the resource script written
# from the resource texts by the host build's qm_make_rc, and the driver of
# the smoke test run under Wine.
set(QM_MAKE_RC "" CACHE FILEPATH "The host build's qm_make_rc (make windows passes it)")
if(NOT EXISTS "${QM_MAKE_RC}")
  message(FATAL_ERROR "QM_MAKE_RC must name the host build's qm_make_rc; use make windows")
endif()
enable_language(RC)

set(QM_RC ${CMAKE_BINARY_DIR}/generated/qmsim.rc)
add_custom_command(OUTPUT ${QM_RC}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${QM_MAKE_RC} ${QM_RC}
  DEPENDS ${QM_MAKE_RC} resources/dialog.txt resources/accelerators.txt
  COMMENT "Writing the resource script" VERBATIM)

# The shell's include root holds src/win32 alone, as each layer's does.
file(GLOB QM_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
set(QM_WIN32_ROOT ${CMAKE_BINARY_DIR}/include/win32)
file(MAKE_DIRECTORY ${QM_WIN32_ROOT})
file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/win32 ${QM_WIN32_ROOT}/win32 SYMBOLIC)
add_executable(qmsim WIN32 ${QM_WIN32_SOURCES} ${QM_RC})
target_include_directories(qmsim PRIVATE ${QM_WIN32_ROOT})
target_link_libraries(qmsim PRIVATE qm_cli)
# No symbols in the programs handed out.
target_link_options(qmsim PRIVATE -s)

add_executable(qm_wine_driver tests/win32/wine_driver.cpp)
target_link_libraries(qm_wine_driver PRIVATE gdi32)
