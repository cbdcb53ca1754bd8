#include "draw/text_char_format.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

namespace vintrale {

QTextCharFormat toTextCharFormat(const CharFormat& format) {
    QTextCharFormat applied;
    applied.setFontFamilies(QStringList{QString::fromStdString(format.faceName)});
    if (format.size > 0) {
        applied.setFontPointSize(format.size);
    }
    // The box knows no offset in points, only a baseline shift in percent of the font size.
    if (format.offset != 0 && format.size > 0) {
        applied.setVerticalAlignment(QTextCharFormat::AlignBaseline);
        applied.setBaselineOffset(100.0 * format.offset / format.size);
    } else {
        applied.setVerticalAlignment(QTextCharFormat::AlignNormal);
        applied.setBaselineOffset(0.0);
    }
    applied.setFontWeight((format.effects & effect::bold) != 0 ? QFont::Bold : QFont::Normal);
    applied.setFontItalic((format.effects & effect::italic) != 0);
    applied.setFontUnderline((format.effects & effect::underline) != 0);
    applied.setFontStrikeOut((format.effects & effect::strikeout) != 0);
    if (format.color == automaticColor) {
        applied.clearForeground();
    } else {
        // 0x00BBGGRR: red in the lowest byte.
        applied.setForeground(QColor(static_cast<int>(format.color & 0xFFu),
                                     static_cast<int>((format.color >> 8) & 0xFFu),
                                     static_cast<int>((format.color >> 16) & 0xFFu)));
    }
    return applied;
}

} // namespace vintrale
