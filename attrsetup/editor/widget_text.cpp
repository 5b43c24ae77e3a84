#include "widget_text.h"

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

QString WidgetText::decode(const std::string& bytes) {
    const QString text = fromGbk(bytes);
    std::string back;
    if (!toGbk(text, back) || back != bytes) {
        m_originals.insert(text, bytes);
    }
    return text;
}

bool WidgetText::encode(const QString& text, std::string& bytes) const {
    const auto original = m_originals.constFind(text);
    if (original != m_originals.constEnd()) {
        bytes = original.value();
        return true;
    }
    return toGbk(text, bytes);
}

}  // namespace quorbel::editor
