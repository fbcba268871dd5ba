// "COM Properties": the serial settings and the direction of a transfer,
// chosen before every transfer.
#pragma once

#include <QDialog>
#include <vector>

#include "core/settings.h"
#include "serial/receiver.h"

class QComboBox;

namespace tervan::gui {

inline constexpr const char* kReceiveDirection = "1 Station to PC(Recieve)";
inline constexpr const char* kSendDirection = "2 PC to Station(Send)";

class ComPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // Each list shows the current value of its setting; the direction list
    // shows its first entry.
    explicit ComPropertiesDialog(const Settings& settings, QWidget* parent = nullptr);

    // Every setting whose list text is not empty takes that text.
    void applyTo(Settings& settings) const;
    Direction direction() const;

private:
    struct Row {
        QComboBox* list;
        std::string Settings::*setting;
    };
    std::vector<Row> rows_;
    QComboBox* direction_ = nullptr;
};

// Shows the dialog modally. On "OK" the settings and the direction are
// handed back and true is returned; on "Cancel" nothing changes.
bool askComProperties(QWidget* parent, Settings& settings, Direction& direction);

}  // namespace tervan::gui
