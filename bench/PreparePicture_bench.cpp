// Picture preparation on photograph-sized JPEG files: "B" (composed for a 1920 x 1080 screen)
// from 24 megapixels and "C" (converted at full size) from 12 megapixels. The pictures are made
// here, once, with photograph-like content: smooth shapes, edges and sensor-like noise.

#include <benchmark/benchmark.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

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

namespace {

namespace fs = std::filesystem;

// Libjpeg's default error handler ends the process, which is fine for making fixtures.
void WritePhotoLikeJpeg(const fs::path& path, int width, int height) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error("cannot write " + path.string());
    }
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors{};
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, 90, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    std::mt19937 random(42);
    std::normal_distribution<float> noise(0.0f, 6.0f);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        const float v = static_cast<float>(y) / static_cast<float>(height);
        for (int x = 0; x < width; ++x) {
            const float u = static_cast<float>(x) / static_cast<float>(width);
            const float sky = 120 + 80 * std::sin(3.1f * u + 1.7f * v) * std::cos(5.3f * v);
            const float hills = v > 0.55f + 0.1f * std::sin(9 * u) ? 60.0f : 0.0f;
            const float texture = 25 * std::sin(97 * u * v + 41 * u) * std::sin(53 * v);
            const float base[3] = {sky - hills + texture, sky * 0.8f + hills + 0.5f * texture,
                                   200 - sky * 0.6f + texture};
            for (int c = 0; c < 3; ++c) {
                const float value = base[c] + noise(random);
                row[static_cast<std::size_t>(3 * x + c)] =
                    static_cast<std::uint8_t>(std::fmin(255.0f, std::fmax(0.0f, value)));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::fclose(file);
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
