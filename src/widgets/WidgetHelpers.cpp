#include "widgets/WidgetHelpers.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>

#include <cstring>

namespace {

bool isExactly(const QWidget* widget, const char* className)
{
    return std::strcmp(widget->metaObject()->className(), className) == 0;
}

QList<QWidget*> childWidgets(QWidget* parent)
{
    return parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

} // namespace

void SetObjEnabled(QWidget* widget, bool enabled)
{
    if (!widget)
        return;
    widget->setEnabled(enabled);
    if (isExactly(widget, "QLabel")) {
        QPalette palette = widget->palette();
        const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
        palette.setColor(QPalette::WindowText, QApplication::palette().color(group, QPalette::WindowText));
        widget->setPalette(palette);
        return;
    }
    if (isExactly(widget, "QGroupBox")) {
        for (QWidget* child : childWidgets(widget)) {
            SetObjEnabled(child, enabled);
            for (QWidget* grandchild : childWidgets(child))
                SetObjEnabled(grandchild, enabled);
        }
    }
}
