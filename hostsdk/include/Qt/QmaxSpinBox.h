#pragma once

#include "hostsdk/HostSdkExport.h"

#include <QDoubleSpinBox>
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

public slots:
    void setResetValue(int value) { mResetValue = value; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Q_DISABLE_COPY(QmaxSpinBox)
    int mResetValue = 0;
};

// The host's floating-point spinner: a right click on the arrows restores the reset value.
class HOSTSDK_API QmaxDoubleSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
    Q_PROPERTY(double resetValue READ resetValue WRITE setResetValue)

public:
    explicit QmaxDoubleSpinBox(QWidget* parent = nullptr);
    ~QmaxDoubleSpinBox() override;

    double resetValue() const { return mResetValue; }

public slots:
    void setResetValue(double value) { mResetValue = value; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Q_DISABLE_COPY(QmaxDoubleSpinBox)
    double mResetValue = 0.0;
};

} // namespace MaxSDK
