#include "editor/dialog_units.h"

#include <QFontMetrics>
#include <QStringList>

namespace quorbel::editor {

namespace {

// MulDiv(value, numerator, denominator) rounded half away from zero, as the dialog manager does.
int mulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

}  // namespace

QFont dialogFont() {
    QFont font;
    // The template's font first; where it is not installed, a CJK font of similar metrics.
    // Qt's font cache keeps these names after the dialog is gone, so they must live on the heap:
    // a QStringLiteral would leave the cache pointing into the plug-in once it is unloaded.
    font.setFamilies(QStringList{
        QString::fromUtf8(kDialogFontFamily), QString::fromLatin1("SimSun"),
        QString::fromLatin1("Noto Serif CJK SC"), QString::fromLatin1("Noto Sans CJK SC")});
    font.setPointSize(kDialogFontPointSize);
    return font;
}

DialogBaseUnits dialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogBaseUnits units;
    units.x = (alphabet / 26 + 1) / 2;
    units.y = metrics.height();
    return units;
}

QRect toPixels(const DuRect& rect, const DialogBaseUnits& units) {
    const int left = mulDiv(rect.x, units.x, 4);
    const int top = mulDiv(rect.y, units.y, 8);
    const int right = mulDiv(rect.x + rect.w, units.x, 4);
    const int bottom = mulDiv(rect.y + rect.h, units.y, 8);
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace quorbel::editor
