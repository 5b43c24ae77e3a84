#include "host_text.h"

#include <QStringDecoder>

namespace cadhost {

QString displayText(std::string_view text, TextOrigin origin) {
    const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
    if (origin == TextOrigin::Host) {
        return QString::fromUtf8(bytes);
    }
    // Stateless, so a lead byte at the end of one print is not held back for the next.
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        return QString::fromLatin1(bytes);
    }
    return decoder.decode(bytes);
}

}  // namespace cadhost
