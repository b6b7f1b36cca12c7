// Adding a folder of photographs through the main window, rows included: the windows are made as
// lumoset makes them (offscreen), and each iteration adds the 1,000 files of the folder with
// AddPictureEntry inside one batch update of the picture list, with the options at their start
// values (sizes on), then lets the list repaint. bench/add_entries.sh sets this against a minimal C
// program reading the same headers with libjpeg (bench/jpeg_headers.c).
//
// The folder is $LUMORA_BENCH_JPEGS (default ${TMPDIR:-/tmp}/lumora-bench-jpegs), as
// bench/make_jpegs.sh makes it. The program runs on a temporary LUMORA_PREFIX and in a temporary
// start folder, both removed at the end.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTest>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "configurator/Forms.h"
#include "configurator/StartUp.h"
#include "configurator/TForm1.h"
#include "configurator/widgets/ErrorBox.h"
#include "configurator/widgets/ReportListView.h"

namespace {

namespace fs = std::filesystem;

fs::path FolderOfJpegs() {
    if (const char* dir = std::getenv("LUMORA_BENCH_JPEGS")) {
        return dir;
    }
    return fs::temp_directory_path() / "lumora-bench-jpegs";
}

std::vector<std::string> Jpegs() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(FolderOfJpegs())) {
        if (entry.path().extension() == ".jpg") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return QObject::eventFilter(watched, event);
    }
};

// A temporary prefix and start folder (with the background picture start-up reads), the working
// folder set to it as lumoset is started from its own folder; all put back and removed at the end.
class TemporaryInstallation {
public:
    TemporaryInstallation() : savedDirectory_(fs::current_path()) {
        std::random_device seed;
        root_ = fs::temp_directory_path() / ("lumora-bench-" + std::to_string(seed()));
        fs::create_directories(root_ / "start" / "pics");
        fs::copy_file(fs::path(LUMORA_BIN_DIR) / "pics" / "fon.bmp",
                      root_ / "start" / "pics" / "fon.bmp");
        ::setenv("LUMORA_PREFIX", (root_ / "prefix").c_str(), 1);
        fs::current_path(root_ / "start");
    }
    ~TemporaryInstallation() {
        fs::current_path(savedDirectory_);
        ::unsetenv("LUMORA_PREFIX");
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    TemporaryInstallation(const TemporaryInstallation&) = delete;
    TemporaryInstallation& operator=(const TemporaryInstallation&) = delete;

private:
    fs::path savedDirectory_;
    fs::path root_;
};

// The program's windows with the main window shown, so that its list paints.
class ShownProgram {
public:
    ShownProgram() {
        lumora::Form1->show();
        if (!QTest::qWaitForWindowExposed(lumora::Form1)) {
            throw std::runtime_error("the main window is not shown");
        }
        QCoreApplication::processEvents();
    }

private:
    lumora::ProgramWindows windows_;
};

void BM_AddPictureEntries(benchmark::State& state) {
    const std::vector<std::string> files = Jpegs();
    std::unique_ptr<ShownProgram> program;
    PaintCounter paints;
    std::int64_t totalPaints = 0;
    std::size_t rows = 0;
    QString firstSize;
    for (auto _ : state) {
        // A fresh, empty list each round: the windows are made again outside the timing.
        state.PauseTiming();
        program.reset();
        program = std::make_unique<ShownProgram>();
        lumora::ReportListView& list = *lumora::Form1->List1;
        list.viewport()->installEventFilter(&paints);
        paints.count = 0;
        state.ResumeTiming();

        list.BeginUpdate();
        for (const std::string& file : files) {
            lumora::Form1->AddPictureEntry(file, "");
        }
        list.EndUpdate();
        QCoreApplication::processEvents();

        state.PauseTiming();
        totalPaints += paints.count;
        rows = static_cast<std::size_t>(list.RowCount());
        firstSize = rows > 0 ? list.SubItem(0, 2) : QString();
        list.viewport()->removeEventFilter(&paints);
        state.ResumeTiming();
    }
    program.reset();
    if (rows != files.size()) {
        state.SkipWithError("the list does not hold every file");
    } else if (firstSize.isEmpty()) {
        state.SkipWithError("the pictures' sizes were not read");
    }
    state.counters["paints"] =
        benchmark::Counter(static_cast<double>(totalPaints), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
    state.SetLabel(std::to_string(files.size()) + " files");
}
BENCHMARK(BM_AddPictureEntries)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", LUMORA_OFFSCREEN_PLATFORM, 1);
    }
    if (!fs::exists(FolderOfJpegs())) {
        std::cerr << "missing: " << FolderOfJpegs() << " (make it with bench/make_jpegs.sh)\n";
        return 2;
    }
    TemporaryInstallation installation;
    QApplication application(argc, argv);
    QApplication::setStyle("Fusion");
    // An error box would wait for a click; report it and go on.
    lumora::SetErrorSink(
        [](QWidget*, const QString& text) { std::cerr << text.toStdString() << '\n'; });
    lumora::RunHandler(nullptr, [] { lumora::RefreshDisplayResolution(); });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
