// SPDX-License-Identifier: GPL-3.0-or-later
// The SGF importer: parsing a file, taking its paths as entries, then naming each entry's line.
// Input: one byte for the default preset count and the section, then the file.

#include <cstdint>

#include "sgf/line_namer.h"
#include "sgf/sgf_import.h"
#include "sgf/sgf_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  moraku::SgfImportOptions options;
  options.defaultPreset = data[0] % 24;
  options.section = QChar(u'0' + data[0] % 3);
  QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  const moraku::sgf::ParseResult parsed = moraku::sgf::Parse(std::move(bytes));
  if (!parsed.ok()) return 0;
  const moraku::SgfPaths paths = moraku::EntriesFromSgf(parsed.collection, options);
  for (const moraku::SgfEntry& entry : paths.entries) {
    // Every entry is whole triples and its preset stones lie within it.
    if (entry.stones.size() % 3 != 0) __builtin_trap();
    if (entry.presetCount < 0 || 3 * entry.presetCount > entry.stones.size()) __builtin_trap();
    // Every entry's line can be named (or not) from its stones.
    const std::optional<std::vector<moraku::LineMove>> moves = moraku::MovesOfStones(entry.stones);
    if (!moves) __builtin_trap();
    moraku::NameLine(*moves, entry.presetCount, moraku::OpeningOfSection(entry.section)).Title();
  }
  return 0;
}
