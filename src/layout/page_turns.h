// Which page the HUD shows after its paging commands: the one rule that the HUD and a tool telling
// what it will show both follow.
#pragma once

#include <cstdint>

#include "abi/host_records.h"

namespace vantor {

// The page after `command` from `page` of `pages`, with the HUD shown or not; a command other than
// Next Page and Prev Page leaves it. They page only while the HUD is shown: Next goes round from
// the last page to the first and, with no pages, stays; Prev goes from the first to the last and,
// with no pages, to -1, where nothing shows. A page before the first, which only that leaves,
// becomes the last at any Prev, shown or not.
inline std::int32_t pageAfter(std::int32_t command, bool shown, std::int32_t page,
                              std::int32_t pages) {
    if (command == kNextPageCommand) return shown && pages > 0 ? (page + 1) % pages : page;
    if (command != kPrevPageCommand) return page;
    if (shown) --page;
    return page < 0 ? pages - 1 : page;
}

}  // namespace vantor
