#pragma once

#include <QString>
#include <string>

namespace quorbel::editor {

QString fromGbk(const std::string& bytes);
// False when the text holds a character that GBK cannot represent.
bool toGbk(const QString& text, std::string& bytes);

// A value read from the files, as a widget shows it. Bytes that are not valid GBK decode to
// stand-in characters, and two different values may look alike, so each widget or cell keeps the
// bytes it was filled from: while it still shows the same text, the value is written back as
// those bytes, unjudged by the checks for typed text.
struct KeptText {
    QString shown;
    std::string bytes;
};

// The bytes a widget's current text stands for; typed tells whether the user changed it.
bool bytesOf(const QString& current, const KeptText& kept, std::string& bytes, bool& typed);

}  // namespace quorbel::editor
