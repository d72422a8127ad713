// The picture shown while Corvella starts. It closes after 2.5 seconds, or
// at once on a click or a key.
#pragma once

#include <QDialog>
#include <QRect>
#include <QTimer>

namespace corv {

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    QTimer Timer1; // 2500 ms, started when the window loads
    void CloseSplash();

    // Where the texts stand: the name, the version line, the contact line
    // and the notice, one below the other in the light band at the right.
    struct TextPlaces {
        QRect title, version, contact, notice;
    };
    TextPlaces textPlaces() const;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Load();
    // The window's size: the picture's 520 x 260, grown in its proportions
    // until the texts fit in their band, as they need to when the desktop
    // has large fonts.
    void fitToText();
};

} // namespace corv
