// GBK Text to and from Qt's Unicode strings.
#pragma once

#include <QString>

#include "text/codepage.h"

namespace app {

inline QString to_qstring(const text::Text& gbk) {
    return QString::fromStdString(text::gbk_to_utf8(gbk));
}
inline text::Text from_qstring(const QString& s) {
    return text::utf8_to_gbk(s.toStdString());
}

}  // namespace app
