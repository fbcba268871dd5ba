// The session: what lives as long as the window (or one run of the command
// line) and every conversion works on. Each conversion returns its own
// result by value (core/result.h); the session keeps only what lasts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/point_store.h"
#include "core/rng.h"
#include "core/settings.h"
#include "levelling/hvsd.h"

namespace tervan {

struct Session {
    Settings settings;

    std::string programFolder;  // ends in the path separator
    std::string iniPath;        // the settings file, read and written
    // An installed program: the settings file beside it, read instead while
    // the user's iniPath does not exist yet; "" in the portable layout.
    std::string iniDefaults;
    std::string dxfHeaderPath;
    std::string logFolder;      // the receive logs; ends in the path separator
    std::string inputPath;      // the current input path
    // The file the last conversion read, as it was open: no output may
    // replace it, even where inputPath names another file by now.
    FileId inputId;
    // Why the settings file could not be read ("" when it was, or when
    // there is none yet): the window then saves nothing over it.
    std::string settingsError;

    // The records of the last conversion, the current orientation and the
    // send cursor.
    PointStore store;

    Rng rng;
    std::optional<std::uint32_t> fixedSeed;  // replaces the clock seed (--seed)

    // The outputs are written on this many threads at once (0: one per
    // core); the files are the same bytes on any number.
    unsigned writerThreads = 0;
    // false when nobody will see the message text (the command line's -q):
    // a conversion then builds no observation table.
    bool observationText = true;

    // The H, V, SD error sizes in force; a run takes new ones only from
    // settings that read above 1e-7.
    ErrorSizes errors;
};

// The settings file, the DXF header and the receive logs beside the program
// (the portable layout): folder ends in the path separator.
void setProgramFolder(Session& session, const std::string& folder);

// The folders of the user's own files: $XDG_CONFIG_HOME/tervan/ and
// $XDG_DATA_HOME/tervan/ (each, when unset or not absolute, under $HOME as
// .config and .local/share); both "" without a home folder.
struct UserFolders {
    std::string config, data;  // each ends in the path separator
};
UserFolders userFolders(const char* configHome, const char* dataHome, const char* home);

// The same on Windows: %APPDATA%\Tervan\ for the settings and
// %LOCALAPPDATA%\Tervan\ for the receive logs (the roaming folder when
// there is no local one); both "" without APPDATA.
UserFolders windowsUserFolders(const std::string& appData, const std::string& localAppData);

// Whether folder lies inside one of roots (the system's folders of
// installed programs), letter case and the separators' kind aside.
bool insideAnyOf(const std::string& folder, const std::vector<std::string>& roots);

// An installed program, whose folder cannot be written: the settings file
// and the receive logs move to the user's folders. The settings file beside
// the program is read as long as the user has none, and a dxf_header.txt
// of the user's is taken before the program's.
void useUserFolders(Session& session, const UserFolders& user);

// Where the program keeps its files: beside it when its folder can be
// written or there is no home folder, else in the user's folders. On
// Windows a program in Program Files is an installed one even for a user
// who may write there, so that everyone keeps settings of their own.
void placeProgramFiles(Session& session, const std::string& programFolder);

// The settings file to read: iniPath, or iniDefaults while iniPath does not
// exist.
std::string settingsToRead(const Session& session);

// Before the window first writes an installed program's settings: the
// user's file starts as a copy of the one beside the program, so that
// nothing the saves leave out is lost. false when it cannot be made.
bool prepareSettingsFile(const Session& session);

// Seeds the generator from the clock (seconds since the epoch), or from
// fixedSeed when one is set.
void seedFromClock(Session& session);

}  // namespace tervan
