#pragma once

#include "survey/upload_finding.h"

namespace vrk {

// The question before an upload whose list has findings: the findings with their line numbers,
// and 继续 or 取消. Waits for the answer; true = 继续.
class SendAnywayQuestion {
  public:
    virtual ~SendAnywayQuestion() = default;
    virtual bool askSendAnyway(const UploadFindings& findings) = 0;
};

}  // namespace vrk
