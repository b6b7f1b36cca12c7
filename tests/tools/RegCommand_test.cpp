#include "tools/lumoreg/RegCommand.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

struct Outcome {
    int code;
    std::string out, err;
};

class RegCommandTest : public test::TempPrefixTest {
protected:
    static Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunRegCommand(args, out, err);
        return {code, out.str(), err.str()};
    }

    // Every key below HKCU\Snap with its values, to compare a tree before and after.
    static void Snapshot(const Registry& registry, const std::string& key,
                         std::map<std::string, std::vector<std::string>>& into) {
        auto& values = into[key];
        for (const auto& value : registry.ListValues(RegistryRoot::CurrentUser, key)) {
            values.push_back(value.name + "|" + value.type + "|" + value.data);
        }
        for (const auto& subkey : registry.ListSubkeys(RegistryRoot::CurrentUser, key)) {
            Snapshot(registry, key + "\\" + subkey, into);
        }
    }
    static std::map<std::string, std::vector<std::string>> Snapshot(const std::string& key) {
        std::map<std::string, std::vector<std::string>> tree;
        Snapshot(*OpenRegistry(), key, tree);
        return tree;
    }
};

constexpr const char* kDone = "Операция успешно завершена.\n";

struct Step {
    std::vector<std::string> args;
    int code;
    std::optional<std::string> out;  // exact, when given
    std::string errPart;             // must appear in stderr
};

// One session of commands, in order, on one prefix.
TEST_F(RegCommandTest, CommandsLikeReg) {
    const std::string lumora = "HKLM\\Software\\Brenvik\\Lumora";
    const Step steps[] = {
        {{"add", lumora, "/v", "Resolution1", "/d", "1024", "/f"}, 0, kDone, ""},
        {{"ADD", "hkey_local_machine\\SOFTWARE\\brenvik\\lumora", "/V", "Resolution2", "/T",
          "reg_sz", "/D", "768"},
         0,
         kDone,
         ""},
        {{"query", "hklm\\software\\brenvik\\lumora"},
         0,
         "\nHKEY_LOCAL_MACHINE\\Software\\Brenvik\\Lumora\n"
         "    Resolution1    REG_SZ    1024\n"
         "    Resolution2    REG_SZ    768\n",
         ""},
        {{"query", lumora, "/v", "RESOLUTION2"},
         0,
         "\nHKEY_LOCAL_MACHINE\\Software\\Brenvik\\Lumora\n    Resolution2    REG_SZ    768\n",
         ""},
        {{"query", "HKLM\\Software\\Brenvik"},
         0,
         "\nHKEY_LOCAL_MACHINE\\Software\\Brenvik\n\nHKEY_LOCAL_"
         "MACHINE\\Software\\Brenvik\\Lumora\n",
         ""},
        // Types, the default value and a key made without a value.
        {{"add", "HKCU\\T", "/v", "N", "/t", "REG_DWORD", "/d", "0x1F"}, 0, kDone, ""},
        {{"add", "HKCU\\T", "/ve", "/d", "По умолчанию"}, 0, kDone, ""},
        {{"add", "HKCU\\T", "/v", "E", "/t", "REG_EXPAND_SZ", "/d", "%SystemRoot%"}, 0, kDone, ""},
        {{"add", "HKCU\\T", "/v", "Empty"}, 0, kDone, ""},
        {{"add", "HKCU\\T\\Sub"}, 0, kDone, ""},
        {{"query", "HKCU\\T"},
         0,
         "\nHKEY_CURRENT_USER\\T\n"
         "    N    REG_DWORD    0x1f\n"
         "    (По умолчанию)    REG_SZ    По умолчанию\n"
         "    E    REG_EXPAND_SZ    %SystemRoot%\n"
         "    Empty    REG_SZ    \n"
         "\nHKEY_CURRENT_USER\\T\\Sub\n",
         ""},
        // Not there: exit 1, the name in the message, nothing on stdout.
        {{"query", "HKLM\\Software\\Nope"}, 1, "", "HKLM\\Software\\Nope"},
        {{"query", "HKCU\\T", "/v", "Missing"}, 1, "", "\"Missing\""},
        {{"delete", "HKCU\\T", "/v", "Missing", "/f"}, 1, "", "\"Missing\""},
        {{"delete", "HKCU\\T\\Nope"}, 1, "", "HKCU\\T\\Nope"},
        {{"delete", "HKCU\\T", "/v", "n", "/f"}, 0, kDone, ""},
        {{"query", "HKCU\\T", "/v", "N"}, 1, "", ""},
        {{"delete", "HKCU\\T", "/f"}, 0, kDone, ""},
        {{"query", "HKCU\\T\\Sub"}, 1, "", ""},
        // A bad value fails before the key is made.
        {{"add", "HKCU\\New", "/v", "D", "/t", "REG_DWORD", "/d", "zz"}, 1, "", "zz"},
        {{"query", "HKCU\\New"}, 1, "", ""},
        {{"delete", "HKLM"}, 1, "", "HKEY_LOCAL_MACHINE"},
        // Bad usage: exit 2 with the usage text.
        {{}, 2, "", "Использование"},
        {{"frob"}, 2, "", "frob"},
        {{"query"}, 2, "", "Использование"},
        {{"query", "HKCR\\x"}, 2, "", "HKCR\\x"},
        {{"query", "Software\\x"}, 2, "", "Software\\x"},
        {{"query", "HKLM\\a\\\\b"}, 2, "", "HKLM\\a\\\\b"},
        {{"query", "HKLM", "/d", "x"}, 2, "", "/d"},
        {{"add", "HKLM\\x", "/t", "REG_BINARY"}, 2, "", "REG_BINARY"},
        {{"add", "HKLM\\x", "/v"}, 2, "", "/v"},
        {{"add", "HKLM\\x", "/v", "a", "/ve"}, 2, "", "/ve"},
        {{"delete", "HKLM\\x", "/t", "REG_SZ"}, 2, "", "/t"},
        {{"export", "HKLM\\x"}, 2, "", "Использование"},
        {{"import"}, 2, "", "Использование"},
        {{"import", "a.reg", "b.reg"}, 2, "", "b.reg"},
        {{"/?"}, 0, std::nullopt, ""},
    };
    for (const auto& step : steps) {
        std::string command;
        for (const auto& arg : step.args) {
            command += arg + " ";
        }
        const auto outcome = Run(step.args);
        EXPECT_EQ(outcome.code, step.code) << command << "\n" << outcome.err;
        if (step.out) {
            EXPECT_EQ(outcome.out, *step.out) << command;
        }
        EXPECT_NE(outcome.err.find(step.errPart), std::string::npos) << command << "\n"
                                                                     << outcome.err;
        if (step.code == 0) {
            EXPECT_EQ(outcome.err, "") << command;
        }
    }
}

