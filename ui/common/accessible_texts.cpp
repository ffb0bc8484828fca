#include "accessible_texts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace ostrevo::ui {
namespace {

constexpr char kResultProperty[] = "ostrevoAccessibleResult";
// The role of a widget whose Qt role misleads: a top-level widget is a
// "filler" and a drawing a "filler" too, where screen readers expect a window
// (announced by its title) and a graphic.
constexpr char kRoleProperty[] = "ostrevoAccessibleRole";

// A label that shows a result. Qt's own accessible label reports its caption
// only while it has no accessible name; this one keeps the name ("ts [usec]
// risultato") and offers the caption ("1.221") as its read-only text, which is
// what a screen reader speaks and what its text interface reads.
class AccessibleResultLabel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleResultLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return caption();
        return QAccessibleWidget::text(kind);
    }

    // Read-only text without selection or cursor.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        return caption().mid(startOffset, endOffset < 0 ? -1 : endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(caption().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString caption() const { return static_cast<QLabel*>(widget())->text(); }
};

QAccessibleInterface* AccessibleFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && label->property(kResultProperty).toBool()) return new AccessibleResultLabel(label);
    const QVariant role = widget->property(kRoleProperty);
    if (role.isValid()) return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    return nullptr;
}

void InstallFactoryOnce() {
    static const bool installed = [] {
        QAccessible::installFactory(AccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

// Drops the accessible object Qt may have made already (setting a title or a
// name announces the widget), so that the next query makes it anew.
void RemakeAccessibleObject(QWidget& widget) {
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(&widget)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    }
}

}  // namespace

void PresentAsWindow(QWidget& window) {
    InstallFactoryOnce();
    window.setProperty(kRoleProperty, int{QAccessible::Window});
    RemakeAccessibleObject(window);
}

void DescribeControl(QWidget& control, const QString& name, const QString& description, AccessibleRole role) {
    control.setAccessibleName(name);
    control.setAccessibleDescription(description);
    if (role == AccessibleRole::Result) control.setProperty(kResultProperty, true);
    if (role == AccessibleRole::Picture) control.setProperty(kRoleProperty, int{QAccessible::Graphic});
    if (role == AccessibleRole::Result || role == AccessibleRole::Picture) RemakeAccessibleObject(control);
}

void PresentAsAnnouncer(QWidget& announcer) {
    InstallFactoryOnce();
    announcer.setProperty(kRoleProperty, int{QAccessible::Notification});
    announcer.setFixedSize(0, 0);
    announcer.hide();
    RemakeAccessibleObject(announcer);
}

// Shown and hidden at once: the screen reader reads the notification's name
// when it learns that it showed.
void Announce(QWidget& announcer, const QString& sentence) {
    announcer.setAccessibleName(sentence);
    announcer.show();
    announcer.hide();
}

}  // namespace ostrevo::ui
