#include "widgets/WheelNeedsFocus.h"

#include <QSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace {

class WheelFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
            return false;
        // Unaccepted, the wheel goes on to the parents and so to the scroll area.
        event->ignore();
        return true;
    }
};

} // namespace

void wheelNeedsFocusUnder(QWidget* root)
{
    auto* filter = new WheelFilter(root);
    const auto guard = [filter](QWidget* field) {
        field->setFocusPolicy(Qt::StrongFocus);
        field->installEventFilter(filter);
    };
    for (QAbstractSpinBox* field : root->findChildren<QAbstractSpinBox*>())
        guard(field);
    for (QComboBox* field : root->findChildren<QComboBox*>())
        guard(field);
    for (QSlider* field : root->findChildren<QSlider*>())
        guard(field);
}
