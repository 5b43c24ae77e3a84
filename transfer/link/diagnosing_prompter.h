#pragma once

#include <string>
#include <string_view>

#include "link/transcript_recorder.h"
#include "view/prompter.h"

namespace vrk {

// Passes messages on; the two that end a transfer ("通讯超时", "通讯失败") keep their text as the
// first line and gain the most likely cause and where the transcript is.
class DiagnosingPrompter final : public Prompter {
  public:
    DiagnosingPrompter(Prompter& prompter, const TranscriptRecorder& recorder,
                       std::string whereToSee)
        : prompter_(prompter), recorder_(recorder), whereToSee_(std::move(whereToSee)) {}

    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override { return prompter_.askYesNo(text); }

  private:
    Prompter& prompter_;
    const TranscriptRecorder& recorder_;
    std::string whereToSee_;
};

}  // namespace vrk
