#include "fuzz_outputs.h"

#include <string>
#include <vector>

#include "conversion/observation_table.h"
#include "conversion/output_set.h"
#include "levelling/hvsd.h"

namespace tervan::fuzz {

void writeNowhere(Session& session, Result& result) {
    static const std::vector<std::string> header = {"  0", "SECTION", "LEVEL", "NAMES", "POINTS", "````"};
    applyOffsets(session.store, session.settings);
    if (session.settings.x1000) {
        for (Point& p : session.store.points) {
            p.X *= 1000;
            p.Y *= 1000;
            p.Z *= 1000;
        }
    }
    buildObservationTable(result.message, session.inputPath, session.store.points);
    for (const OutputEntry& entry : outputs()) {
        OutputFile nowhere;
        if (entry.drawing)
            entry.drawing(nowhere, session.store.points, session.settings, header);
        else
            entry.write(nowhere, session.store.points, session.settings);
    }
    calculateHvsd(session.store, session.rng, session.errors);
}

}  // namespace tervan::fuzz
