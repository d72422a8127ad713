#include "Forms.h"

#include <QHash>

namespace corv {

namespace {

struct Registry {
    QHash<int, CorvForm *> open;
    QHash<int, Forms::Factory> factories;
};

Registry &registry() {
    static Registry r;
    return r;
}

} // namespace

CorvForm *Forms::get(FormKind kind) {
    return registry().open.value(int(kind), nullptr);
}

void Forms::enroll(FormKind kind, CorvForm *form) {
    registry().open.insert(int(kind), form);
}

void Forms::withdraw(FormKind kind, CorvForm *form) {
    auto &open = registry().open;
    if (open.value(int(kind)) == form)
        open.remove(int(kind));
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
}

} // namespace corv
