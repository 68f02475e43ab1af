// Kill-during-save trials of the settings file: a child process saves the print-margin record
// over and over and is killed with SIGKILL at a random moment of its second save (uniform over
// the time its first one took); the file it leaves is judged.
// Run at length by settings_kill_trial (bench/), briefly by the settings tests.
#pragma once

#include <QString>
#include <cstdint>

namespace vantric::killtrial {

enum class SaveKind {
    Record,    // SavePrintMargins: the seven keys in one update of the file
    KeyByKey,  // the same seven keys written one WriteProfileText at a time, for comparison
};

struct Options {
    int trials = 1000;
    SaveKind save = SaveKind::Record;
    bool secondName = false;  // give the file a hard link, so that saves rewrite it in place
    uint32_t seed = 1;
};

struct Counts {
    int trials = 0;
    int old = 0;     // the whole record as before the save that was killed
    int fresh = 0;   // the whole record that save wrote
    int mixed = 0;   // every byte in place, but margins from both records
    int torn = 0;    // anything else: other bytes changed, keys lost, a record never written
    int padded = 0;  // among old and fresh: a rewrite cut short before its NUL padding went
    int inSave = 0;  // kills that landed while a save was under way
    double saveMicroseconds = 0;  // mean time of one save (the first of each child)
};

// Runs the trials in a private folder under the system's temporary folder (VANTRIC_DRIVES is
// pointed there meanwhile) and removes it afterwards.
Counts Run(const Options& options);

}  // namespace vantric::killtrial
