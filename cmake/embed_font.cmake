# Turns a gzip-compressed PSF1 console font with 8 by 16 glyphs into a C++
# table of its first 256 glyphs (one byte per row, leftmost pixel in the high
# bit). Run at build time: cmake -DFONT=<font.psf.gz> -DOUT=<file.cpp> -P <this>.
set(raw "${OUT}.psf")
execute_process(COMMAND gzip -dc "${FONT}" OUTPUT_FILE "${raw}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Cannot unpack the console font ${FONT}")
endif()

# PSF1 header: magic 36 04, mode byte, bytes per glyph (16).
file(READ "${raw}" header LIMIT 4 HEX)
if(NOT header MATCHES "^3604..10$")
  message(FATAL_ERROR "${FONT} is not a PSF1 font with 8 by 16 glyphs")
endif()
file(READ "${raw}" glyphs OFFSET 4 LIMIT 4096 HEX)
string(LENGTH "${glyphs}" length)
if(NOT length EQUAL 8192)
  message(FATAL_ERROR "${FONT} holds fewer than 256 glyphs")
endif()

set(body "")
foreach(glyph RANGE 255)
  math(EXPR at "${glyph} * 32")
  string(SUBSTRING "${glyphs}" ${at} 32 bytes)
  string(REGEX REPLACE "(..)" "0x\\1," bytes "${bytes}")
  string(APPEND body "    {${bytes}},\n")
endforeach()

file(WRITE "${OUT}.new"
"// Generated when the library is built from ${FONT}; not kept in the sources.
#include \"raster/font.h\"

namespace qm {

extern const unsigned char font_glyphs[font_glyph_count][font_height] = {
${body}};

}  // namespace qm
")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${raw}" "${OUT}.new")
