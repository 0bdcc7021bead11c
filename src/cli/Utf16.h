#pragma once

#include <QStringView>
#include <string_view>

namespace vantrel {

// A Qt text as the script language's plain C++ takes it, without a copy.
inline std::u16string_view utf16(QStringView text)
{
    return {text.utf16(), size_t(text.size())};
}

} // namespace vantrel
