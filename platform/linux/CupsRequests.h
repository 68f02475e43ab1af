// The questions Vantric asks the CUPS scheduler about a job and a queue, through libcups. Each
// thread talks to the scheduler over its own connection (libcups keeps one per thread).
#pragma once

#include <QString>

#include "platform/PrintJobs.h"
#include "platform/linux/CupsJobState.h"

namespace vantric::cups {

// The job's state and the state of the queue it is in. A job the scheduler does not know has
// state 0; so has every job when the scheduler cannot be reached (the reason in *error).
JobAttributes AskJob(const PrintJobId& job, QString* error = nullptr);

// What the queue says about itself (printer-state-message: "Rejecting Jobs", the reason given
// to cupsreject or cupsdisable, a backend's last message); empty when it says nothing.
QString QueueMessage(const QString& queue);

}  // namespace vantric::cups
