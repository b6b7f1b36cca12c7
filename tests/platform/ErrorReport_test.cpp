#include "platform/ErrorReport.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

using ErrorReportTest = test::TempPrefixTest;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(ErrorReportTest, GoesToStderrAndIsAppendedToTheLogWithATimestamp) {
    ::testing::internal::CaptureStderr();
    ReportApplierError("Не удаётся открыть файл \"/x/Lumora.ini\"");
    ReportApplierError("second");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Не удаётся открыть файл \"/x/Lumora.ini\"\nsecond\n");

    const auto lines = Lines(test::ReadBytes(Prefix() / "lumo4.log"));
    ASSERT_EQ(lines.size(), 2u);
    const std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d (.*))");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[0], match, stamped)) << lines[0];
    EXPECT_EQ(match[1], "Не удаётся открыть файл \"/x/Lumora.ini\"");
    ASSERT_TRUE(std::regex_match(lines[1], match, stamped)) << lines[1];
    EXPECT_EQ(match[1], "second");
}

TEST_F(ErrorReportTest, AnUnwritableLogDoesNotStopTheReport) {
    test::WriteBytes(Work() / "file", "");
    ::setenv("LUMORA_PREFIX", (Work() / "file" / "prefix").c_str(), 1);  // below a file
    ::testing::internal::CaptureStderr();
    ReportApplierError("still reported");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "still reported\n");
}

}  // namespace
}  // namespace lumora
