#pragma once

#include <QLineEdit>
#include <QStringList>

namespace cadhost {

// The input line of the command line: Up and Down walk through the lines entered before.
class CommandLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit CommandLineEdit(QWidget* parent = nullptr);

    void remember(const QString& line);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QStringList m_history;
    qsizetype m_position = 0;
};

}  // namespace cadhost
