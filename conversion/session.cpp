#include "conversion/session.h"

#include <ctime>

namespace tervan {

void setProgramFolder(Session& session, const std::string& folder) {
    session.programFolder = folder;
    session.iniPath = folder + "Tervan.ini";
    session.dxfHeaderPath = folder + "dxf_header.txt";
}

void seedFromClock(Session& session) {
    session.rng.seed(session.fixedSeed ? *session.fixedSeed : static_cast<std::uint32_t>(std::time(nullptr)));
}

}  // namespace tervan
