#pragma once

#include <QMainWindow>
#include <QStringList>

#include "cadhost/host_state.h"
#include "command_processor.h"

class QLabel;
class QPlainTextEdit;

namespace cadhost {

class CommandLineEdit;

// The host's window: an empty drawing area above, the command line below with the history of
// what was entered and printed, the prompt and the input line.
class HostWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit HostWindow(CommandProcessor& processor, QWidget* parent = nullptr);

    void appendOutput(std::string_view text, TextOrigin origin);
    // Lines run one after the other as if typed, each once the one before has finished.
    void runScript(QStringList lines);

  private:
    void enter(const QString& line);
    void updatePrompt();

    CommandProcessor& m_processor;
    QPlainTextEdit* m_history = nullptr;
    QLabel* m_prompt = nullptr;
    CommandLineEdit* m_input = nullptr;
};

}  // namespace cadhost
