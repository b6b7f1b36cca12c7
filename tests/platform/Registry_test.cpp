#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Error.h"
#include "platform/Files.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

constexpr auto HKLM = RegistryRoot::LocalMachine;
constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr const char* kCurrentVersion = "\\Software\\Microsoft\\Windows\\CurrentVersion";

class RegistryTest : public test::TempPrefixTest {
protected:
    Registry& Store() {
        if (!registry_) {
            registry_ = OpenRegistry();
        }
        return *registry_;
    }
    void Reopen() { registry_ = OpenRegistry(); }

    static void ExpectErrorMentioning(const std::function<void()>& action,
                                      const std::string& part) {
        try {
            action();
            ADD_FAILURE() << "no error; expected one mentioning " << part;
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(part), std::string::npos) << error.what();
        }
    }

private:
    std::unique_ptr<Registry> registry_;
};

TEST_F(RegistryTest, AFreshPrefixGetsWhatTheSystemWouldHaveSetUp) {
    ASSERT_FALSE(std::filesystem::exists(Prefix()));
    auto& registry = Store();
    EXPECT_EQ(registry.ReadString(HKLM, kCurrentVersion, "SystemRoot"), PathToUtf8(WindowsDir()));
    EXPECT_TRUE(registry.ListValues(HKLM, std::string(kCurrentVersion) + "\\Run").empty());
    EXPECT_TRUE(registry.KeyExists(HKCU, "\\Control Panel\\Desktop"));
    EXPECT_EQ(registry.ReadString(HKLM, "\\Config\\0001\\Display\\Settings", "Resolution"),
              "1024,768");
    EXPECT_TRUE(std::filesystem::is_directory(WindowsDir() / "System"));
    EXPECT_TRUE(std::filesystem::is_regular_file(Prefix() / "registry.db"));
}

TEST_F(RegistryTest, DefaultsTheUserRemovedAreNotAddedAgain) {
    Store().DeleteValue(HKLM, kCurrentVersion, "SystemRoot");
    Store().DeleteKey(HKCU, "\\Control Panel");
    Reopen();
    EXPECT_EQ(Store().ReadString(HKLM, kCurrentVersion, "SystemRoot"), std::nullopt);
    EXPECT_FALSE(Store().KeyExists(HKCU, "\\Control Panel"));
    EXPECT_TRUE(Store().KeyExists(HKLM, std::string(kCurrentVersion) + "\\Run"));
}

TEST_F(RegistryTest, NamesIgnoreLetterCaseAndKeepTheirOwn) {
    auto& registry = Store();
    registry.CreateKey(HKLM, "\\Software\\Brenvik\\Lumora");
    registry.CreateKey(HKLM, "\\SOFTWARE\\brenvik\\LUMORA\\Ключ Ёлка");
    registry.WriteString(HKLM, "software\\BRENVIK\\lumora", "Resolution1", "1024");
    registry.WriteString(HKLM, "\\Software\\Brenvik\\Lumora", "RESOLUTION1", "800");

    EXPECT_TRUE(registry.KeyExists(HKLM, "\\software\\brenvik\\lumora\\КЛЮЧ ёЛКА"));
    EXPECT_EQ(registry.StoredKeyPath(HKLM, "software\\BRENVIK\\lumora\\ключ ЁЛКА"),
              "Software\\Brenvik\\Lumora\\Ключ Ёлка");
    EXPECT_EQ(registry.ReadString(HKLM, "\\Software\\Brenvik\\Lumora", "resolution1"), "800");
    const auto values = registry.ListValues(HKLM, "\\Software\\Brenvik\\Lumora");
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "Resolution1");
    EXPECT_EQ(values[0].type, "REG_SZ");
    EXPECT_FALSE(registry.KeyExists(HKCU, "\\Software\\Brenvik\\Lumora"));  // roots apart
}

