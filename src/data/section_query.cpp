#include "data/section_query.h"

#include "data/entry_table.h"

namespace moraku {

namespace {

#define MORAKU_HANDICAP_TAIL " FROM gocs WHERE one = '0' And substr(five, 1, 1) = '0' Order By five"
#define MORAKU_STAR_POINT_TAIL                                                           \
  " FROM gocs WHERE one = '0' And substr(five, 1, 1) = '1' Or substr(five, 1, 1) = '0' " \
  "Order By substr(five, 2)"

constexpr const char kHandicapQuery[] = "SELECT *" MORAKU_HANDICAP_TAIL;
constexpr const char kStarPointQuery[] = "SELECT *" MORAKU_STAR_POINT_TAIL;
constexpr const char kHandicapRowids[] = "SELECT rowid" MORAKU_HANDICAP_TAIL;
constexpr const char kStarPointRowids[] = "SELECT rowid" MORAKU_STAR_POINT_TAIL;

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

const char* SectionRowidQuery(int sectionIndex) {
  switch (sectionIndex) {
    case kHandicapSection:
      return kHandicapRowids;
    case kStarPointSection:
      return kStarPointRowids;
    default:
      return nullptr;
  }
}

}  // namespace moraku
