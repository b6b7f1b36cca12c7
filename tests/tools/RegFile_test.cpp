#include "tools/lumoreg/RegFile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"
#include "platform/TextEncoding.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

using Kind = RegFileChange::Kind;
constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

class RegFileTest : public test::TempPrefixTest {};

TEST_F(RegFileTest, ExportFormat) {
    auto registry = OpenRegistry();
    registry->CreateKey(RegistryRoot::CurrentUser, "\\R\\Sub");
    registry->WriteValue(RegistryRoot::CurrentUser, "\\R", {"", "REG_SZ", "C:\\PICS\\\"A\".bmp"});
    registry->WriteValue(RegistryRoot::CurrentUser, "\\R", {"D", "REG_DWORD", "255"});
    registry->WriteValue(RegistryRoot::CurrentUser, "\\R", {"E", "REG_EXPAND_SZ", "%Я%"});
    registry->WriteValue(RegistryRoot::CurrentUser, "\\R", {"L", "REG_SZ", "a\nb"});
    EXPECT_EQ(FormatRegFile(*registry, RegistryRoot::CurrentUser, "r"),
              std::string(kHeader) +
                  "[HKEY_CURRENT_USER\\R]\r\n"
                  "@=\"C:\\\\PICS\\\\\\\"A\\\".bmp\"\r\n"
                  "\"D\"=dword:000000ff\r\n"
                  "\"E\"=hex(2):25,00,2f,04,25,00,00,00\r\n"
                  "\"L\"=hex(1):61,00,0a,00,62,00,00,00\r\n"
                  "\r\n"
                  "[HKEY_CURRENT_USER\\R\\Sub]\r\n"
                  "\r\n");
}

TEST(RegFile, ReadsWhatOtherEditorsWrite) {
    const std::string text =
        "REGEDIT4\n"
        "; a comment\n"
        "[-HKEY_CURRENT_USER\\Old]\n"
        "[HKCU\\Software\\X]  \n"
        "  \"Name\" = \"Value\"  \n"
        "\"Gone\"=-\n"
        "\"Exp\"=hex(2):25,00,41,00,\\\n"
        "    25,00,00,00\n"
        "\"Dw\"=dword:0000000A\n";
    const auto utf16 = "\xFF\xFE" + Utf8ToUtf16Le(text);
    for (const auto& bytes : {text, "\xEF\xBB\xBF" + text, utf16}) {
        const auto changes = ParseRegFile(bytes, "x.reg");
        ASSERT_EQ(changes.size(), 6u);
        EXPECT_EQ(changes[0].kind, Kind::DeleteKey);
        EXPECT_EQ(changes[0].key, "Old");
        EXPECT_EQ(changes[1].kind, Kind::CreateKey);
        EXPECT_EQ(changes[1].root, RegistryRoot::CurrentUser);
        EXPECT_EQ(changes[1].key, "Software\\X");
        EXPECT_EQ(changes[2].value.name, "Name");
        EXPECT_EQ(changes[2].value.data, "Value");
        EXPECT_EQ(changes[3].kind, Kind::DeleteValue);
        EXPECT_EQ(changes[3].value.name, "Gone");
        EXPECT_EQ(changes[4].value.type, "REG_EXPAND_SZ");
        EXPECT_EQ(changes[4].value.data, "%A%");
        EXPECT_EQ(changes[5].value.type, "REG_DWORD");
        EXPECT_EQ(changes[5].value.data, "10");
    }
}

TEST(RegFile, MalformedLinesAreNamedByNumber) {
    const std::string section = "[HKEY_CURRENT_USER\\Imp]\r\n\"ok\"=\"1\"\r\n";
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {"", 1},
        {"[HKEY_CURRENT_USER\\Imp]\r\n", 1},
        {std::string(kHeader) + "\"a\"=\"1\"\r\n", 3},  // value before any section
        {std::string(kHeader) + "[HKEY_CLASSES_ROOT\\x]\r\n", 3},
        {std::string(kHeader) + "[HKEY_CURRENT_USER\\a\\\\b]\r\n", 3},
        {std::string(kHeader) + "[HKEY_CURRENT_USER\\x\r\n", 3},
        {std::string(kHeader) + "[-HKEY_CURRENT_USER]\r\n", 3},
        {std::string(kHeader) + section + "\"c\"=\"unterminated\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=\"x\" tail\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=\"bad \\q escape\"\r\n", 5},
        {std::string(kHeader) + section + "\"c\" \"x\"\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=dword:123456789\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=dword:xyz\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=hex:01,02\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=hex(2):41\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=hex(2):4,00\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=hex(2):41,00,\r\n", 5},
        {std::string(kHeader) + section + "\"c\"=hex(2):00,d8,00,00\r\n", 5},  // lone surrogate
        {std::string(kHeader) + section + "\"c\"=hex(2):41,00,\\\r\n", 5},     // cut at the end
        {std::string(kHeader) + section + "\"c\"=\"\xFF\"\r\n", 5},
        {std::string(kHeader) + section + "garbage\r\n", 5},
        {std::string(kHeader) + "[-HKEY_CURRENT_USER\\x]\r\n\"v\"=\"1\"\r\n", 4},
    };
    for (const auto& c : cases) {
        try {
            ParseRegFile(c.text, "/data/bad.reg");
            ADD_FAILURE() << "no error for:\n" << c.text;
        } catch (const Error& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("строка " + std::to_string(c.line) + " файла \"/data/bad.reg\""),
                      std::string::npos)
                << message;
        }
    }
}

}  // namespace
}  // namespace lumora
