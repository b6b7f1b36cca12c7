// Picture preparation on photograph-sized JPEG files: "B" (composed for a 1920 x 1080 screen)
// from 24 megapixels and "C" (converted at full size) from 12 megapixels. The pictures are made
// here, once, with photograph-like content: smooth shapes, edges and sensor-like noise.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "common/BmpWriter.h"
#include "common/JpegDecoder.h"
#include "common/PicturePreparation.h"
#include "tests/support/TestPictures.h"

namespace {

namespace fs = std::filesystem;

// Smooth shapes, texture and sensor-like noise: compresses and decodes like a photograph.
void WritePhotoLikeJpeg(const fs::path& path, int width, int height) {
    lumora::RasterBitmap photo(width, height);
    std::mt19937 random(42);
    std::normal_distribution<float> noise(0.0f, 6.0f);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = photo.Row(y);
        const float v = static_cast<float>(y) / static_cast<float>(height);
        for (int x = 0; x < width; ++x) {
            const float u = static_cast<float>(x) / static_cast<float>(width);
            const float sky = 120 + 80 * std::sin(3.1f * u + 1.7f * v) * std::cos(5.3f * v);
            const float hills = v > 0.55f + 0.1f * std::sin(9 * u) ? 60.0f : 0.0f;
            const float texture = 25 * std::sin(97 * u * v + 41 * u) * std::sin(53 * v);
            const float base[3] = {200 - sky * 0.6f + texture, sky * 0.8f + hills + 0.5f * texture,
                                   sky - hills + texture};
            for (int c = 0; c < 3; ++c) {
                const float value = base[c] + noise(random);
                row[3 * x + c] =
                    static_cast<std::uint8_t>(std::fmin(255.0f, std::fmax(0.0f, value)));
            }
        }
    }
    lumora::test::WriteTestJpeg(path, photo, 90);
}

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / ("lumora-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

// Each size is made once and kept for all benchmarks.
const std::string& Photo(int width, int height) {
    static std::map<std::pair<int, int>, std::string> made;
    auto [it, isNew] = made.try_emplace({width, height});
    if (isNew) {
        it->second =
            (Folder() / ("photo" + std::to_string(width) + "x" + std::to_string(height) + ".jpg"))
                .string();
        WritePhotoLikeJpeg(it->second, width, height);
    }
    return it->second;
}

void Prepare(benchmark::State& state, int width, int height, const char* letter) {
    const std::string& source = Photo(width, height);
    for (auto _ : state) {
        const lumora::PreparedPicture prepared =
            lumora::PreparePicture(source, letter, lumora::PictureSize{1920, 1080});
        state.PauseTiming();
        fs::remove(prepared.bitmapPath);
        state.ResumeTiming();
    }
    state.counters["megapixels"] = width * static_cast<double>(height) / 1e6;
}

void BM_BestFromJpeg24MP(benchmark::State& state) {
    Prepare(state, 6000, 4000, "B");
}
void BM_BestFromJpeg12MP(benchmark::State& state) {
    Prepare(state, 4000, 3000, "B");
}
void BM_CentreFromJpeg12MP(benchmark::State& state) {
    Prepare(state, 4000, 3000, "C");
}

// The full-size decode into memory alone, as a yardstick for the streamed conversion above.
void BM_DecodeJpeg12MP(benchmark::State& state) {
    const std::string& source = Photo(4000, 3000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumora::DecodeJpeg(source));
    }
}

// "B" from a bitmap: read whole, then area-averaged into the canvas.
void BM_BestFromBitmap12MP(benchmark::State& state) {
    static const std::string source = [] {
        const std::string path = (Folder() / "photo.bmp").string();
        lumora::WriteBmp(path, lumora::DecodeJpeg(Photo(4000, 3000)));
        return path;
    }();
    for (auto _ : state) {
        const lumora::PreparedPicture prepared =
            lumora::PreparePicture(source, "B", lumora::PictureSize{1920, 1080});
        state.PauseTiming();
        fs::remove(prepared.bitmapPath);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_BestFromJpeg24MP)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BestFromJpeg12MP)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CentreFromJpeg12MP)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeJpeg12MP)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BestFromBitmap12MP)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
    return 0;
}
