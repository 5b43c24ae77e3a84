#include "cli/cli_transfer_args.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using vrk::cli::TransferKind;
using vrk::cli::TransferRequest;

bool Parse(const std::vector<std::string>& args, TransferRequest& request) {
    std::string error;
    return vrk::cli::ParseTransferArgs(args, request, error);
}

TEST(TransferArgs, NoOptionsGiveAFreshProgramsSettings) {
    TransferRequest request;
    ASSERT_TRUE(Parse({"download"}, request));
    EXPECT_EQ(request.settings, vrk::CommSettings{});
    EXPECT_TRUE(request.path.empty());
    EXPECT_TRUE(request.device.empty());
    EXPECT_FALSE(request.assumeYes);
}

// The options name line values; the settings hold the dialog's indexes.
TEST(TransferArgs, OptionValuesBecomeTheDialogsIndexes) {
    TransferRequest request;
    ASSERT_TRUE(Parse(
        {"upload", "coords", "in.delf", "--port", "COM6", "--baud", "19200", "--data-bits", "7",
         "--stop-bits=2", "--parity", "even", "--protocol", "acknak", "--delay", "1000", "--yes"},
        request));
    EXPECT_EQ(request.kind, TransferKind::UploadCoords);
    EXPECT_EQ(request.path, "in.delf");
    EXPECT_EQ(request.settings.m_nPort, 5);
    EXPECT_EQ(request.settings.m_nBaud, 4);
    EXPECT_EQ(request.settings.m_nDataBits, 0);
    EXPECT_EQ(request.settings.m_nStopBits, 1);
    EXPECT_EQ(request.settings.m_nParity, 2);
    EXPECT_EQ(request.settings.m_nProtocol, vrk::kProtocolAckNak);
    EXPECT_EQ(request.settings.m_nRecvDelay, 1000);
    EXPECT_TRUE(request.assumeYes);
}

TEST(TransferArgs, ADevicePathIsKeptAndALaterComNameWins) {
    TransferRequest request;
    ASSERT_TRUE(Parse({"download", "-o", "out.txt", "--port", "/dev/ttyUSB0"}, request));
    EXPECT_EQ(request.device, "/dev/ttyUSB0");
    EXPECT_EQ(request.path, "out.txt");
    ASSERT_TRUE(
        Parse({"upload", "pcode", "p.txt", "--port", "/dev/ttyUSB0", "--port", "COM2"}, request));
    EXPECT_TRUE(request.device.empty());
    EXPECT_EQ(request.settings.m_nPort, 1);
    EXPECT_EQ(request.kind, TransferKind::UploadPcode);
}

TEST(TransferArgs, ValuesOutsideTheDialogsChoicesAreRefused) {
    TransferRequest request;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"download", "--baud", "9600x"},
                                               {"download", "--stop-bits", "0"},
                                               {"download", "--protocol", "xmodem"},
                                               {"download", "--delay", "-1"},
                                               {"download", "--port", ""},
                                               {"download", "-o", "a", "-o", "b"},
                                               {"upload", "coords", "a", "-o", "b"},
                                               {"download", "--verbose"}}) {
        EXPECT_FALSE(Parse(args, request)) << args[1];
    }
}

}  // namespace
