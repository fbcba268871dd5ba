// The body of every reader's fuzz target: the input bytes become a file,
// which the reader then reads like any other.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/models.h"

namespace tervan::fuzz {

inline const std::string& scratchPath() {
    static const std::string path = [] {
        char name[] = "/tmp/tervan-fuzz-XXXXXX";
        int fd = mkstemp(name);
        if (fd < 0) std::abort();
        close(fd);
        return std::string(name);
    }();
    return path;
}

inline int readAsFile(PointReader reader, const std::uint8_t* data, std::size_t size, const char* model = "") {
    const std::string& path = scratchPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    Program program;
    if (*model) program.settings.Model = model;
    ReaderContext ctx{program.store, program.stats, program.settings};
    if (reader(path, ctx) != 0) std::abort();
    return 0;
}

}  // namespace tervan::fuzz
