#include "Forms.h"

#include "CorvModule.h"

#include <QHash>
#include <QSet>

namespace corv {

namespace {

struct Registry {
    QHash<int, CorvForm *> open;
    QHash<int, Forms::Factory> factories;
    // The kinds whose window the main window's command opened.
    QSet<int> commanded;
};

Registry &registry() {
    static Registry r;
    return r;
}

} // namespace

OpenFlag::operator bool() const {
    const Registry &r = registry();
    return r.commanded.contains(int(m_kind)) && r.open.contains(int(m_kind));
}

OpenFlag &OpenFlag::operator=(bool on) {
    if (on)
        registry().commanded.insert(int(m_kind));
    else
        registry().commanded.remove(int(m_kind));
    return *this;
}

QString ActiveMarker::text() const {
    if (m_window)
        return Forms::get(m_window->kind) ? m_window->markerText() : CorvModule::NoOne;
    return m_other;
}

ActiveMarker &ActiveMarker::operator=(const QString &marker) {
    m_window = windowByMarker(marker);
    m_other = m_window ? QString() : marker;
    return *this;
}

const WindowKind *ActiveMarker::window() const {
    return m_window && Forms::get(m_window->kind) ? m_window : nullptr;
}

CorvForm *Forms::get(FormKind kind) {
    return registry().open.value(int(kind), nullptr);
}

void Forms::enroll(FormKind kind, CorvForm *form) {
    registry().open.insert(int(kind), form);
}

void Forms::withdraw(FormKind kind, CorvForm *form) {
    auto &open = registry().open;
    if (open.value(int(kind)) == form) {
        open.remove(int(kind));
        // The window has gone: so has its open flag.
        registry().commanded.remove(int(kind));
    }
}

void Forms::setFactory(FormKind kind, Factory factory) {
    registry().factories.insert(int(kind), std::move(factory));
}

Forms::Factory Forms::factory(FormKind kind) {
    return registry().factories.value(int(kind));
}

void Forms::reset() {
    registry().open.clear();
    registry().factories.clear();
    registry().commanded.clear();
}

} // namespace corv
