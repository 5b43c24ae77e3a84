#include "dialog_script.h"

namespace cadhost {

std::optional<DialogAnswer> DialogScript::take() {
    if (m_answers.empty()) {
        return std::nullopt;
    }
    DialogAnswer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

}  // namespace cadhost
