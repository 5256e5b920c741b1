// keiro-tool postal lookup and import, run as scripts run them.
#include <gtest/gtest.h>

#include "core/fileio.h"
#include "tests/support/run_tool.h"
#include "tests/withholding_postal/postal_fixture.h"

namespace keiro::withholding {
namespace {

using testing_support::runTool;
using testing_support::TempFolder;

TEST(PostalToolTest, ImportThenLookUp) {
    TempFolder folder("keiro-postal-tool");
    writeFileAtomic(folder / "ken_all.zip",
                    testing_support::makeZip({{"KEN_ALL.CSV", testing_support::sampleKenAll()}}));
    const std::string data = folder.path().string();
    const auto imported =
        runTool("postal import " + data + "/ken_all.zip --out " + data + "/YubinNo.dat");
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_EQ(imported.out, "{\"out\":\"" + data +
                                "/YubinNo.dat\",\"lines\":7,\"entries\":5,\"municipalityOut\":\"" +
                                data + "/YubinJichitai.dat\",\"municipalities\":5}\n");

    EXPECT_EQ(runTool("postal lookup --data " + data + " 1000001").out, "東京都千代田区千代田\n");
    EXPECT_EQ(runTool("postal lookup --data " + data + " 12345").out, "東京都架空市五番町\n");
    const auto none = runTool("postal lookup --data " + data + " 12");
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(runTool("postal lookup --data " + data + "/nothing 1000001").exitCode, 1);
    EXPECT_EQ(runTool("postal lookup 1000001").exitCode, 2);

    writeFileAtomic(folder / "bad.csv", "not,a,postal,list\r\n");
    const std::string before = readFile(folder / "YubinNo.dat");
    const auto refused =
        runTool("postal import " + data + "/bad.csv --out " + data + "/YubinNo.dat");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(readFile(folder / "YubinNo.dat"), before);
}

}  // namespace
}  // namespace keiro::withholding
