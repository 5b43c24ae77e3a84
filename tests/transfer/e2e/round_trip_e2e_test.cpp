#include <gtest/gtest.h>

#include "convert/delf_conversion.h"
#include "e2e_harness.h"
#include "link/download.h"
#include "link/upload.h"
#include "sample_data.h"

namespace {

using namespace std::chrono_literals;
using e2e::Computer;

using e2e::kStationWait;

std::string Download(tssim::TotalStation& station) {
    EXPECT_TRUE(station.startSend(tssim::Content::Coordinates));
    Computer computer(station.slavePath(), vrk::kProtocolAckNak);
    auto context = computer.context();
    vrk::DownloadThreadProc(context);
    EXPECT_TRUE(station.waitFinished(kStationWait));
    EXPECT_TRUE(computer.prompter.reports().empty());
    return computer.view.getText();
}

// The survey leaves the instrument, becomes DELF lines in the program, goes back, and comes out
// again unchanged: the program's and the instrument's record formats agree to the millimetre.
TEST(RoundTripE2E, DownloadConvertUploadDownloadKeepsEveryPoint) {
    tssim::TotalStation station(e2e::StationConfig(tssim::Protocol::AckNak));
    ASSERT_TRUE(station.open()) << station.error();
    const tssim::Memory original = e2e::SampleMemory();
    station.setMemory(original);

    const std::string first = Download(station);
    const vrk::ConversionResult delf = vrk::ConvertToDelf(first);
    ASSERT_TRUE(delf.ok) << delf.message;

    station.setMemory({});
    ASSERT_TRUE(station.startReceive());
    Computer uploader(station.slavePath(), vrk::kProtocolAckNak);
    auto context = uploader.context();
    vrk::UploadThreadProc(context, vrk::BuildCoordUploadJob(delf.text));
    ASSERT_TRUE(station.waitFinished(kStationWait));
    EXPECT_EQ(uploader.prompter.reports(), std::vector<std::string>{std::string(e2e::kFinished)});
    EXPECT_EQ(station.memory().points, original.points);

    EXPECT_EQ(Download(station), first);
}

}  // namespace
