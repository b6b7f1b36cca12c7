#include "configurator/model/RotationActivation.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

#include "common/PicturePreparation.h"
#include "common/ScheduleLine.h"
#include "common/Settings.h"
#include "common/StateFile.h"
#include "common/TextLines.h"
#include "platform/Error.h"
#include "platform/Files.h"

namespace lumora {

namespace {

// The letter Enable applies to the first picture: the first character of its letter text. An
// entry without a letter is treated as the applier treats a line ending in "|": prepared like "C",
// with only "Wallpaper" written.
std::string FirstLetterOf(std::string_view letterText) {
    if (letterText.empty()) {
        return "|";
    }
    // One UTF-8 character, not one byte.
    std::size_t end = 1;
    while (end < letterText.size() &&
           (static_cast<unsigned char>(letterText[end]) & 0xC0) == 0x80) {
        ++end;
    }
    return std::string(letterText.substr(0, end));
}

// The bitmap an earlier state file marks for deletion, if the file exists and the mark names one
// of ours. Error naming the state file when it exists but cannot be read.
std::optional<std::filesystem::path> MarkedBitmap(const std::filesystem::path& statePath) {
    if (!FileExists(statePath)) {
        return std::nullopt;
    }
    if (const auto mark = ReadDeleteMark(LoadTextLines(statePath));
        mark && IsDeletableMark(*mark)) {
        return PathFromUtf8(*mark);
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::size_t> ShuffledOrder(std::size_t count, std::mt19937& random) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::shuffle(order.begin(), order.end(), random);
    return order;
}

bool EnableRotation(const std::vector<ScheduleSource>& entries, const ActivationContext& context,
                    std::mt19937& random) {
    if (entries.empty()) {
        return false;
    }
    Registry& registry = context.registry;

    // Everything that can be checked is checked before anything is written: a path the schedule
    // cannot hold, a missing Run key or an unreadable state file leaves no trace.
    const auto statePath = StateFilePath(context.windowsDirectory);
    const std::optional<std::filesystem::path> earlierBitmap = MarkedBitmap(statePath);
    const std::vector<std::size_t> order = ShuffledOrder(entries.size(), random);
    TextLines schedule;
    schedule.reserve(order.size());
    for (const std::size_t index : order) {
        schedule.push_back(FormatScheduleLine(entries[index].path, entries[index].letterText));
    }
    const std::string applierPath = PathToUtf8(context.startDirectory / "lumo4");
    // The Run key belongs to the operating system: opened, never created.
    if (!registry.KeyExists(RegistryRoot::LocalMachine, kRunKey)) {
        throw Error("Не удаётся включить смену обоев: нет раздела реестра \"HKEY_LOCAL_MACHINE" +
                    std::string(kRunKey) +
                    "\", в котором lumo4 регистрируется для запуска при входе");
    }

    WriteStoredResolution(registry, context.targetResolution.width,
                          context.targetResolution.height);
    SaveTextLines(ScheduleFilePath(context.windowsDirectory), schedule);
    registry.WriteString(RegistryRoot::LocalMachine, kRunKey, kApplierRunValue, applierPath);

    const ScheduleSource& first = entries[order.front()];
    const std::string letter = FirstLetterOf(first.letterText);
    if (earlierBitmap) {
        DeleteFileQuietly(*earlierBitmap);
    }

    std::optional<PictureSize> canvas;
    if (letter == "B") {
        canvas = BestCanvasFor(context.targetResolution.width, context.targetResolution.height,
                               registry);
    }
    const PreparedPicture prepared = PreparePicture(first.path, letter, canvas);
    const std::int32_t following = entries.size() == 1 ? 1 : 2;
    try {
        SaveTextLines(
            statePath,
            FormatStateLines(
                following, prepared.generated ? std::optional(prepared.bitmapPath) : std::nullopt));
    } catch (...) {
        // Without a state file nothing would ever delete the bitmap we just made.
        if (prepared.generated) {
            DeleteFileQuietly(PathFromUtf8(prepared.bitmapPath));
        }
        throw;
    }
    WriteDesktopValues(registry, prepared.bitmapPath, letter);
    return true;
}

void DisableRotation(const ActivationContext& context) {
    Registry& registry = context.registry;
    constexpr auto kMachine = RegistryRoot::LocalMachine;

    registry.DeleteKey(kMachine, kLumoraKey);
    // The vendor key may hold other programs' settings: it goes only when nothing is left in it.
    if (registry.KeyExists(kMachine, kVendorKey) &&
        registry.ListSubkeys(kMachine, kVendorKey).empty() &&
        registry.ListValues(kMachine, kVendorKey).empty()) {
        registry.DeleteKey(kMachine, kVendorKey);
    }

    DeleteFileQuietly(ScheduleFilePath(context.windowsDirectory));
    const auto statePath = StateFilePath(context.windowsDirectory);
    if (const auto marked = MarkedBitmap(statePath)) {
        DeleteFileQuietly(*marked);
    }
    DeleteFileQuietly(statePath);

    if (registry.KeyExists(kMachine, kRunKey)) {
        registry.DeleteValue(kMachine, kRunKey, kApplierRunValue);
    }
}

}  // namespace lumora
