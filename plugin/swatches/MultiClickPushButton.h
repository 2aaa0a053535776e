#pragma once

#include <QPushButton>

class QMouseEvent;

// A push button with one action per mouse button. It acts at the press, not at the release: a
// left, middle or right press emits that button's signal and nothing else; a press of any other
// button (the side buttons) or of a disabled one emits clicked(false). The button never shows
// itself pressed and the press does not go on to the parent.
class MultiClickPushButton : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(MultiClickPushButton)

public:
    explicit MultiClickPushButton(QWidget* parent = nullptr);
    ~MultiClickPushButton() override;

signals:
    void leftClicked();
    void middleClicked();
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool leftClickEnabled = true;
    bool middleClickEnabled = true;
    bool rightClickEnabled = true;
};
