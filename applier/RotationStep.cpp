#include "applier/RotationStep.h"

#include <cstdint>
#include <optional>
#include <string>

#include "common/PicturePreparation.h"
#include "common/ScheduleLine.h"
#include "common/Settings.h"
#include "common/StateFile.h"
#include "common/TextLines.h"
#include "platform/Error.h"
#include "platform/Files.h"

namespace lumora {

namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + PathToUtf8(path) + "\"";
}

// The schedule line the step applies, with the line number checked against the schedule.
ScheduleEntry ScheduledEntry(const TextLines& schedule, std::int32_t index,
                             const std::filesystem::path& schedulePath) {
    if (index < 1 || static_cast<std::size_t>(index) > schedule.size()) {
        throw Error("Строки " + std::to_string(index) + " нет в файле расписания " +
                    Quoted(schedulePath) + " (строк в нём: " + std::to_string(schedule.size()) +
                    ")");
    }
    const std::string& line = schedule[static_cast<std::size_t>(index) - 1];
    ScheduleEntry entry = ParseScheduleLine(line);
    // A line without "|" names no picture: making it the wallpaper would blank the desktop.
    if (line.find('|') == std::string::npos || entry.path.empty()) {
        throw Error("Строка " + std::to_string(index) + " файла расписания " +
                    Quoted(schedulePath) + " не содержит пути к картинке и знака «|»: \"" + line +
                    "\"");
    }
    return entry;
}

}  // namespace

void RunRotationStep(Registry& registry) {
    const std::string windowsDirectory = ReadWindowsDirectory(registry);
    const StoredResolution stored = ReadStoredResolution(registry);

    const auto statePath = StateFilePath(windowsDirectory);
    TextLines stateLines = LoadTextLines(statePath);
    if (auto mark = ReadDeleteMark(stateLines); mark && IsDeletableMark(*mark)) {
        DeleteFileQuietly(PathFromUtf8(*mark));
    }
    const std::optional<std::int32_t> active = ReadActiveIndex(stateLines);
    if (!active) {
        return;
    }

    const auto schedulePath = ScheduleFilePath(windowsDirectory);
    const TextLines schedule = LoadTextLines(schedulePath);
    // In 64 bits: an index of 2^31 - 1 must wrap to line 1, not overflow.
    const std::int64_t following = std::int64_t{*active} + 1;
    const std::int32_t next = following > static_cast<std::int64_t>(schedule.size())
                                  ? 1
                                  : static_cast<std::int32_t>(following);
    const ScheduleEntry entry = ScheduledEntry(schedule, *active, schedulePath);

    std::optional<PictureSize> canvas;
    if (entry.letter == "B") {
        canvas = BestCanvasFor(static_cast<std::int64_t>(stored.width),
                               static_cast<std::int64_t>(stored.height), registry);
    }
    const PreparedPicture prepared = PreparePicture(entry.path, entry.letter, canvas);

    stateLines = FormatStateLines(
        next, prepared.generated ? std::optional<std::string>(prepared.bitmapPath) : std::nullopt);
    SaveTextLines(statePath, stateLines);
    WriteDesktopValues(registry, prepared.bitmapPath, entry.letter);
}

}  // namespace lumora
