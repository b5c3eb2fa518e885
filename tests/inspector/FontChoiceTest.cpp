#include "inspector/FontChoice.h"

#include "support/ScriptedDialogService.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

#include <gtest/gtest.h>

// DejaVu Sans names its plain style "Book", Liberation Serif "Regular": the dialog opens at the
// style each text is drawn in, and a change of size alone keeps that style.
TEST(FontChoiceTest, TheDialogOpensAtTheStyleTheTextIsDrawnInAndASizeChangeKeepsIt)
{
    for (const QString& family : { QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Serif") }) {
        ASSERT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString() << " is not installed";
        for (const bool bold : { false, true }) {
            QFont text(family, 11);
            text.setBold(bold);
            ScriptedDialogs dialogs;
            QFont opened;
            dialogs->modalHandler = [&opened](QDialog& dialog) {
                auto* fonts = qobject_cast<QFontDialog*>(&dialog);
                if (!fonts)
                    return 0;
                opened = fonts->currentFont();
                QFont bigger = opened;
                bigger.setPointSize(16);
                fonts->setCurrentFont(bigger);
                return int(QDialog::Accepted);
            };
            const std::optional<QFont> chosen = chooseChangedFont(text, QStringLiteral("Font"), nullptr);
            const std::string what = (family + (bold ? QStringLiteral(" bold") : QString())).toStdString();
            EXPECT_FALSE(QFontInfo(opened).italic()) << what;
            EXPECT_EQ(QFontInfo(opened).weight(), QFontInfo(text).weight()) << what;
            ASSERT_TRUE(chosen.has_value()) << what;
            EXPECT_EQ(chosen->pointSize(), 16) << what;
            EXPECT_FALSE(QFontInfo(*chosen).italic()) << what;
            EXPECT_EQ(QFontInfo(*chosen).weight(), QFontInfo(text).weight()) << what;
            EXPECT_EQ(QFontInfo(*chosen).family(), family) << what;
        }
    }
}
