#include "app/send_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/texts.h"

namespace tervan::gui {

namespace {

QPushButton* button(const char* text, QWidget* parent) {
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setAutoDefault(false);  // Enter in the edit field sends nothing
    return b;
}

}  // namespace

SendDialog::SendDialog(Sender& sender, QWidget* parent)
    : QDialog(parent),
      sender_(sender),
      edit_(new QLineEdit(this)),
      all_(button("&All", this)),
      send_(button("&Send", this)),
      skip_(button("Ski&p", this)) {
    setWindowTitle(QStringLiteral("Send serial data"));
    edit_->setReadOnly(true);
    edit_->setMinimumWidth(360);
    QPushButton* stop = button("St&op", this);
    connect(all_, &QPushButton::clicked, this, [this] { run(&Sender::all); });
    connect(send_, &QPushButton::clicked, this, [this] { run(&Sender::send); });
    connect(skip_, &QPushButton::clicked, this, [this] { run(&Sender::skip); });
    connect(stop, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {all_, send_, skip_, stop}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addLayout(buttons);
    refresh();
}

void SendDialog::run(void (Sender::*action)()) {
    // A record cannot be started twice while the port takes the last one.
    for (QPushButton* b : {all_, send_, skip_}) b->setEnabled(false);
    (sender_.*action)();
    refresh();
}

void SendDialog::refresh() {
    edit_->setText(fromMik(sender_.text()));
    for (QPushButton* b : {all_, send_, skip_}) b->setEnabled(sender_.buttonsEnabled());
}

}  // namespace tervan::gui
