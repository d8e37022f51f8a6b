#pragma once

#include <QString>
#include <string>

// Inside the toolkit only: the one crossing between the program's GBK texts and Qt's
// Unicode strings.
namespace toolkit {

// Lenient: bytes that are not GBK show as U+FFFD and the rest of the text is kept.
QString FromGbk(const std::string& gbk);

// A character that GBK cannot hold becomes '?', as the Windows ANSI conversion does.
std::string ToGbk(const QString& text);

}  // namespace toolkit
