#include "editor/widget_text.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace quorbel::editor {

QString fromGbk(const std::string& bytes) {
    QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
    QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return text;
}

bool toGbk(const QString& text, std::string& bytes) {
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    const QByteArray encoded = encoder.encode(text);
    if (encoder.hasError()) {
        return false;
    }
    bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    return true;
}

bool bytesOf(const QString& current, const KeptText& kept, std::string& bytes, bool& typed) {
    typed = current != kept.shown;
    if (!typed) {
        bytes = kept.bytes;
        return true;
    }
    return toGbk(current, bytes);
}

}  // namespace quorbel::editor
