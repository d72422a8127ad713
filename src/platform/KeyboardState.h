// The states shown in the status bar's key panels: Caps Lock, Num Lock and
// Insert. On X11 the lock states come from the keyboard's indicators; where
// the platform does not tell them, they follow the key presses Corvella sees.
#pragma once

#include <QObject>

namespace corv {

class KeyboardState : public QObject {
    Q_OBJECT
public:
    explicit KeyboardState(QObject *parent = nullptr);
    ~KeyboardState() override;

    bool capsLock() const { return m_caps; }
    bool numLock() const { return m_num; }
    bool insertMode() const { return m_insert; }
    // Reads the indicators again where the platform offers them.
    void poll();

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool readIndicators(bool *caps, bool *num) const;
    void set(bool caps, bool num, bool insert);

    bool m_caps = false;
    bool m_num = false;
    bool m_insert = true;
    bool m_fromPlatform = false;
    const QEvent *m_lastEvent = nullptr;
    quint64 m_lastStamp = 0;
    int m_lastKey = 0;
};

} // namespace corv
