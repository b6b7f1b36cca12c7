#include "platform/Prefix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "platform/Error.h"

namespace lumora {
namespace {

// Sets the three variables the prefix depends on and puts them back afterwards.
class PrefixEnvironment : public ::testing::Test {
protected:
    ~PrefixEnvironment() override {
        for (const auto& [name, value] : saved_) {
            Set(name.c_str(), value);
        }
    }
    void Set(const char* name, const std::optional<std::string>& value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

struct PrefixCase {
    std::optional<std::string> lumoraPrefix, xdgDataHome, home;
    std::string expected;
};

TEST_F(PrefixEnvironment, FollowsTheVariablesInOrder) {
    const PrefixCase cases[] = {
        {"/p/lumora-prefix", "/xdg", "/home/u", "/p/lumora-prefix"},
        {"/p/with-slash/", "/xdg", "/home/u", "/p/with-slash"},
        {"", "/xdg", "/home/u", "/xdg/lumora"},
        {std::nullopt, "/xdg", "/home/u", "/xdg/lumora"},
        {std::nullopt, "", "/home/u", "/home/u/.local/share/lumora"},
        {std::nullopt, std::nullopt, "/home/u", "/home/u/.local/share/lumora"},
    };
    for (const auto& c : cases) {
        Set("LUMORA_PREFIX", c.lumoraPrefix);
        Set("XDG_DATA_HOME", c.xdgDataHome);
        Set("HOME", c.home);
        EXPECT_EQ(PrefixPath(), c.expected)
            << "LUMORA_PREFIX=" << c.lumoraPrefix.value_or("(unset)");
    }
}

TEST_F(PrefixEnvironment, RelativePrefixBecomesAbsolute) {
    Set("LUMORA_PREFIX", "relative/prefix");
    EXPECT_EQ(PrefixPath(), std::filesystem::current_path() / "relative/prefix");
}

TEST_F(PrefixEnvironment, NoVariableAtAllIsAnError) {
    Set("LUMORA_PREFIX", std::nullopt);
    Set("XDG_DATA_HOME", std::nullopt);
    Set("HOME", std::nullopt);
    EXPECT_THROW(PrefixPath(), Error);
}

}  // namespace
}  // namespace lumora
