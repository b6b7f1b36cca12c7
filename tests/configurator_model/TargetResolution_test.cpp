#include "configurator/model/TargetResolution.h"

#include <gtest/gtest.h>

#include "common/Settings.h"
#include "platform/Error.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

class TargetResolutionTest : public test::TempPrefixTest {
protected:
    void SetDisplayValue(std::string_view text) {
        registry_->WriteString(RegistryRoot::LocalMachine, kDisplaySettingsKey, "Resolution", text);
    }

    std::unique_ptr<Registry> registry_ = OpenRegistry();
};

TEST_F(TargetResolutionTest, ReadsWidthAndHeightOfTheDisplayValue) {
    for (const auto& [text, width, height] :
         {std::tuple{"1024,768", 1024, 768}, {"800,600", 800, 600}, {"1920,1080", 1920, 1080}}) {
        SetDisplayValue(text);
        TargetResolution target;
        ReadDisplayResolutionInto(*registry_, target);
        EXPECT_EQ(target.width, width);
        EXPECT_EQ(target.height, height);
    }
}

// The width is stored before the height is looked at; the error names the value and its bad part.
TEST_F(TargetResolutionTest, FaultyValueFailsNamingItAndKeepsWhatWasStoredBefore) {
    struct Case {
        const char* name;
        std::optional<const char*> value;  // nothing: the value is missing
        bool deleteKey;
        std::int32_t width;
        std::int32_t height;
        const char* named;
    };
    const Case cases[] = {
        {"no comma", "1024x768", false, 7, 9, "\"1024x768\""},
        {"empty width", ",768", false, 7, 9, "\",768\""},
        {"faulty height", "1024,abc", false, 1024, 9, "\"1024,abc\""},
        {"empty height", "1024,", false, 1024, 9, "\"1024,\""},
        {"value missing", std::nullopt, false, 7, 9, "\"Resolution\""},
        {"key missing", std::nullopt, true, 7, 9, "Display\\Settings"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.value) {
            SetDisplayValue(*c.value);
        } else {
            registry_->DeleteValue(RegistryRoot::LocalMachine, kDisplaySettingsKey, "Resolution");
        }
        if (c.deleteKey) {
            registry_->DeleteKey(RegistryRoot::LocalMachine, kDisplaySettingsKey);
        }
        TargetResolution target{7, 9};
        try {
            ReadDisplayResolutionInto(*registry_, target);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
        EXPECT_EQ(target.width, c.width);
        EXPECT_EQ(target.height, c.height);
        registry_->CreateKey(RegistryRoot::LocalMachine, kDisplaySettingsKey);
    }
}

TEST(ResolutionOfItem, NamesTheFiveResolutionsAndNothingElse) {
    EXPECT_EQ(ResolutionOfItem("640x480"), (PictureSize{640, 480}));
    EXPECT_EQ(ResolutionOfItem("800x600"), (PictureSize{800, 600}));
    EXPECT_EQ(ResolutionOfItem("1024x768"), (PictureSize{1024, 768}));
    EXPECT_EQ(ResolutionOfItem("1152x864"), (PictureSize{1152, 864}));
    EXPECT_EQ(ResolutionOfItem("1280x1024"), (PictureSize{1280, 1024}));
    for (const char* other : {"Текущее", "", "1024X768", "1024x768 "}) {
        EXPECT_EQ(ResolutionOfItem(other), std::nullopt) << other;
    }
}

}  // namespace
}  // namespace lumora
