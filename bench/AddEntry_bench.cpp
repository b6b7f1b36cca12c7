// Adding a folder of photographs with sizes on, without the window: per file the size from the
// picture's header and the entry's fields. bench/add_entries.sh sets this against a minimal C
// program reading the same headers with libjpeg (bench/jpeg_headers.c).
//
// The folder is $LUMORA_BENCH_JPEGS (default ${TMPDIR:-/tmp}/lumora-bench-jpegs): 1,000 JPEGs of
// 4000x3000, as bench/make_jpegs.sh makes them. When it is missing they are made here.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/PictureSize.h"
#include "configurator/model/EntryRules.h"
#include "tests/support/TestPictures.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 1000;

fs::path FolderOfJpegs() {
    if (const char* dir = std::getenv("LUMORA_BENCH_JPEGS")) {
        return dir;
    }
    return fs::temp_directory_path() / "lumora-bench-jpegs";
}

fs::path NameOf(const fs::path& folder, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "photo%04d.jpg", index);
    return folder / name;
}

// One 4000x3000 picture (12 megapixels); only its header is ever read.
void WriteTwelveMegapixelJpeg(const fs::path& path) {
    lumora::test::WriteTestJpeg(path, lumora::test::PatternBitmap(4000, 3000), 90);
}

// The folder's pictures, made when missing (one picture, linked under every name).
std::vector<fs::path> Jpegs() {
    const fs::path folder = FolderOfJpegs();
    if (!fs::exists(NameOf(folder, kFiles - 1))) {
        fs::create_directories(folder);
        const fs::path source = folder.string() + ".source.jpg";
        WriteTwelveMegapixelJpeg(source);
        for (int i = 0; i < kFiles; ++i) {
            std::error_code linkFailed;
            fs::remove(NameOf(folder, i));
            fs::create_hard_link(source, NameOf(folder, i), linkFailed);
            if (linkFailed) {
                fs::copy_file(source, NameOf(folder, i));
            }
        }
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".jpg") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// What AddPictureEntry does for each file with the options at their start values (sizes on,
// "Лучший вид" accepted for a 1920 wide screen): the header's size and the entry's fields.
void BM_AddEntries(benchmark::State& state) {
    const std::vector<fs::path> files = Jpegs();
    const lumora::EntryOptions options{lumora::PlacementRule::Best, true, 1920};
    for (auto _ : state) {
        for (const fs::path& file : files) {
            lumora::PictureEntryFields fields =
                lumora::DecideEntry(file.string(), "", options, lumora::ReadPictureSize(file));
            benchmark::DoNotOptimize(fields);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
    state.SetLabel(std::to_string(files.size()) + " files");
}
BENCHMARK(BM_AddEntries)->Unit(benchmark::kMillisecond)->UseRealTime();

// The rules alone, to show that the header read is the whole cost.
void BM_DecideEntryOnly(benchmark::State& state) {
    const lumora::EntryOptions options{lumora::PlacementRule::ByResolution, true, 1024};
    const std::string path = "/home/user/Pictures/Отпуск 2024/IMG_0001.jpg";
    for (auto _ : state) {
        lumora::PictureEntryFields fields =
            lumora::DecideEntry(path, "", options, lumora::PictureSize{4000, 3000});
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(BM_DecideEntryOnly);

}  // namespace

BENCHMARK_MAIN();
