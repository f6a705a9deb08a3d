// Saving a chart: one encoder for every build, so a chart's file is the same
// bytes wherever it is made.
#include "raster/png_encoders.h"
#include "raster/plot/plot.h"
#include "raster/replace_file.h"

namespace qm::plot {

bool write_chart_png(const Surface& s, const char* path, std::string& reason)
{
    if (path == nullptr || s.empty()) {
        reason = "nothing to write";
        return false;
    }
    return replace_file(path, [&](std::FILE* file) { return encode_png_stored(file, s); }, reason);
}

}  // namespace qm::plot
