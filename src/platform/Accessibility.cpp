#include "Accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QRect>
#include <QVariant>

namespace corv {

namespace {

const char LiveProperty[] = "corvLiveText";
const char RoleProperty[] = "corvAccessibleRole";

// A label whose text is news: a status bar, with a text a screen reader can
// read and be told of changes to. Read only: nothing in it can be selected.
class LiveLabel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LiveLabel(QLabel *label) : QAccessibleWidget(label, QAccessible::StatusBar) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return shown();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    // The text interface, over the whole text.
    QString text(int start, int end) const override {
        const QString all = shown();
        start = qBound(0, start, int(all.size()));
        end = end < 0 ? int(all.size()) : qBound(start, end, int(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return int(shown().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    QString shown() const { return static_cast<const QLabel *>(widget())->text(); }
};

QAccessibleInterface *corvellaAccessibles(const QString &, QObject *object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (widget->property(LiveProperty).toBool())
        if (auto *label = qobject_cast<QLabel *>(widget))
            return new LiveLabel(label);
    const QVariant role = widget->property(RoleProperty);
    if (role.isValid())
        return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
    return nullptr;
}

// A widget that assistive technology has been told of already (setting its
// accessible name does that) has Qt's interface in the cache: it goes, so
// the next question about the widget gets ours.
void dropCachedInterface(QWidget *widget, QAccessible::Role role) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *cached = QAccessible::queryAccessibleInterface(widget);
    if (cached && cached->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

// Factories installed later are asked first: ours comes after Qt's own and
// so is asked before them, for the few widgets it marks.
void installFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(corvellaAccessibles);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

void announceChanges(QLabel *label) {
    installFactory();
    label->setProperty(LiveProperty, true);
    dropCachedInterface(label, QAccessible::StatusBar);
}

void setLiveText(QLabel *label, const QString &text) {
    const QString before = label->text();
    if (before == text)
        return;
    // The label itself reports its name changed.
    label->setText(text);
    if (label->property(LiveProperty).toBool() && QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(label, 0, before, text);
        QAccessible::updateAccessibility(&event);
    }
}

void setAccessibleRole(QWidget *widget, QAccessible::Role role) {
    installFactory();
    widget->setProperty(RoleProperty, int(role));
    dropCachedInterface(widget, role);
}

} // namespace corv
