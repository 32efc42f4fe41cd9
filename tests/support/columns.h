// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A data table's columns in one line: AddColumns<int, QString>("level", "rule").

#include <QtTest>

namespace numora::testing {

template <typename... Types, typename... Names>
void AddColumns(Names... names) {
  static_assert(sizeof...(Types) == sizeof...(Names), "one name for each column's type");
  (QTest::addColumn<Types>(names), ...);
}

}  // namespace numora::testing
