#include "desk/window_state.h"

#include <algorithm>

#include "core/ini.h"
#include "core/numbers.h"

namespace tervan::desk {
namespace {

constexpr const char* kRecent = "Recent";
constexpr const char* kWindow = "Window";

std::string fileKey(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

std::vector<std::string> loadRecentFiles(const std::string& iniPath) {
    IniDocument ini = IniDocument::load(iniPath);
    std::vector<std::string> files;
    for (std::size_t i = 0; i < kRecentFiles; ++i) {
        std::string path = ini.get(kRecent, fileKey(i));
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
    }
    return files;
}

bool saveRecentFiles(const std::string& iniPath, const std::vector<std::string>& files, std::string* reason) {
    IniDocument ini;
    if (std::string why; !loadToChange(iniPath, ini, why)) {
        if (reason) *reason = why;
        return false;
    }
    // A key left empty reads as no file.
    for (std::size_t i = 0; i < kRecentFiles; ++i) ini.set(kRecent, fileKey(i), i < files.size() ? files[i] : "");
    return ini.save(iniPath, reason);
}

void addRecentFile(std::vector<std::string>& files, const std::string& path) {
    std::erase(files, path);
    files.insert(files.begin(), path);
    if (files.size() > kRecentFiles) files.resize(kRecentFiles);
}

std::string recentFileLabel(const std::vector<std::string>& files, std::size_t index) {
    std::string label(1, '&');
    label += std::to_string(index + 1);
    label += ' ';
    for (char c : files.at(index)) {
        if (c == '&') label += '&';
        label += c;
    }
    return label;
}

std::optional<Placement> loadPlacement(const std::string& iniPath) {
    IniDocument ini = IniDocument::load(iniPath);
    Placement p{.x = toInteger(ini.get(kWindow, "Left")),
                .y = toInteger(ini.get(kWindow, "Top")),
                .width = toInteger(ini.get(kWindow, "Width")),
                .height = toInteger(ini.get(kWindow, "Height")),
                .maximized = ini.get(kWindow, "Maximized") == "Yes"};
    if (p.width <= 0 || p.height <= 0) return std::nullopt;
    return p;
}

bool savePlacement(const std::string& iniPath, const Placement& p, std::string* reason) {
    IniDocument ini;
    if (std::string why; !loadToChange(iniPath, ini, why)) {
        if (reason) *reason = why;
        return false;
    }
    ini.set(kWindow, "Left", std::to_string(p.x));
    ini.set(kWindow, "Top", std::to_string(p.y));
    ini.set(kWindow, "Width", std::to_string(p.width));
    ini.set(kWindow, "Height", std::to_string(p.height));
    ini.set(kWindow, "Maximized", p.maximized ? "Yes" : "No");
    return ini.save(iniPath, reason);
}

Placement firstPlacement(const Placement& screen) {
    // The grid of points wants about 1000 pixels at the usual font, the plan 320.
    constexpr int kWidth = 1360, kHeight = 760;
    Placement p{.x = 0, .y = 0, .width = std::min(kWidth, screen.width * 9 / 10),
                .height = std::min(kHeight, screen.height * 9 / 10), .maximized = false};
    p.x = screen.x + (screen.width - p.width) / 2;
    p.y = screen.y + (screen.height - p.height) / 2;
    return p;
}

Placement fitOnScreen(Placement p, const Placement& screen) {
    p.width = std::min(p.width, screen.width);
    p.height = std::min(p.height, screen.height);
    p.x = std::clamp(p.x, screen.x, screen.x + screen.width - p.width);
    p.y = std::clamp(p.y, screen.y, screen.y + screen.height - p.height);
    return p;
}

}  // namespace tervan::desk
