#include "app/open_file_dialog.h"

#include <QDir>
#include <QStandardPaths>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

#include "app/texts.h"
#include "desk/forms.h"

namespace tervan::gui {

QString filterText(const desk::FileFilter& filter) {
    QStringList patterns;
    for (const std::string& p : filter.patterns) patterns << QString::fromStdString(p);
    return QString::fromStdString(filter.name) + " (" + patterns.join(' ') + ")";
}

namespace {

// Hides the outputs of a conversion while the first choice is selected.
class InputFiles : public QSortFilterProxyModel {
public:
    InputFiles(QFileDialog& dialog, QString instrumentFilter)
        : QSortFilterProxyModel(&dialog), dialog_(dialog), instrumentFilter_(std::move(instrumentFilter)) {}

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (!files || dialog_.selectedNameFilter() != instrumentFilter_) return true;
        const QModelIndex index = files->index(row, 0, parent);
        if (files->isDir(index)) return true;
        const QDir folder(files->filePath(parent));
        return desk::offeredAsInput(toPath(files->fileName(index)), [&folder](const std::string& name) {
            return QFileInfo::exists(folder.filePath(fromPath(name)));
        });
    }

private:
    QFileDialog& dialog_;
    QString instrumentFilter_;
};

}  // namespace

bool chooseInputFile(QWidget* parent, std::string& path) {
    QFileDialog chooser(parent, "Open");
    chooser.setObjectName("openFileDialog");
    // The system's own dialog could not leave the outputs out.
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters;
    for (const desk::FileFilter& f : desk::inputFilters()) filters << filterText(f);
    chooser.setNameFilters(filters);
    auto* proxy = new InputFiles(chooser, filters.front());
    chooser.setProxyModel(proxy);
    QObject::connect(&chooser, &QFileDialog::filterSelected, proxy, &QSortFilterProxyModel::invalidate);
    QString initial = fromPath(path);
    // Before the first file: the user's documents (or, without such a
    // folder, the home folder), not the program's folder.
    if (initial.isEmpty())
        chooser.setDirectory(QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).exists()
                                 ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                 : QDir::homePath());
    else
        chooser.selectFile(initial);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return false;
    path = toPath(chooser.selectedFiles().constFirst());
    return true;
}

bool chooseSaveFile(QWidget* parent, std::string& path) {
    QFileDialog chooser(parent, "Save the received text");
    chooser.setObjectName("saveFileDialog");
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const desk::FileFilter& f : desk::receiveLogFilters()) filters << filterText(f);
    chooser.setNameFilters(filters);
    const QString initial = fromPath(path);
    if (QFileInfo(initial).isRelative())
        chooser.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    chooser.selectFile(initial);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return false;
    path = toPath(chooser.selectedFiles().constFirst());
    return true;
}

}  // namespace tervan::gui
