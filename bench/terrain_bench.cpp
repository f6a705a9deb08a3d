// Cost of building the terrain of a 3200-wide map, alone and together with
// everything else Start does before the first frame: reading the map file
// and creating the surfaces.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sim/init_dcs.h"
#include "sim/world.h"
#include "situations.h"
#include "terrain/bitmap_reader.h"
#include "terrain/load_map.h"
#include "terrain/map_maker.h"

namespace qm::bench {
namespace {

void BM_TerrainBuild(benchmark::State& state)
{
    auto w = std::make_unique<World>();
    init_DCs(*w);
    load_sample_map(*w);
    for (auto _ : state) {
        // Every step writes the same pixels again, so a built raster costs
        // the same to build as an empty one.
        w->lm_c = 0;
        w->lm_d = 0;
        build_terrain(*w, *w);
        benchmark::DoNotOptimize(w->ground[3].data());
    }
}
BENCHMARK(BM_TerrainBuild)->Unit(benchmark::kMillisecond);

// A map file of the sample map in the temporary directory, removed at the end.
class MapFile {
public:
    MapFile()
        : path_((std::filesystem::temp_directory_path() / ("qm_bench_" + std::to_string(::getpid()) + ".bmp"))
                    .string())
    {
        const std::vector<SampleMap> maps = sample_maps();
        ok_ = write_bitmap(path_, maps.front().picture);
    }
    ~MapFile()
    {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    MapFile(const MapFile&) = delete;
    MapFile& operator=(const MapFile&) = delete;

    bool ok() const { return ok_; }
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
    bool ok_ = false;
};

// The dialog's Start with a map: read the file, create the surfaces, build.
void BM_MapStart(benchmark::State& state)
{
    MapFile file;
    if (!file.ok()) {
        state.SkipWithError("cannot write the map file");
        return;
    }
    auto w = std::make_unique<World>();
    fill_circle_samp(*w);
    for (auto _ : state) {
        if (!open_bitmap(*w, file.path(), BitmapMode::load)) {
            state.SkipWithError("the map file is not accepted");
            break;
        }
        init_DCs(*w);
        w->lm_c = 0;
        w->lm_d = 0;
        build_terrain(*w, *w);
        benchmark::DoNotOptimize(w->ground[3].data());
    }
}
BENCHMARK(BM_MapStart)->Unit(benchmark::kMillisecond);

// Reading every terrain row into runs of one colour: once per round, in the
// first tick that moves the view.
void BM_TerrainRuns(benchmark::State& state)
{
    auto w = std::make_unique<World>(hills_at_rest());
    for (auto _ : state) {
        w->backdrop.runs.build(*w);
        benchmark::DoNotOptimize(w->backdrop.runs.built());
    }
}
BENCHMARK(BM_TerrainRuns)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm::bench
