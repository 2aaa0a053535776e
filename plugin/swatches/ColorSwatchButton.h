#pragma once

#include "swatches/MultiClickPushButton.h"

#include <QColor>
#include <QString>

class QPaintEvent;

// One stored color of the swatch panel: a button that shows the color, whose tooltip gives its
// name and its red, green and blue. Color and name are fixed for the button's life.
//
// The face is painted here, one pixel of the palette's mid tone around the exact color: styles
// shade a button's Button role into gradients and bevels, and native ones may ignore the palette
// altogether. The palette's Button role still carries the color for anything that asks it.
class ColorSwatchButton : public MultiClickPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSwatchButton)

public:
    // Width of the frame around the color.
    static constexpr int FrameWidth = 1;

    ColorSwatchButton(const QColor& color, int width, int height, const QString& name,
                      QWidget* parent = nullptr);
    ~ColorSwatchButton() override;

    // The stored color, alpha included.
    QColor color() const { return m_color; }
    QString name() const { return m_name; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    QString m_name;
    QString m_toolTipText;
};
