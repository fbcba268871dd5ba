// The Calculate H, V, SD dialog: the three error sizes of the H, V, SD run.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;

namespace tervan::gui {

class HvsdDialog : public QDialog {
    Q_OBJECT
public:
    HvsdDialog(const std::string& dSD, const std::string& dH, const std::string& dV, QWidget* parent = nullptr);

    std::string dSD() const;
    std::string dH() const;
    std::string dV() const;

private:
    QComboBox* dSD_;
    QComboBox* dH_;
    QComboBox* dV_;
};

}  // namespace tervan::gui
