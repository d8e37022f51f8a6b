#include "toolkit/shell_open.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {

bool IsWebAddress(const std::string& address) {
    const QString text = FromGbk(address);
    return text.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
           text.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
}

bool Shell::Open(const std::string& address) {
    if (!IsWebAddress(address)) return false;
    if (opener) {
        opener(address);
        return true;
    }
    return CallOnWindowThread([&] {
        return QDesktopServices::openUrl(QUrl(FromGbk(address), QUrl::TolerantMode));
    });
}

}  // namespace toolkit
