#include "app/model/TicketCounts.h"

TicketCountArray& TicketCounts() {
    static TicketCountArray counts;
    return counts;
}
