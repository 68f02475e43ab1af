#!/bin/sh
# A CUPS backend for the print tests: a printer that fails every job the way a jammed one does,
# saying so as a printer's backend says it, and ending with status 1 (CUPS_BACKEND_FAILED), so
# that the queue's error policy decides what becomes of the job. tools/cups-setup.sh installs it
# as the backend "vantricfail":
#   vantricfail:/now            fails each job at once
#   vantricfail:/when-released  holds each job as a slow printer does until the file
#                               /tmp/vantric-backend-release-JOB exists (JOB the job's number),
#                               then fails it; after ten minutes it fails it anyway (the file
#                               is the test's to remove)
# Called without arguments (as lpinfo does) it names its device.
if [ $# -eq 0 ]; then
    echo 'direct vantricfail "Unknown" "Vantric test printer that fails every job"'
    exit 0
fi
job=$1
# The job's data, from the file named or from standard input.
if [ $# -ge 6 ]; then cat "$6" >/dev/null; else cat >/dev/null; fi
case "${DEVICE_URI:-}" in
*when-released*)
    echo "INFO: Waiting for paper" >&2
    waited=0
    while [ ! -e "/tmp/vantric-backend-release-$job" ] && [ $waited -lt 6000 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    ;;
esac
echo "ERROR: Paper jam in tray 1" >&2
exit 1