TEST_F(RegistryTest, KeyPathForms) {
    auto& registry = Store();
    registry.CreateKey(HKCU, "A\\B");
    for (const char* same : {"\\A\\B", "A\\B", "A\\B\\", "\\a\\b\\"}) {
        EXPECT_EQ(registry.StoredKeyPath(HKCU, same), "A\\B") << same;
    }
    for (const char* root : {"", "\\"}) {
        EXPECT_EQ(registry.StoredKeyPath(HKCU, root), "") << root;
        EXPECT_EQ(registry.ListSubkeys(HKCU, root),
                  std::vector<std::string>({"A", "Control Panel"}));
    }
    for (const char* bad : {"A\\\\B", "\\\\A", "A\\B\\\\"}) {
        ExpectErrorMentioning([&] { registry.CreateKey(HKCU, bad); }, bad);
        ExpectErrorMentioning([&] { registry.KeyExists(HKCU, bad); }, bad);
    }
}

TEST_F(RegistryTest, MissingKeysAndValues) {
    auto& registry = Store();
    EXPECT_EQ(registry.ReadString(HKLM, "\\Software\\Brenvik\\Lumora", "Resolution1"),
              std::nullopt);
    EXPECT_EQ(registry.ReadString(HKLM, kCurrentVersion, "Absent"), std::nullopt);
    EXPECT_FALSE(registry.DeleteValue(HKLM, kCurrentVersion, "Absent"));
    EXPECT_FALSE(registry.DeleteValue(HKLM, "\\Nope", "Absent"));
    EXPECT_FALSE(registry.DeleteKey(HKLM, "\\Software\\Brenvik"));
    ExpectErrorMentioning(
        [&] { registry.WriteString(HKLM, "\\Software\\Brenvik\\Lumora", "Resolution1", "1"); },
        "HKEY_LOCAL_MACHINE\\Software\\Brenvik\\Lumora");
    EXPECT_FALSE(registry.KeyExists(HKLM, "\\Software\\Brenvik"));  // nothing created
    ExpectErrorMentioning([&] { registry.ListValues(HKCU, "\\Nope"); }, "Nope");
    ExpectErrorMentioning([&] { registry.ListSubkeys(HKCU, "\\Nope"); }, "Nope");
    ExpectErrorMentioning([&] { registry.StoredKeyPath(HKCU, "\\Nope"); }, "Nope");
    ExpectErrorMentioning([&] { registry.DeleteKey(HKLM, "\\"); }, "HKEY_LOCAL_MACHINE");
}

TEST_F(RegistryTest, TypedValues) {
    auto& registry = Store();
    registry.CreateKey(HKCU, "\\T");
    registry.WriteValue(HKCU, "\\T", {"Hex", "REG_DWORD", "0xFFFFFFFF"});
    registry.WriteValue(HKCU, "\\T", {"Path", "REG_EXPAND_SZ", "%SystemRoot%\\x"});
    registry.WriteValue(HKCU, "\\T", {"", "REG_SZ", "default"});
    const auto values = registry.ListValues(HKCU, "\\T");
    ASSERT_EQ(values.size(), 3u);  // in the order they were written
    EXPECT_EQ(values[0].data, "4294967295");
    EXPECT_EQ(values[1].type, "REG_EXPAND_SZ");
    EXPECT_EQ(values[2].name, "");
    EXPECT_EQ(registry.ReadString(HKCU, "\\T", "path"), "%SystemRoot%\\x");
    EXPECT_EQ(registry.ReadString(HKCU, "\\T", ""), "default");
    ExpectErrorMentioning([&] { registry.ReadString(HKCU, "\\T", "hex"); }, "\"Hex\"");

    const struct {
        RegistryValue value;
        std::string mentioned;
    } refused[] = {
        {{"D", "REG_DWORD", "4294967296"}, "4294967296"},
        {{"D", "REG_DWORD", "-1"}, "-1"},
        {{"D", "REG_DWORD", "12abc"}, "12abc"},
        {{"D", "REG_DWORD", ""}, "\"D\""},
        {{"B", "REG_BINARY", "00"}, "REG_BINARY"},
        {{"S", "REG_SZ", "bad \xFF text"}, "\"S\""},
        {{"S", "REG_SZ", std::string("nul\0inside", 10)}, "\"S\""},
        {{"bad \xC0\xAF name", "REG_SZ", ""}, "bad \\xC0\\xAF name"},
    };
    for (const auto& c : refused) {
        ExpectErrorMentioning([&] { registry.WriteValue(HKCU, "\\T", c.value); }, c.mentioned);
    }
    EXPECT_EQ(registry.ListValues(HKCU, "\\T").size(), 3u);
}

