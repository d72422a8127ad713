// The size of a chart picture about to be saved: width and height in
// pixels, offered as the chart's size on screen. OK checks both and keeps
// the window open, with a message, until they are sound.
#pragma once

#include "app/ChildWindow.h"

#include <QSize>

class QLabel;
class QPushButton;

namespace corv {

class TextBox;

class frmImageSize : public ModalWindow {
    Q_OBJECT
public:
    frmImageSize(const QSize &offered, QWidget *parent = nullptr);

    TextBox *txtWidth, *txtHeight;
    QLabel *lblHint;
    QPushButton *cmdOK, *cmdCancel;

    // The size chosen, once OK has accepted it.
    QSize chosenSize() const { return m_chosen; }

    void cmdOK_Click();

private:
    QSize m_chosen;
};

} // namespace corv
