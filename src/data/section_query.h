#pragma once
// The two section queries over the table gocs, kept together in one place.

namespace moraku {

// The SELECT for section `sectionIndex` (kHandicapSection or kStarPointSection), or nullptr for
// any other number. Both select every column of gocs. Section 1 lists the codes beginning with
// '0' in the order of the whole code. Section 2 is read with SQL's precedence, (one = '0' And
// code '1') Or (code '0'), so a '0' entry is listed whatever its `one`, and it is ordered by the
// code without its first character, which interleaves the two kinds.
const char* SectionQuery(int sectionIndex);

// The same query selecting only each record's rowid: the section's filter and order, which an
// index holding the code and `one` answers without reading the records themselves.
const char* SectionRowidQuery(int sectionIndex);

}  // namespace moraku
