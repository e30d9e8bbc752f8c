// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV loader: parsing, then mapping the rows onto the table gocs.

#include <cstdint>

#include "store/csv.h"
#include "store/gocs_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const moraku::CsvParse csv = moraku::ParseCsv(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const moraku::GocsRows rows = moraku::GocsFromCsv(csv);
  // A parse that succeeded always has its header row.
  if (csv.ok() && csv.rows.empty()) __builtin_trap();
  (void)rows;
  return 0;
}
