#pragma once

#include <QHash>
#include <QString>
#include <string>

namespace quorbel::editor {

// The schema holds GBK bytes; widgets hold QString. Bytes that are not valid GBK decode to
// stand-in characters, which cannot be encoded back to the same bytes, so every decoded text
// that would not survive the round trip is remembered with its original bytes: a text the user
// did not touch is written back exactly as it was read.
class WidgetText {
  public:
    QString decode(const std::string& bytes);
    // False when the text holds a character that GBK cannot represent.
    bool encode(const QString& text, std::string& bytes) const;
    void forget() { m_originals.clear(); }

  private:
    QHash<QString, std::string> m_originals;
};

QString fromGbk(const std::string& bytes);
bool toGbk(const QString& text, std::string& bytes);

}  // namespace quorbel::editor
