#include "commands/transfer_command.h"

#include "link/download.h"

namespace vrk {

TransferCommand TransferCommand::Download(const std::string& program) {
    return {{program, "下传数据", true}, [](TransferContext& ctx) { return RunDownload(ctx); }};
}

TransferCommand TransferCommand::Upload(const std::string& program, const UploadJob& job) {
    return {{program, job.uploadCoords ? "上传坐标" : "上传PCODE", false},
            [job](TransferContext& ctx) { return RunUpload(ctx, job); }};
}

}  // namespace vrk
