#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include "app/icon.h"
#include <QLabel>

namespace tervan::gui {

AboutDialog::AboutDialog(const QString& settingsPlace, QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Tervan");
    setObjectName("aboutDialog");
    auto* icon = new QLabel;
    icon->setPixmap(programIcon().pixmap(48, 48));
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(new QLabel("Tervan Version 2.23"), 0, 1);
    layout->addWidget(new QLabel("Made by the Tervan developers"), 1, 1);
    layout->addWidget(new QLabel("Newer versions: https://tervan.example.org/"), 2, 1);
    auto* settings = new QLabel(settingsPlace);
    settings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(settings, 3, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 4, 0, 1, 2);
}

}  // namespace tervan::gui
