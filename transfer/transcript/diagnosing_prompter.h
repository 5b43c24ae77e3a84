#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interfaces/prompter.h"
#include "link/transfer_outcome.h"
#include "transcript/transcript_recorder.h"

namespace vrk {

// Passes messages on. The message after the engine reported a time-out or a failure (see
// endsWith) keeps its text as the first line and gains the most likely cause and where the
// transcript is.
class DiagnosingPrompter final : public Prompter {
  public:
    DiagnosingPrompter(Prompter& prompter, const TranscriptRecorder& recorder,
                       std::string whereToSee)
        : prompter_(prompter), recorder_(recorder), whereToSee_(std::move(whereToSee)) {}

    // The engine's report that the transfer ends this way; its message comes next.
    void endsWith(TransferEnd end) { end_ = end; }

    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override { return prompter_.askYesNo(text); }

  private:
    Prompter& prompter_;
    const TranscriptRecorder& recorder_;
    std::string whereToSee_;
    std::optional<TransferEnd> end_;
};

}  // namespace vrk
