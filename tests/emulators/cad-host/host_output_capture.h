#pragma once

#include <string>

#include "cadhost/host_state.h"

// Collects everything the host prints for the life of the object.
class HostOutputCapture {
  public:
    HostOutputCapture() {
        cadhost::setOutputSink(
            [this](std::string_view text, cadhost::TextOrigin) { m_text.append(text); });
    }
    ~HostOutputCapture() { cadhost::setOutputSink({}); }

    const std::string& text() const { return m_text; }
    bool contains(std::string_view part) const { return m_text.find(part) != std::string::npos; }
    void clear() { m_text.clear(); }

  private:
    std::string m_text;
};
