#pragma once

#include <string>

#include "link/upload.h"
#include "transcript/traced_transfer.h"
#include "transcript/transcript_recorder.h"

namespace vrk {

// A transfer as the worker runs it: the engine, and how the transcript names it.
struct TransferCommand {
    TranscriptHeader header;
    TransferRun run;

    // The download into the view, as `program` ("VRK410 1.0") records it.
    static TransferCommand Download(const std::string& program);
    // The upload of `job`; the job is copied, so the caller's may go away.
    static TransferCommand Upload(const std::string& program, const UploadJob& job);
};

}  // namespace vrk
