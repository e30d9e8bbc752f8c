#include "data/section_query.h"

#include "data/entry_table.h"

namespace moraku {

namespace {

constexpr const char kHandicapQuery[] =
    "SELECT * FROM gocs WHERE one = '0' And substr(five, 1, 1) = '0' Order By five";

constexpr const char kStarPointQuery[] =
    "SELECT * FROM gocs WHERE one = '0' And substr(five, 1, 1) = '1' Or substr(five, 1, 1) = '0' "
    "Order By substr(five, 2)";

}  // namespace

const char* SectionQuery(int sectionIndex) {
  switch (sectionIndex) {
    case kHandicapSection:
      return kHandicapQuery;
    case kStarPointSection:
      return kStarPointQuery;
    default:
      return nullptr;
  }
}

}  // namespace moraku
