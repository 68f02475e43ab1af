// How the Windows spooler's status of a job and of its printer read as the job's end. The
// spooler words no state: it sets status bits (JOB_STATUS_*, PRINTER_STATUS_*), and a port
// monitor or driver may add a text of its own (JOB_INFO_1's pStatus), which is quoted as it
// stands. A printed job leaves the queue unless the printer keeps printed documents.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "platform/PrintJobs.h"

namespace vantric::spooler {

// What keeps a printer from taking a job, from PRINTER_INFO_2's Status and Attributes.
PrinterReadiness ReadinessOf(uint32_t printerStatus, uint32_t printerAttributes);

struct JobStatus {
    bool inQueue = false;  // GetJob found it
    uint32_t status = 0;   // JOB_INFO_1's Status
    QString text;          // JOB_INFO_1's pStatus
    uint32_t printerStatus = 0;
};

// The job's end as far as the spooler tells it; none while it is still on its way. `earlier`
// is the status of the job when last found, for a job the queue no longer holds.
std::optional<JobReport> JobEndOf(const JobStatus& now, uint32_t earlier);

}  // namespace vantric::spooler
