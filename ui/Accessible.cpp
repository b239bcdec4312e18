#include "Accessible.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QMenu>

namespace hl {

namespace {

const char* const kRole = "hardlensAccessibleRole";
const char* const kChecked = "hardlensAccessibleChecked";
const char* const kSelected = "hardlensAccessibleSelected";
const char* const kValue = "hardlensAccessibleValue";
const char* const kMinimum = "hardlensAccessibleMinimum";
const char* const kMaximum = "hardlensAccessibleMaximum";

// A drawn control: its role, the states kept in its properties and, for a slider, its value.
class DrawnInterface : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (const QVariant checked = object()->property(kChecked); checked.isValid()) {
            s.checkable = true;
            s.checked = checked.toBool();
        }
        if (const QVariant selected = object()->property(kSelected); selected.isValid()) {
            s.selectable = true;
            s.selected = selected.toBool();
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface && object()->property(kValue).isValid())
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return object()->property(kValue); }
    // The value changes through the control's own keys and pointer only.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return object()->property(kMaximum); }
    QVariant minimumValue() const override { return object()->property(kMinimum); }
    QVariant minimumStepSize() const override { return 1; }
};

// The window, with the pop-up menus it owns listed after its other parts while they are open.
class WindowInterface : public QAccessibleWidget {
public:
    explicit WindowInterface(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override {
        return QAccessibleWidget::childCount() + static_cast<int>(OpenMenus().size());
    }
    QAccessibleInterface* child(int index) const override {
        const int parts = QAccessibleWidget::childCount();
        if (index < parts) return QAccessibleWidget::child(index);
        const QList<QMenu*> menus = OpenMenus();
        if (index - parts >= menus.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(menus.at(index - parts));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int at = static_cast<int>(OpenMenus().indexOf(qobject_cast<QMenu*>(child->object())));
        return at < 0 ? QAccessibleWidget::indexOfChild(child)
                      : QAccessibleWidget::childCount() + at;
    }

private:
    QList<QMenu*> OpenMenus() const {
        QList<QMenu*> open;
        for (QMenu* menu : widget()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            if (menu->isVisible()) open << menu;
        return open;
    }
};

QAccessibleInterface* DrawnControl(const QString& className, QObject* object) {
    // Answered for the object's own class, before Qt's interface for a class it derives from.
    if (!object || !object->isWidgetType() || className != object->metaObject()->className())
        return nullptr;
    const QVariant role = object->property(kRole);
    if (!role.isValid()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (role.toInt() == QAccessible::Window) return new WindowInterface(widget);
    return new DrawnInterface(widget, static_cast<QAccessible::Role>(role.toInt()));
}

// Sets a state property and tells screen readers when it changed.
void SetState(QWidget* control, const char* name, bool on, QAccessible::State changed) {
    const QVariant before = control->property(name);
    control->setProperty(name, on);
    if (before.isValid() && before.toBool() == on) return;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void SetAccessibleRole(QWidget* control, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(DrawnControl);
        return true;
    }();
    (void)installed;
    control->setProperty(kRole, static_cast<int>(role));
}

void SetAccessibleChecked(QWidget* control, bool checked) {
    QAccessible::State changed;
    changed.checked = true;
    SetState(control, kChecked, checked, changed);
}

void SetAccessibleSelected(QWidget* control, bool selected) {
    QAccessible::State changed;
    changed.selected = true;
    SetState(control, kSelected, selected, changed);
}

void SetAccessibleValue(QWidget* control, int value, int minimum, int maximum) {
    control->setProperty(kMinimum, minimum);
    control->setProperty(kMaximum, maximum);
    if (control->property(kValue) == QVariant(value)) return;
    control->setProperty(kValue, value);
    QAccessibleValueChangeEvent event(control, value);
    QAccessible::updateAccessibility(&event);
}

} // namespace hl
