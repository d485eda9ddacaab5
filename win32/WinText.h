// Text at the Windows API: UTF-16 there, UTF-8 everywhere inside.
#pragma once

#include <string>
#include <string_view>

namespace diduzozoz::win {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace diduzozoz::win
