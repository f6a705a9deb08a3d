# Release packages: the Debian package (CPack) and the Windows zip, and the
# tests of both the packages and the Windows program under Wine. make package
# and make windows build what these tests need.

# The Debian package: the program, the map maker under a name of its own, the
# sample maps, a desktop entry that starts the program in the maps' folder,
# and an icon.
include(GNUInstallDirs)
install(TARGETS qmsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS $<TARGET_FILE:mkmap> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME qmsim-mkmap)
install(DIRECTORY maps/ DESTINATION ${CMAKE_INSTALL_DATADIR}/qmsim/maps FILES_MATCHING PATTERN "*.bmp")
install(FILES packaging/qmsim.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/qmsim.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qmsim)
set(CPACK_PACKAGE_VENDOR "QM Simulator")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Practise artillery shots on destructible terrain")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "QM Simulator developers <qmsim@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Depends from the libraries the programs link (SDL2's runtime among them).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE QM_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QM_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
set(QM_DEB ${QM_DIST_DIR}/qmsim_${PROJECT_VERSION}_${QM_DEB_ARCH}.deb)
set(QM_WINDOWS_ZIP ${QM_DIST_DIR}/qmsim-${PROJECT_VERSION}-windows.zip)
set(QM_WIN32_BUILD ${CMAKE_SOURCE_DIR}/build-win32 CACHE PATH "The 32-bit Windows build (make windows)")
set(QM_WIN64_BUILD ${CMAKE_SOURCE_DIR}/build-win64 CACHE PATH "The 64-bit Windows build (make windows)")

# The Windows zip from the two Windows builds: qmsim.exe (32-bit), qmsim64.exe,
# the sample maps beside them (the dialog lists the maps of its folder) and a
# short README.txt.
add_custom_target(windows_zip
  COMMAND ${CMAKE_COMMAND} -DVERSION=${PROJECT_VERSION} -DSOURCE=${CMAKE_SOURCE_DIR}
          -DWIN32_EXE=${QM_WIN32_BUILD}/qmsim.exe -DWIN64_EXE=${QM_WIN64_BUILD}/qmsim.exe
          -DWORK=${CMAKE_BINARY_DIR}/windows_zip -DOUT=${QM_WINDOWS_ZIP}
          -P ${CMAKE_SOURCE_DIR}/cmake/windows_zip.cmake
  COMMENT "Packing ${QM_WINDOWS_ZIP}" VERBATIM)

if(NOT QM_SANITIZE)
  add_test(NAME deb_package COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/package_test.sh ${QM_DEB} ${QM_WINDOWS_ZIP} ${QM_WEB_ZIP})
  set_tests_properties(deb_package PROPERTIES TIMEOUT 120)
  add_test(NAME windows_wine_smoke
    COMMAND sh ${CMAKE_SOURCE_DIR}/tests/win32/wine_smoke.sh ${QM_WIN64_BUILD}/qmsim.exe
            ${QM_WIN64_BUILD}/qm_wine_driver.exe ${QM_WIN32_BUILD}/qmsim.exe $<TARGET_FILE:qmsim>
            ${CMAKE_SOURCE_DIR}/maps)
  set_tests_properties(windows_wine_smoke PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
endif()
