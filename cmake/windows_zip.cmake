# Packs the Windows zip: cmake -DVERSION= -DSOURCE= -DWIN32_EXE= -DWIN64_EXE=
# -DWORK= -DOUT= -P windows_zip.cmake. Written beside OUT and renamed into
# place, so a failed run leaves no half-written zip.
foreach(exe ${WIN32_EXE} ${WIN64_EXE})
  if(NOT EXISTS ${exe})
    message(FATAL_ERROR "${exe} is not built; run make windows")
  endif()
endforeach()
set(folder qmsim-${VERSION}-windows)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/${folder})
file(COPY_FILE ${WIN32_EXE} ${WORK}/${folder}/qmsim.exe)
file(COPY_FILE ${WIN64_EXE} ${WORK}/${folder}/qmsim64.exe)
file(GLOB maps ${SOURCE}/maps/*.bmp)
file(COPY ${maps} DESTINATION ${WORK}/${folder})
file(READ ${SOURCE}/packaging/README-windows.txt readme)
# Windows line ends, for Notepad.
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${WORK}/${folder}/README.txt "${readme}")
get_filename_component(out_dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${out_dir})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}.new --format=zip ${folder}
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUT}.new)
  message(FATAL_ERROR "cannot write ${OUT}")
endif()
file(RENAME ${OUT}.new ${OUT})
