#include "Accessible.h"

#include <QAccessibleWidget>

namespace hl {

namespace {

const char* const kRole = "hardlensAccessibleRole";

QAccessibleInterface* DrawnControl(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (className != "hl::ControlLabel" && className != "hl::PictureBox" &&
        className != "hl::AcceptButton")
        return nullptr;
    const QVariant role = object->property(kRole);
    if (!role.isValid()) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object),
                                 static_cast<QAccessible::Role>(role.toInt()));
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

} // namespace hl
