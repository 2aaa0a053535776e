#pragma once

#include "swatches/MultiClickPushButton.h"

#include <QColor>
#include <QString>

// One stored color of the swatch panel: a button painted in the color (through its palette's
// Button role) whose tooltip gives its name and its red, green and blue. Color and name are fixed
// for the button's life.
class ColorSwatchButton : public MultiClickPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSwatchButton)

public:
    ColorSwatchButton(const QColor& color, int width, int height, const QString& name,
                      QWidget* parent = nullptr);
    ~ColorSwatchButton() override;

    // The stored color, alpha included.
    QColor color() const { return m_color; }
    QString name() const { return m_name; }

private:
    QColor m_color;
    QString m_name;
    QString m_toolTipText;
};
