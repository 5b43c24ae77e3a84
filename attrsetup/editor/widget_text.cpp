#include "editor/widget_text.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace quorbel::editor {

QString fromGbk(const std::string& bytes) {
    // Opening a converter costs more than decoding a feature line, and a list of 100,000 lines is
    // decoded on every keystroke in a find box. Stateless: a lone lead byte at the end of one
    // value is dropped, not paired with the first byte of the next. Widgets live on the UI thread
    // only; and a thread_local with a destructor would pin the plug-in in memory after unloading.
    static QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
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
