#include "win/open_file_dialog.h"

#include <shobjidl.h>

#include <vector>

#include "core/files.h"
#include "desk/forms.h"

namespace tervan::win {

namespace {

// Leaves out of the first choice what desk::offeredAsInput leaves out. It
// lives on the stack of chooseInputFile, for as long as the dialog.
class InstrumentFiles final : public IShellItemFilter {
public:
    explicit InstrumentFiles(IFileDialog& dialog) : dialog_(dialog) {}
    virtual ~InstrumentFiles() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id != IID_IUnknown && id != IID_IShellItemFilter) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IShellItemFilter*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE IncludeItem(IShellItem* item) override {
        UINT choice = 0;
        SFGAOF attributes = 0;
        if (FAILED(dialog_.GetFileTypeIndex(&choice)) || choice != 1) return S_OK;
        if (SUCCEEDED(item->GetAttributes(SFGAO_FOLDER, &attributes)) && (attributes & SFGAO_FOLDER)) return S_OK;
        PWSTR wide = nullptr;
        if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &wide))) return S_OK;
        const std::string path = toUtf8(wide);
        CoTaskMemFree(wide);
        const std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
        const bool offered = desk::offeredAsInput(path.substr(folder.size()),
                                                  [&folder](const std::string& name) { return isFile(folder + name); });
        return offered ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetEnumFlagsForItem(IShellItem*, SHCONTF*) override { return E_NOTIMPL; }

private:
    IFileDialog& dialog_;
};

// An owner of a COM object of the shell.
template <class T>
struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
};

enum class Choice { Input, KnownPoints, Save };

// filters: the choices; an input's first choice leaves out what
// desk::offeredAsInput leaves out.
bool chooseFile(HWND owner, std::string& path, const std::vector<desk::FileFilter>& filters, Choice choice) {
    Com<IFileDialog> dialog;
    const bool save = choice == Choice::Save;
    if (FAILED(CoCreateInstance(save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileDialog, reinterpret_cast<void**>(&dialog.p))))
        return false;
    // "*.gsi;*.srd;...", and "*.*" for all files.
    std::vector<std::wstring> names, patterns;
    for (const desk::FileFilter& f : filters) {
        std::wstring joined;
        for (const std::string& p : f.patterns) joined += (joined.empty() ? L"" : L";") + toUtf16(p == "*" ? "*.*" : p);
        names.push_back(toUtf16(f.name) + L" (" + joined + L")");
        patterns.push_back(joined);
    }
    std::vector<COMDLG_FILTERSPEC> specs;
    for (std::size_t i = 0; i < names.size(); ++i) specs.push_back({names[i].c_str(), patterns[i].c_str()});
    dialog.p->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
    dialog.p->SetFileTypeIndex(1);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog.p->GetOptions(&options);
    dialog.p->SetOptions(options | (save ? FOS_OVERWRITEPROMPT : FOS_FILEMUSTEXIST) | FOS_PATHMUSTEXIST |
                         FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    if (!path.empty()) {
        const std::size_t slash = path.find_last_of("\\/");
        Com<IShellItem> folder;
        if (slash != std::string::npos &&
            SUCCEEDED(SHCreateItemFromParsingName(toUtf16(path.substr(0, slash + 1)).c_str(), nullptr, IID_IShellItem,
                                                  reinterpret_cast<void**>(&folder.p))))
            dialog.p->SetFolder(folder.p);
        dialog.p->SetFileName(toUtf16(slash == std::string::npos ? path : path.substr(slash + 1)).c_str());
    }
    InstrumentFiles filter(*dialog.p);
    if (choice == Choice::Input) dialog.p->SetFilter(&filter);
    Com<IShellItem> chosen;
    PWSTR wide = nullptr;
    if (dialog.p->Show(owner) != S_OK || FAILED(dialog.p->GetResult(&chosen.p)) ||
        FAILED(chosen.p->GetDisplayName(SIGDN_FILESYSPATH, &wide)))
        return false;
    path = toUtf8(wide);
    CoTaskMemFree(wide);
    return true;
}

}  // namespace

bool chooseInputFile(HWND owner, std::string& path) {
    return chooseFile(owner, path, desk::inputFilters(), Choice::Input);
}

bool chooseKnownPoints(HWND owner, std::string& path) {
    return chooseFile(owner, path, desk::knownPointsFilters(), Choice::KnownPoints);
}

bool chooseSaveFile(HWND owner, std::string& path) {
    return chooseFile(owner, path, desk::receiveLogFilters(), Choice::Save);
}

}  // namespace tervan::win
