// settings_kill_trial [TRIALS [SEED]]: kills a program saving the print margins at random moments
// and counts what the settings file holds afterwards, for the three ways a save can go.
#include <cstdio>
#include <cstdlib>

#include "KillTrial.h"

using namespace vantric::killtrial;

int main(int argc, char** argv) {
    const int trials = argc > 1 ? std::atoi(argv[1]) : 1000;
    const auto seed = static_cast<uint32_t>(argc > 2 ? std::atoi(argv[2]) : 1);
    struct Way {
        const char* name;
        SaveKind save;
        bool secondName;
    } ways[] = {
        {"record, replaced beside", SaveKind::Record, false},
        {"record, rewritten in place (hard link)", SaveKind::Record, true},
        {"key by key (for comparison)", SaveKind::KeyByKey, false},
    };
    std::printf("%-40s %7s %7s %7s %7s %7s %7s %7s %9s\n", "save", "trials", "old", "new", "mixed",
                "torn", "padded", "in-save", "save-us");
    bool wholeEveryTime = true;
    for (const Way& way : ways) {
        const Counts c = Run({trials, way.save, way.secondName, seed});
        std::printf("%-40s %7d %7d %7d %7d %7d %7d %7d %9.0f\n", way.name, c.trials, c.old, c.fresh,
                    c.mixed, c.torn, c.padded, c.inSave, c.saveMicroseconds);
        if (way.save == SaveKind::Record) {
            wholeEveryTime =
                wholeEveryTime && c.mixed == 0 && c.torn == 0 && c.old + c.fresh == c.trials;
        }
    }
    return wholeEveryTime ? 0 : 1;
}
