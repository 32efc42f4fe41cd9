// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text from standard C++ (UTF-8 in std::string and std::string_view) to Qt.

#include <QString>
#include <string_view>

namespace numora::platform {

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace numora::platform
