#include "modal_driver.h"

#include <QDialog>
#include <QDir>

namespace tervan::test {

ModalDriver::ModalDriver(int deadlineMs) : deadlineMs_(deadlineMs) {
    connect(&timer_, &QTimer::timeout, this, &ModalDriver::poll);
    clock_.start();
    timer_.start(10);
}

void ModalDriver::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (clock_.elapsed() > deadlineMs_) {
        timedOut_ = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        return;
    }
    if (steps_.empty() || !modal || !modal->isVisible()) return;
    if (steps_.front()(modal)) steps_.pop_front();
}

void screenshot(QWidget* widget, const char* name) {
    QDir().mkpath(TERVAN_SCREENSHOTS);
    widget->grab().save(QString(TERVAN_SCREENSHOTS) + "/" + name);
}

}  // namespace tervan::test
