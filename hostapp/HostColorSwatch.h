#pragma once

#include "acolor.h"

#include <QWidget>

class QLabel;
class QToolButton;

// A labelled color swatch of the host, like the color buttons of a material editor: it shows
// its color and asks for a picker when clicked. How it asks, modal or modeless and with the
// color as four floats or packed, is fixed when it is made.
class HostColorSwatch : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(HostColorSwatch)

public:
    enum class Request
    {
        ModalAColor,
        ModalPacked,
        ModelessAColor,
        ModelessPacked
    };

    HostColorSwatch(const QString& label, Request request, const AColor& color,
                    QWidget* parent = nullptr);

    QString label() const { return mLabel; }
    Request request() const { return mRequest; }
    bool isModeless() const;
    bool isPacked() const;

    AColor color() const { return mColor; }
    void setColor(const AColor& color);
    // The button the user clicks; its face shows the color.
    QToolButton* button() const { return mButton; }

signals:
    void pickRequested();

private:
    QString mLabel;
    Request mRequest;
    AColor mColor;
    QLabel* mLabelWidget = nullptr;
    QToolButton* mButton = nullptr;
};
