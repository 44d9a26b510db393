#pragma once

#include <QString>

namespace LanguageText {
// The text of a language flag: English for 1, Chinese otherwise. The
// sources hold both as UTF-8.
inline QString pick(int flag, const char *chinese, const char *english)
{
    return QString::fromUtf8(flag == 1 ? english : chinese);
}
} // namespace LanguageText
