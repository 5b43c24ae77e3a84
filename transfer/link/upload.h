#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "link/transfer_context.h"
#include "link/transfer_outcome.h"

namespace vrk {

// What the upload command hands to the upload thread: the kind (coordinates get the two header
// records first) and the upload buffer, blocks each followed by 0x02.
struct UploadJob {
    bool uploadCoords = false;
    std::string uploadBuffer;
};

UploadJob BuildCoordUploadJob(std::string_view viewText);
UploadJob BuildPcodeUploadJob(std::string_view viewText);

// Blocks in the job, for a progress display.
std::size_t CountUploadBlocks(const UploadJob& job);

// Opens the port, prompts, sends the headers (coordinates only), empties the view, sends every
// block as a data record echoing it into the view, sends the end frame and reports "通讯结束".
// Answers 0 on every path.
int UploadThreadProc(TransferContext& ctx, const UploadJob& job);

// The upload itself, telling how it ended and what went each way.
TransferOutcome RunUpload(TransferContext& ctx, const UploadJob& job);

}  // namespace vrk
