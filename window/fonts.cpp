#include "window/fonts.h"

#include <QFont>
#include <QStringList>

namespace vintrale {

void registerFontSubstitutes() {
    QFont::insertSubstitutions(QString::fromUtf8("宋体"),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                                QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("AR PL SungtiL GB")});
}

} // namespace vintrale
