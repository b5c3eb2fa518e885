#include "widgets/WheelNeedsFocus.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// One notch of the wheel towards the user, at the middle of `target`; says whether it was taken.
// (A wheel event from the window system that nobody takes goes on to the parents, and so to
// the scroll area; one sent from here stops at `target`.)
bool wheelDown(QWidget* target)
{
    const QPointF middle = QRectF(target->rect()).center();
    QWheelEvent wheel(middle, target->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    return wheel.isAccepted();
}

} // namespace

TEST(WheelNeedsFocus, TheWheelScrollsThePanelPastAFieldAndChangesOnlyTheFieldInUse)
{
    QScrollArea panel;
    panel.resize(300, 200);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* size = new QDoubleSpinBox;
    size->setRange(0, 500);
    size->setValue(76.2);
    auto* sides = new QComboBox;
    sides->addItems({ QStringLiteral("Front and back"), QStringLiteral("Front only") });
    layout->addWidget(size);
    layout->addWidget(sides);
    layout->addSpacing(1000);
    panel.setWidget(content);
    panel.setWidgetResizable(true);
    wheelNeedsFocusUnder(content);
    panel.show();
    panel.activateWindow();
    QApplication::setActiveWindow(&panel);
    QApplication::processEvents();
    ASSERT_GT(panel.verticalScrollBar()->maximum(), 0);
    if (QWidget* first = QApplication::focusWidget())
        first->clearFocus();

    EXPECT_FALSE(wheelDown(size)) << "the panel would not scroll";
    EXPECT_FALSE(wheelDown(sides)) << "the panel would not scroll";
    EXPECT_DOUBLE_EQ(size->value(), 76.2);
    EXPECT_EQ(sides->currentIndex(), 0);
    EXPECT_TRUE(wheelDown(panel.viewport()));
    EXPECT_GT(panel.verticalScrollBar()->value(), 0) << "the panel does not scroll at all";

    size->setFocus();
    ASSERT_TRUE(size->hasFocus());
    EXPECT_TRUE(wheelDown(size));
    EXPECT_LT(size->value(), 76.2);
}
