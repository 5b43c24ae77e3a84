#pragma once

#include <deque>
#include <optional>
#include <string>

namespace cadhost {

// Answers for the modal dialogs that commands open, queued by the DIALOG command so scripts and
// tests can close a dialog nobody sits in front of.
struct DialogAnswer {
    enum class Kind { Ok, Cancel, Shot };
    Kind kind = Kind::Cancel;
    std::string path;  // where Shot saves the picture of the screen
};

class DialogScript {
  public:
    void push(DialogAnswer answer) { m_answers.push_back(std::move(answer)); }
    std::optional<DialogAnswer> take();
    void clear() { m_answers.clear(); }
    std::size_t size() const { return m_answers.size(); }

  private:
    std::deque<DialogAnswer> m_answers;
};

}  // namespace cadhost
