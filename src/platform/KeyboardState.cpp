#include "KeyboardState.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace corv {

KeyboardState::KeyboardState(QObject *parent) : QObject(parent) {
    qApp->installEventFilter(this);
    bool caps = false, num = false;
    m_fromPlatform = readIndicators(&caps, &num);
    m_caps = caps;
    m_num = num;
}

KeyboardState::~KeyboardState() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void KeyboardState::poll() {
    bool caps = m_caps, num = m_num;
    if (readIndicators(&caps, &num))
        set(caps, num, m_insert);
}

void KeyboardState::set(bool caps, bool num, bool insert) {
    if (caps == m_caps && num == m_num && insert == m_insert)
        return;
    m_caps = caps;
    m_num = num;
    m_insert = insert;
    emit changed();
}

bool KeyboardState::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // A key the focus widget ignores travels on to its parents and passes
        // this filter again: count each press once.
        if (key->isAutoRepeat() ||
            (event == m_lastEvent && key->timestamp() == m_lastStamp && key->key() == m_lastKey))
            return false;
        m_lastEvent = event;
        m_lastStamp = key->timestamp();
        m_lastKey = key->key();
        bool caps = m_caps, num = m_num, insert = m_insert;
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier)
            insert = !insert;
        if (m_fromPlatform) {
            // The indicator changes only after the key is handled.
            QMetaObject::invokeMethod(this, &KeyboardState::poll, Qt::QueuedConnection);
        } else {
            if (key->key() == Qt::Key_CapsLock)
                caps = !caps;
            if (key->key() == Qt::Key_NumLock)
                num = !num;
        }
        set(caps, num, insert);
    }
    return false;
}

// Xlib's headers define macros (KeyPress, Bool, None...) that clash with
// Qt's names, so they come last.
} // namespace corv

#if defined(CORVELLA_HAVE_XKB)
#include <X11/XKBlib.h>
#endif

namespace corv {

bool KeyboardState::readIndicators(bool *caps, bool *num) const {
#if defined(CORVELLA_HAVE_XKB)
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    Bool capsOn = False, numOn = False;
    const Atom capsAtom = XInternAtom(display, "Caps Lock", False);
    const Atom numAtom = XInternAtom(display, "Num Lock", False);
    if (!XkbGetNamedIndicator(display, capsAtom, nullptr, &capsOn, nullptr, nullptr) ||
        !XkbGetNamedIndicator(display, numAtom, nullptr, &numOn, nullptr, nullptr))
        return false;
    *caps = capsOn;
    *num = numOn;
    return true;
#else
    Q_UNUSED(caps);
    Q_UNUSED(num);
    return false;
#endif
}

} // namespace corv
