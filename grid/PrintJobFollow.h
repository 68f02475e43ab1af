// The window's follow of a print job: the print service is asked off the GUI thread, so the
// operator keeps working while a job makes its way, and the box comes when the answer does.
#pragma once

#include <chrono>

#include "platform/PrintJobs.h"

class QWidget;

namespace vantric {

// Follows `job` for at most `bound` on a thread of its own and tells the operator, in a
// "温馨提示" box on the GUI thread, when it failed or waits (JobReportText); nothing when it
// printed or is still printing. The box goes over the window of `asker`, or, when that is gone
// by then, over the window it was opened from; without either nobody is told.
void FollowAndTell(QWidget* asker, const PrintJobId& job,
                   std::chrono::milliseconds bound = kJobFollowBound);

// The follows still running; they end with the application (their answers untold).
int RunningFollows();

}  // namespace vantric
