// The tickets of multi-ticket mode: one carton total (1 to 999) per ticket, in the order added.
// Process-wide, empty at start, never saved.
#pragma once

#include <cstdint>
#include <vector>

using TicketCountArray = std::vector<int32_t>;

TicketCountArray& TicketCounts();
