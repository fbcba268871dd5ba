// What the window keeps in the settings file beside the settings: the files
// opened last ("Recent files", section "Recent") and the window's place on
// the screen (section "Window"). Both are written, as the settings are,
// only when SaveSettings is set.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tervan::desk {

inline constexpr std::size_t kRecentFiles = 8;

// The files opened last, newest first.
std::vector<std::string> loadRecentFiles(const std::string& iniPath);
// false, with the reason when asked, when the file cannot be saved (or is
// there but cannot be read, and so is not saved over).
bool saveRecentFiles(const std::string& iniPath, const std::vector<std::string>& files,
                     std::string* reason = nullptr);
// path to the front of files, once, and no more than kRecentFiles of them.
void addRecentFile(std::vector<std::string>& files, const std::string& path);
// The menu entry of files[index]: "&1 /data/job.txt", with the "&" of the
// path doubled so that it shows.
std::string recentFileLabel(const std::vector<std::string>& files, std::size_t index);

// The window's place and size in pixels of the screen; when maximized, the
// place it returns to.
struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
    bool maximized = false;
};

std::optional<Placement> loadPlacement(const std::string& iniPath);
// false as saveRecentFiles.
bool savePlacement(const std::string& iniPath, const Placement& placement, std::string* reason = nullptr);
// The window's place at the first start: wide enough for every column of
// the grid of points beside the plan where the screen allows, at most nine
// tenths of the screen area given each way, centred on it.
Placement firstPlacement(const Placement& screen);
// The placement moved and, where needed, made smaller so that the whole
// window is on the screen area given (a screen that has gone, a smaller one).
Placement fitOnScreen(Placement placement, const Placement& screen);

}  // namespace tervan::desk
