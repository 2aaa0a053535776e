#pragma once

#include "hostsdk/HostSdkExport.h"

#include <QSpinBox>

namespace MaxSDK {

// The host's integer spinner: a right click on the arrows restores the reset value.
class HOSTSDK_API QmaxSpinBox : public QSpinBox
{
    Q_OBJECT
    Q_PROPERTY(int resetValue READ resetValue WRITE setResetValue)

public:
    explicit QmaxSpinBox(QWidget* parent = nullptr);
    ~QmaxSpinBox() override;

    int resetValue() const { return mResetValue; }
    void setResetValue(int value) { mResetValue = value; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Q_DISABLE_COPY(QmaxSpinBox)
    int mResetValue = 0;
};

} // namespace MaxSDK
