#pragma once

#include <QRadioButton>

namespace platform {

// An option button: a click only ever turns it on; code may turn it off, even when it is the only one.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr) : QRadioButton(caption, parent) {
        setAutoExclusive(false);
    }

protected:
    void nextCheckState() override { setChecked(true); }
};

} // namespace platform
