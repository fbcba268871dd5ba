#include "fuzz_outputs.h"

#include <string>
#include <vector>

#include "conversion/observation_table.h"
#include "conversion/output_set.h"
#include "levelling/hvsd.h"

namespace tervan::fuzz {

void writeNowhere(Session& session, Result& result) {
    static const std::vector<std::string> header = {"  0", "SECTION", "LEVEL", "NAMES", "POINTS", "````", "  0",
                                                    "TABLE", "  2", "LAYER", " 70", "     1", "  0", "ENDTAB"};
    // The drawing with a layer per code, which reads the header's layer table.
    Settings drawing = session.settings;
    drawing.LayerPerCode = 1;
    applyOffsets(session.store, session.settings);
    if (session.settings.x1000) {
        for (std::size_t i = 0; i < session.store.points.size(); ++i)
            session.store.points.edit(i, [](Point& p) {
                p.X *= 1000;
                p.Y *= 1000;
                p.Z *= 1000;
            });
    }
    buildObservationTable(result.message, session.inputPath, session.store.points);
    for (const OutputEntry& entry : outputs()) {
        OutputFile nowhere;
        if (entry.drawing)
            entry.drawing(nowhere, session.store.points, drawing, header);
        else
            entry.write(nowhere, session.store.points, session.settings);
    }
    calculateHvsd(session.store, session.rng, session.errors);
}

}  // namespace tervan::fuzz
