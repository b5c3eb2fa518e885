#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "inspector/PropertiesInspector.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>

namespace {

// Every visible label and button of the window that is narrower or lower than its text
// needs, by name and text.
QStringList clippedControls(QWidget& window)
{
    QStringList clipped;
    const auto check = [&](QWidget* widget, const QString& text) {
        if (!widget->isVisibleTo(&window) || text.isEmpty())
            return;
        const QSize needed = widget->minimumSizeHint().isValid() ? widget->minimumSizeHint() : widget->sizeHint();
        if (widget->width() < needed.width() || widget->height() < needed.height())
            clipped.append(QStringLiteral("%1 \"%2\" %3x%4 < %5x%6")
                               .arg(widget->metaObject()->className(), text)
                               .arg(widget->width())
                               .arg(widget->height())
                               .arg(needed.width())
                               .arg(needed.height()));
    };
    for (QLabel* label : window.findChildren<QLabel*>())
        if (!label->wordWrap())
            check(label, label->text());
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        check(button, button->text());
    return clipped;
}

// Saves the window when GALAVITE_SCREENSHOTS names a folder (for looking at the layout).
void saveShot(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("GALAVITE_SCREENSHOTS");
    if (!folder.isEmpty())
        window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class MainWindowLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<QSize>
{
};

TEST_P(MainWindowLayoutTest, EveryLabelIsWholeForTheCardAndForAnObject)
{
    SKTWindowController& main = start();
    main.setRulersVisible(true);
    main.resize(GetParam() - QSize(0, 40)); // room for the desktop's panel and title bar
    main.show();
    QApplication::processEvents();
    const QString size = QStringLiteral("%1x%2").arg(GetParam().width()).arg(GetParam().height());
    ASSERT_TRUE(main.menuBar()->isVisible());
    for (QToolBar* bar : main.findChildren<QToolBar*>())
        EXPECT_TRUE(bar->isVisible()) << bar->objectName().toStdString();
    for (int tab = 0; tab < main.sett_tab->count(); ++tab) {
        main.sett_tab->setCurrentIndex(tab);
        QApplication::processEvents();
        EXPECT_EQ(clippedControls(main), QStringList()) << size.toStdString() << " card tab " << tab;
        saveShot(main, QStringLiteral("card-%1-").arg(tab) + size);
    }
    main.sett_tab->setCurrentIndex(0);
    saveShot(main, QStringLiteral("card-") + size);

    main.action(QStringLiteral("Tool_2"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(main.sett_tab->tabText(0), QStringLiteral("Text"));
    EXPECT_EQ(clippedControls(main), QStringList()) << size.toStdString();
    saveShot(main, QStringLiteral("object-") + size);

    main.sett_tab->setCurrentIndex(main.sett_tab->count() - 1);
    QApplication::processEvents();
    EXPECT_EQ(main.sett_tab->tabText(main.sett_tab->currentIndex()), QStringLiteral("Alignment"));
    EXPECT_EQ(clippedControls(main), QStringList()) << size.toStdString();
    saveShot(main, QStringLiteral("alignment-") + size);
    main.action(QStringLiteral("Lock_btn"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(clippedControls(main), QStringList()) << size.toStdString();
    saveShot(main, QStringLiteral("locked-") + size);
}

namespace {

// Visible controls of the current page that lie (partly) outside the inspector.
QStringList unreachableControls(QTabWidget& tabs)
{
    QStringList outside;
    QWidget* page = tabs.currentWidget();
    const QRect shown = tabs.rect();
    for (QWidget* control : page->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(page) || control->inherits("QGroupBox") || !control->focusPolicy())
            continue;
        const QRect area(control->mapTo(&tabs, QPoint(0, 0)), control->size());
        if (!shown.contains(area))
            outside.append(QString::fromLatin1(control->metaObject()->className()));
    }
    return outside;
}

} // namespace

TEST_P(MainWindowLayoutTest, EveryObjectPageIsWholeAndReachable)
{
    SKTWindowController& main = start();
    main.resize(GetParam() - QSize(0, 40));
    main.show();
    const QString picture = folder.filePath(QStringLiteral("photo.png"));
    QImage photo(120, 80, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    photo.save(picture);
    dialogs->fileAnswers = { picture };
    const QString size = QStringLiteral("%1x%2").arg(GetParam().width()).arg(GetParam().height());
    for (const int tool : { 2, 3, 8, 10 }) {
        main.action(QStringLiteral("Tool_%1").arg(tool))->trigger();
        for (int tab = 0; tab < main.sett_tab->count(); ++tab) {
            main.sett_tab->setCurrentIndex(tab);
            QApplication::processEvents();
            const std::string where
                = size.toStdString() + " tool " + std::to_string(tool) + " tab " + std::to_string(tab);
            EXPECT_EQ(clippedControls(main), QStringList()) << where;
            EXPECT_EQ(unreachableControls(*main.sett_tab), QStringList()) << where;
            saveShot(main, QStringLiteral("tool%1-tab%2-").arg(tool).arg(tab) + size);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ScreenSizes, MainWindowLayoutTest, ::testing::Values(QSize(1366, 768), QSize(1920, 1080)),
    [](const ::testing::TestParamInfo<QSize>& info) {
        return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
    });
