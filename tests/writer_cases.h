// Golden cases of the writers: tests/data/writers/<case>/ holds points.txt
// (one record a line: isStation;SN;N;X;Y;Z;IH;TH;V;H;SD), settings.ini, an
// optional header.txt (the DXF header) and the expected outputs job.*.
#pragma once

#include <string>

namespace tervan::test {

// Loads the case, runs the offset step and the output set as a conversion of
// job.txt does, and compares every file written with the expected one: a
// missing, surplus or differing file fails the test.
void checkWriterCase(const std::string& name);

}  // namespace tervan::test
