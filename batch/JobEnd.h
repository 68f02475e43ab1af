// What vantric-batch says, and ends with, once a queue has taken its job: the job followed to
// its end as far as the print service tells it.
#pragma once

#include <QString>
#include <chrono>
#include <optional>

#include "platform/PrintJobs.h"

namespace batch {

// Names the job and its queue on stderr, follows it for at most `bound` (not at all without
// `follow`), says how it ended and returns the exit status that tells it. Without a job (a
// spooler that handed the document on before it could be found) says so of `printer`.
int FollowJobToItsEnd(const QString& printer, const std::optional<vantric::PrintJobId>& job,
                      bool follow, std::chrono::seconds bound);

}  // namespace batch
