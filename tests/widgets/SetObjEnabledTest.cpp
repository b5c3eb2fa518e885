#include "widgets/WidgetHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class CustomLabel : public QLabel
{
    Q_OBJECT
};

QColor textColour(const QWidget& widget)
{
    return widget.palette().color(QPalette::Active, QPalette::WindowText);
}

} // namespace

TEST(SetObjEnabled, DisablesControlsTwoLevelsDownAndGreysPlainLabels)
{
    QGroupBox box;
    auto* content = new QWidget(&box);
    auto* edit = new QLineEdit(content);
    auto* label = new QLabel(QStringLiteral("Name"), content);
    auto* check = new QCheckBox(&box);

    SetObjEnabled(&box, false);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(check->isEnabled());
    EXPECT_EQ(textColour(*label), QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));

    SetObjEnabled(&box, true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(check->isEnabled());
    EXPECT_EQ(textColour(*label), QApplication::palette().color(QPalette::Active, QPalette::WindowText));
}

TEST(SetObjEnabled, ALabelSubclassIsDisabledButNotRecoloured)
{
    CustomLabel label;
    const QColor before = textColour(label);
    SetObjEnabled(&label, false);
    EXPECT_FALSE(label.isEnabled());
    EXPECT_EQ(textColour(label), before);
    SetObjEnabled(nullptr, false); // no crash
}

#include "SetObjEnabledTest.moc"
