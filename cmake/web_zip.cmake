# Packs the site's zip: cmake -DVERSION= -DSITE= -DWORK= -DOUT= -P web_zip.cmake.
# Written beside OUT and renamed into place, so a failed run leaves no
# half-written zip.
foreach(file index.html qmsim.js.gz qmsim.wasm.gz)
  if(NOT EXISTS ${SITE}/${file})
    message(FATAL_ERROR "${SITE}/${file} is not built; run make web")
  endif()
endforeach()
set(folder qmsim-${VERSION}-web)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${SITE}/ DESTINATION ${WORK}/${folder})
get_filename_component(out_dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${out_dir})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}.new --format=zip ${folder}
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUT}.new)
  message(FATAL_ERROR "cannot write ${OUT}")
endif()
file(RENAME ${OUT}.new ${OUT})
