// The picture shown while Corvella starts. It closes after 2.5 seconds, or
// at once on a click or a key.
#pragma once

#include <QDialog>
#include <QTimer>

namespace corv {

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    QTimer Timer1; // 2500 ms, started when the window loads
    void CloseSplash();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
};

} // namespace corv
