#include "cli_runner.h"

#include "core/settings.h"

#ifdef _WIN32
#include <windows.h>

#include <string>

#include "core/files.h"
#else
#include <sys/wait.h>

#include <cstdlib>
#endif

namespace tervan::test {

#ifdef _WIN32

// Quoted as CommandLineToArgvW and the runtime's startup code read it back:
// backslashes are plain unless they come before a double quote.
std::string shellQuote(const std::string& s) {
    std::string q = "\"";
    std::size_t backslashes = 0;
    for (char c : s) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        q.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        q += c;
        backslashes = 0;
    }
    q.append(2 * backslashes, '\\');
    return q + "\"";
}

// No shell: the program is started with its standard output and error in
// files, and its exit code is taken as it is. The files are new for every
// run: wine may let go of an ended program's handles a little later.
CliRun runCli(const ScratchDir& dir, const std::string& args) {
    static int runs = 0;
    const std::string n = std::to_string(++runs);
    std::string out = dir.file("stdout" + n), err = dir.file("stderr" + n);
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    auto create = [&](const std::string& path) {
        return CreateFileW(toUtf16(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0,
                           nullptr);
    };
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = create(out);
    startup.hStdError = create(err);
    std::wstring command = toUtf16(shellQuote(TERVAN_CLI) + " " + args);
    PROCESS_INFORMATION process{};
    DWORD status = static_cast<DWORD>(-1);
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    // Standard error is text, its lines ended as the system ends them.
    std::string errors = readFile(err);
    for (std::size_t at; (at = errors.find("\r\n")) != std::string::npos;) errors.erase(at, 1);
    return {static_cast<int>(status), readFile(out), errors};
}

#else

std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliRun runCli(const ScratchDir& dir, const std::string& args) {
    std::string out = dir.file("stdout"), err = dir.file("stderr");
    std::string cmd = std::string(TERVAN_CLI) + " " + args + " >" + shellQuote(out) + " 2>" + shellQuote(err);
    int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
}

#endif

std::string defaultsIni(const ScratchDir& dir) {
    const std::string path = dir.file("defaults.ini");
    Settings defaults;
    defaults.SaveSettings = 1;
    saveSettingsAtExit(defaults, path);
    return shellQuote(path);
}

}  // namespace tervan::test
