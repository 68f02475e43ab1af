#!/usr/bin/env bash
# Starts a CUPS server (when none answers) with a PDF queue "VantricPDF" as the default printer,
# two more PDF queues that differ in their printable area, and queues on which a print does not
# reach paper (refusing, stopped, a failing printer), so that printing tests reach a real
# spooler. Installs nothing: ./dev installs the packages.
# Exits 1 when a scheduler or a queue could not be had (./dev then goes on, and the printing
# tests skip and say so; under CI it stops).
set -u

QUEUE=VantricPDF
say() { echo "cups-setup: $*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo -n "$@"; else return 1; fi
}

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
    say "cupsd or lpadmin missing"
    exit 1
fi

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    # No service manager in CI: start the daemon directly; it detaches by itself.
    as_root mkdir -p /run/cups /var/spool/cups-pdf/ANONYMOUS 2>/dev/null
    as_root cupsd >/dev/null 2>&1 || say "cupsd did not start"
    for _ in $(seq 1 50); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.2
    done
fi
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    say "no CUPS scheduler is running"
    exit 1
fi

ppd=""
for candidate in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd; do
    [ -f "$candidate" ] && { ppd=$candidate; break; }
done
if ! lpstat -v "$QUEUE" >/dev/null 2>&1; then
    if [ -n "$ppd" ]; then
        as_root lpadmin -p "$QUEUE" -E -v cups-pdf:/ -P "$ppd" || say "could not create $QUEUE"
    else
        as_root lpadmin -p "$QUEUE" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd ||
            say "could not create $QUEUE"
    fi
fi
# The queue turns PDF into PostScript for cups-pdf; with the default renderer the text of the
# spooled PDF comes back as unreadable Type 3 glyphs, with pdftocairo it stays text.
as_root lpadmin -p "$QUEUE" -o pdftops-renderer-default=pdftocairo >/dev/null 2>&1
as_root cupsenable "$QUEUE" >/dev/null 2>&1
as_root cupsaccept "$QUEUE" >/dev/null 2>&1
as_root lpadmin -d "$QUEUE" >/dev/null 2>&1 || say "could not make $QUEUE the default"

# Two more PDF queues for the tests of the printable area: one with the stock PPD, whose A4
# ImageableArea is the whole sheet, and one whose A4 ImageableArea leaves strips of a few points
# on each side (left 6, bottom 8, right 4, top 5), as many office printers have.
add_pdf_queue() { # name ppd
    lpstat -v "$1" >/dev/null 2>&1 || as_root lpadmin -p "$1" -E -v cups-pdf:/ -P "$2" ||
        say "could not create $1"
    as_root lpadmin -p "$1" -o pdftops-renderer-default=pdftocairo >/dev/null 2>&1
    as_root cupsenable "$1" >/dev/null 2>&1
    as_root cupsaccept "$1" >/dev/null 2>&1
}
if [ -n "$ppd" ]; then
    add_pdf_queue Vantric12Full "$ppd"
    strips=$(mktemp /tmp/vantric-strips-XXXXXX.ppd)
    sed -e 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "6 8 591 837"|' \
        -e 's|^\*NickName: .*|*NickName: "Generic CUPS-PDF Printer (A4 with unprintable strips)"|' \
        "$ppd" >"$strips"
    add_pdf_queue Vantric12Strips "$strips"
    rm -f "$strips"
fi

# Queues where a print does not reach paper, each kept in its state: one that rejects jobs, one
# that is stopped (it takes jobs and keeps them), and three on a printer that fails every job
# (tools/cups-failing-backend.sh): under the server's error policy, under abort-job, and one that
# holds each job until the test releases it. Jobs left in them are the tests' to cancel.
backends=$(cups-config --serverbin 2>/dev/null || echo /usr/lib/cups)/backend
if [ -n "$ppd" ] && [ -d "$backends" ]; then
    # Mode 0755: CUPS runs it as its unprivileged user.
    as_root install -m 0755 "$(dirname "$0")/cups-failing-backend.sh" "$backends/vantricfail" ||
        say "could not install the failing backend in $backends"
    add_outcome_queue() { # name uri [lpadmin options...]
        local name=$1 uri=$2
        shift 2
        lpstat -v "$name" >/dev/null 2>&1 || as_root lpadmin -p "$name" -E -v "$uri" -P "$ppd" "$@" \
            >/dev/null 2>&1 || say "could not create $name"
        as_root cupsaccept "$name" >/dev/null 2>&1
        as_root cupsenable "$name" >/dev/null 2>&1
    }
    add_outcome_queue VantricOutcomeRejecting cups-pdf:/
    as_root cupsreject -r "Vantric test queue: refuses every job" VantricOutcomeRejecting >/dev/null 2>&1
    add_outcome_queue VantricOutcomeStopped cups-pdf:/
    as_root cupsdisable -r "Vantric test queue: stopped" VantricOutcomeStopped >/dev/null 2>&1
    add_outcome_queue VantricOutcomeFailing vantricfail:/now
    add_outcome_queue VantricOutcomeAborting vantricfail:/now -o printer-error-policy=abort-job
    add_outcome_queue VantricOutcomeHeldUp vantricfail:/when-released
fi

out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
[ -n "$out" ] || out='${HOME}/PDF'
missing=""
for q in "$QUEUE" Vantric12Full Vantric12Strips VantricOutcomeRejecting VantricOutcomeStopped \
         VantricOutcomeFailing VantricOutcomeAborting VantricOutcomeHeldUp; do
    lpstat -v "$q" >/dev/null 2>&1 || missing="$missing $q"
done
if [ -n "$missing" ]; then
    say "no queue$missing"
    exit 1
fi
say "queues $QUEUE ($(lpstat -d 2>/dev/null)), Vantric12Full, Vantric12Strips; cups-pdf writes its files to $out"
say "queues where prints fail: VantricOutcomeRejecting, VantricOutcomeStopped, VantricOutcomeFailing, VantricOutcomeAborting, VantricOutcomeHeldUp"
exit 0