TEST_F(RegCommandTest, ExportThenImportGivesTheSameTree) {
    const std::vector<std::vector<std::string>> adds = {
        {"HKCU\\Snap", "/ve", "/d", "default"},
        {"HKCU\\Snap", "/v", "Quotes \"and\" \\back\\", "/d", "C:\\PICS\\\"x\".jpg\\"},
        {"HKCU\\Snap", "/v", "Юникод", "/d", "Картинки 😀 中文"},
        {"HKCU\\Snap", "/v", "Lines", "/d", "one\r\ntwo\nthree"},
        {"HKCU\\Snap", "/v", "Max", "/t", "REG_DWORD", "/d", "4294967295"},
        {"HKCU\\Snap", "/v", "Zero", "/t", "REG_DWORD", "/d", "0"},
        {"HKCU\\Snap", "/v", "Long", "/t", "REG_EXPAND_SZ", "/d", std::string(300, 'e') + "%X%"},
        {"HKCU\\Snap", "/v", "EmptyExpand", "/t", "REG_EXPAND_SZ"},
        {"HKCU\\Snap\\Empty Key"},
        {"HKCU\\Snap\\Nested\\Deeper [1]", "/v", "v", "/d", "="},
    };
    for (auto args : adds) {
        args.insert(args.begin(), "add");
        ASSERT_EQ(Run(args).code, 0) << args[2];
    }
    const auto before = Snapshot("Snap");
    const auto file = (Work() / "снимок.reg").string();

    ASSERT_EQ(Run({"export", "HKCU\\snap", file}).code, 0);
    EXPECT_EQ(test::ReadBytes(file).rfind("Windows Registry Editor Version 5.00\r\n\r\n", 0), 0u);
    ASSERT_EQ(Run({"delete", "HKCU\\Snap", "/f"}).code, 0);
    const auto imported = Run({"import", file});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(Snapshot("Snap"), before);

    EXPECT_EQ(Run({"export", "HKCU\\Absent", file}).code, 1);
    EXPECT_EQ(Run({"import", (Work() / "absent.reg").string()}).code, 1);
}

TEST_F(RegCommandTest, MalformedImportChangesNothing) {
    const auto file = Work() / "bad.reg";
    test::WriteBytes(file,
                     "Windows Registry Editor Version 5.00\r\n\r\n"
                     "[HKEY_CURRENT_USER\\Imported]\r\n"
                     "\"ok\"=\"1\"\r\n"
                     "\"bad\"=hex(7):41,00\r\n");
    const auto outcome = Run({"import", file.string()});
    EXPECT_EQ(outcome.code, 1);
    EXPECT_NE(outcome.err.find(file.string()), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("строка 5"), std::string::npos) << outcome.err;
    EXPECT_EQ(Run({"query", "HKCU\\Imported"}).code, 1);
}

}  // namespace
}  // namespace lumora