TEST_F(RegistryTest, DeletingAKeyTakesEverythingBelowIt) {
    auto& registry = Store();
    for (const char* key : {"\\A", "\\A\\B", "\\A\\B\\C", "\\A2"}) {
        registry.CreateKey(HKLM, key);
        registry.WriteString(HKLM, key, "v", key);
    }
    EXPECT_TRUE(registry.DeleteKey(HKLM, "\\a"));
    EXPECT_FALSE(registry.KeyExists(HKLM, "\\A\\B\\C"));
    EXPECT_EQ(registry.ReadString(HKLM, "\\A2", "v"), "\\A2");
    // Made again, the key is empty: nothing of the old tree lingers.
    registry.CreateKey(HKLM, "\\A\\B\\C");
    EXPECT_TRUE(registry.ListValues(HKLM, "\\A\\B\\C").empty());
    EXPECT_TRUE(registry.ListValues(HKLM, "\\A").empty());
    EXPECT_EQ(registry.ListSubkeys(HKLM, "\\A"), std::vector<std::string>{"B"});
}

TEST_F(RegistryTest, SubkeysAreListedByName) {
    auto& registry = Store();
    for (const char* key : {"\\P\\b", "\\P\\C", "\\P\\a"}) {
        registry.CreateKey(HKCU, key);
    }
    EXPECT_EQ(registry.ListSubkeys(HKCU, "\\P"), std::vector<std::string>({"a", "b", "C"}));
}

TEST_F(RegistryTest, AStoreThatCannotBeOpenedIsAnError) {
    test::WriteBytes(Prefix() / "registry.db", std::string(4096, 'x'));
    ExpectErrorMentioning([] { OpenRegistry(); }, "registry.db");

    test::WriteBytes(Work() / "file", "");
    ::setenv("LUMORA_PREFIX", (Work() / "file" / "prefix").c_str(), 1);
    ExpectErrorMentioning([] { OpenRegistry(); }, (Work() / "file" / "prefix").string());
}

// Several programs at once, each with its own connection, from the very first open of a fresh
// prefix: every write lands, and the defaults are made once only.
TEST_F(RegistryTest, ConcurrentWritersAllLand) {
    constexpr int kWriters = 4;
    constexpr int kWritesEach = 40;
    std::atomic<bool> go{false};
    std::vector<std::string> failures(kWriters);
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            while (!go) {
                std::this_thread::yield();
            }
            try {
                auto registry = OpenRegistry();
                // Removed by each writer: an open that came later must not bring it back.
                registry->DeleteValue(HKLM, kCurrentVersion, "SystemRoot");
                for (int i = 0; i < kWritesEach; ++i) {
                    registry->CreateKey(HKLM, "\\Shared\\W" + std::to_string(w));
                    registry->WriteString(HKLM, "\\Shared",
                                          std::to_string(w) + "-" + std::to_string(i), "x");
                }
            } catch (const std::exception& error) {
                failures[w] = error.what();
            }
        });
    }
    go = true;
    for (auto& writer : writers) {
        writer.join();
    }
    for (const auto& failure : failures) {
        EXPECT_EQ(failure, "");
    }
    EXPECT_EQ(Store().ListValues(HKLM, "\\Shared").size(), std::size_t{kWriters * kWritesEach});
    EXPECT_EQ(Store().ListSubkeys(HKLM, "\\Shared").size(), std::size_t{kWriters});
    EXPECT_TRUE(Store().ListValues(HKLM, kCurrentVersion).empty());
}

}  // namespace
}  // namespace lumora
