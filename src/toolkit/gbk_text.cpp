#include "toolkit/gbk_text.h"

#include "platform/gbk_names.h"

namespace toolkit {

QString FromGbk(const std::string& gbk) {
    const std::string utf8 = platform::GbkToUtf8(gbk);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToGbk(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return platform::Utf8ToGbk(std::string(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace toolkit
