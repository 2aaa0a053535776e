#include "HostColorSwatch.h"

#include "HostColorText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {

constexpr int kSwatchWidth = 64;
constexpr int kSwatchHeight = 22;

QString ModeText(HostColorSwatch::Request request)
{
    switch (request) {
    case HostColorSwatch::Request::ModalAColor:
        return HostColorSwatch::tr("modal");
    case HostColorSwatch::Request::ModalPacked:
        return HostColorSwatch::tr("modal, packed");
    case HostColorSwatch::Request::ModelessAColor:
        return HostColorSwatch::tr("modeless");
    case HostColorSwatch::Request::ModelessPacked:
        return HostColorSwatch::tr("modeless, packed");
    }
    return QString();
}

} // namespace

HostColorSwatch::HostColorSwatch(const QString& label, Request request, const AColor& color,
                                 QWidget* parent)
    : QWidget(parent), mLabel(label), mRequest(request), mLabelWidget(new QLabel(this)),
      mButton(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mLabelWidget->setText(tr("%1 (%2)").arg(label, ModeText(request)));
    mLabelWidget->setBuddy(mButton);
    mButton->setFixedSize(kSwatchWidth, kSwatchHeight);
    mButton->setAutoRaise(false);
    mButton->setAccessibleName(label);
    layout->addWidget(mLabelWidget, 1);
    layout->addWidget(mButton);
    connect(mButton, &QToolButton::clicked, this, &HostColorSwatch::pickRequested);
    setColor(color);
}

bool HostColorSwatch::isModeless() const
{
    return mRequest == Request::ModelessAColor || mRequest == Request::ModelessPacked;
}

bool HostColorSwatch::isPacked() const
{
    return mRequest == Request::ModalPacked || mRequest == Request::ModelessPacked;
}

void HostColorSwatch::setColor(const AColor& color)
{
    mColor = color;
    const QString hex = HostColorText::Print(color, HostColorText::Format::Hex);
    // A style sheet, not the palette: some styles ignore a button's palette.
    mButton->setStyleSheet(
        QStringLiteral("QToolButton { background-color: %1; border: 1px solid #303030; }")
            .arg(hex));
    mButton->setToolTip(hex);
}
