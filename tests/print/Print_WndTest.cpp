#include "print/Print_Wnd.h"

#include "PdfTools.h"
#include "model/Card_Property.h"
#include "support/ScriptedDialogService.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace PrintLayout;

namespace {

std::shared_ptr<Card_Property> filled(const QColor& colour)
{
    auto side = Card_Property::create();
    side->setCard_fill_chk(true);
    side->setCard_fill_style(QStringLiteral("S"));
    side->setCard_fill_clr(colour);
    side->Card_alpha_Stepper = 1.0f;
    return side;
}

// A card of 85.6 x 54 mm with its base only, a blue front and a red back, and no data binding.
class CardHost : public PrintHost
{
public:
    CardSnapshot cardSnapshot() const override
    {
        CardSnapshot card;
        card.frontSettings = filled(Qt::blue);
        card.backSettings = filled(Qt::red);
        card.frame = QRectF(0, 0, MM_to_Points_Convert(85.6f), MM_to_Points_Convert(54.0f));
        return card;
    }
    PrintBatchState Check_Series_Or_Excel_Use_or_not() override { return batch; }
    PrintBatchState Get_total_Card_count(bool series, bool sheet) override
    {
        PrintBatchState kept = batch;
        kept.Use_Data_Sheet_Values = series && batch.Use_Data_Sheet_Values;
        kept.Use_Excel_Binding_Values = sheet && batch.Use_Excel_Binding_Values;
        return kept;
    }
    PrintBatchState batch;
};

template <class Field> Field* field(QWidget& window, const QString& label)
{
    for (Field* candidate : window.findChildren<Field*>())
        if (candidate->accessibleName() == label || candidate->objectName() == label)
            return candidate;
    return nullptr;
}

QPushButton* button(QWidget& window, const QString& text)
{
    for (QPushButton* candidate : window.findChildren<QPushButton*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

// Runs the window with the handler while it is shown.
void openWith(Print_Wnd& window, PrintHost& host, ScriptedDialogs& scripted, std::function<void(Print_Wnd&)> act)
{
    scripted->modalHandler = [&](QDialog& dialog) {
        if (&dialog == &window) {
            window.show();
            act(window);
        }
        return 0;
    };
    window.Open_Print_Wnd(host);
}

QList<QSpinBox*> counts(Print_Wnd& w)
{
    return w.findChildren<QSpinBox*>();
}

} // namespace

TEST(PrintWindow, OpeningResetsTheLayoutAndListsAPdfFile)
{
    ScriptedDialogs scripted;
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [](Print_Wnd& w) {
        const PrintSettings& s = w.settings();
        EXPECT_EQ(s.Print_Card_Side, sideFront);
        EXPECT_EQ(s.Print_Card_Algn, backBelow);
        EXPECT_EQ(s.Print_Row, 1);
        EXPECT_EQ(s.Print_Col, 1);
        EXPECT_EQ(s.horz_mar, 0);
        EXPECT_EQ(s.label_align_val, 1);
        EXPECT_TRUE(s.Show_margin_rect);
        EXPECT_FALSE(s.auto_center_flag);
        EXPECT_NEAR(Points_to_MM_Convert(s.label_width), 85.6, 0.01);
        const QList<QComboBox*> combos = w.findChildren<QComboBox*>();
        const auto printers = std::find_if(
            combos.begin(), combos.end(), [](QComboBox* c) { return c->findText(Print_Wnd::pdfFileEntry()) >= 0; });
        ASSERT_NE(printers, combos.end());
        EXPECT_EQ((*printers)->itemText((*printers)->count() - 1), Print_Wnd::pdfFileEntry());
        const QList<QSpinBox*> numbers = counts(w);
        // Cards to print: 1, up to 999999 without a binding.
        const auto total
            = std::find_if(numbers.begin(), numbers.end(), [](QSpinBox* b) { return b->maximum() == 999999; });
        ASSERT_NE(total, numbers.end());
        EXPECT_EQ((*total)->value(), 1);

        if (qEnvironmentVariableIsSet("GALAVITE_PRINT_SHOT")) {
            QTest::qWait(1000);
            QProcess::execute(QStringLiteral("import"),
                { QStringLiteral("-window"), QStringLiteral("root"), qEnvironmentVariable("GALAVITE_PRINT_SHOT") });
        }
    });
}

TEST(PrintWindow, GridChangesRefitAndPrintToAPdfFile)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cards.pdf"));
    scripted->fileAnswers.push_back(pdf);
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        QComboBox* printers = w.findChildren<QComboBox*>().first();
        printers->setCurrentIndex(printers->findText(Print_Wnd::pdfFileEntry()));
        QList<QSpinBox*> numbers = counts(w);
        // Rows and columns are the first two count fields; a change refits and fills one sheet.
        numbers[0]->setValue(2);
        numbers[1]->setValue(2);
        EXPECT_EQ(w.settings().Total_Label, 4);
        const auto total
            = std::find_if(numbers.begin(), numbers.end(), [](QSpinBox* b) { return b->maximum() == 999999; });
        (*total)->setValue(7);
        w.Execute_Printing(false);
    });
    EXPECT_EQ(PdfTools::pageCount(pdf), 2);
}

TEST(PrintWindow, NoCardsToPrintIsSaidAndNothingPrints)
{
    ScriptedDialogs scripted;
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        const QList<QSpinBox*> numbers = counts(w);
        const auto total
            = std::find_if(numbers.begin(), numbers.end(), [](QSpinBox* b) { return b->maximum() == 999999; });
        (*total)->setValue(0);
        w.Execute_Printing(false);
    });
    EXPECT_EQ(scripted->messages(), std::vector<QString> { QStringLiteral("There is no barcode to print.") });
}

TEST(PrintWindow, ABoundBatchWithoutRowsSaysSoAndABatchSetsTheTotal)
{
    ScriptedDialogs scripted;
    CardHost host;
    host.batch.Use_Data_Sheet_Values = true;
    Print_Wnd window;
    window.Open_Print_Wnd(host);
    EXPECT_EQ(scripted->messages(), std::vector<QString> { QStringLiteral("List is empty.") });

    host.batch.Total_Batch_Excel_Card = 12;
    host.batch.applyRow = [](CardSnapshot&, int) {};
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        EXPECT_EQ(w.settings().Total_Label, 12);
        QCheckBox* series = nullptr;
        for (QCheckBox* box : w.findChildren<QCheckBox*>())
            if (box->isEnabled() && box->isChecked() && box->text().contains(QStringLiteral("series")))
                series = box;
        ASSERT_TRUE(series);
        series->setChecked(false);
        EXPECT_EQ(w.settings().Total_Label, 1);
    });
}

TEST(PrintWindow, AutoCentredFrontsAndBacksLeaveEqualRoomAboveAndBelow)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("both.pdf"));
    scripted->fileAnswers.push_back(pdf);
    CardHost host;
    Print_Wnd window;
    PrintSettings used;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        QComboBox* printers = w.findChildren<QComboBox*>().first();
        printers->setCurrentIndex(printers->findText(Print_Wnd::pdfFileEntry()));
        for (QRadioButton* side : w.findChildren<QRadioButton*>())
            if (side->text().remove(u'&') == QStringLiteral("Front and back"))
                side->setChecked(true);
        for (QCheckBox* box : w.findChildren<QCheckBox*>())
            if (box->text().remove(u'&') == QStringLiteral("Auto-centre"))
                box->setChecked(true);
        QList<QSpinBox*> numbers = counts(w);
        numbers[0]->setValue(2);
        numbers[1]->setValue(2);
        used = w.settings();
        w.Execute_Printing(false);
    });
    ASSERT_EQ(used.Print_Row, 2);
    ASSERT_EQ(used.Print_Col, 2);
    const QImage page = PdfTools::page(pdf, 1, 72);
    ASSERT_FALSE(page.isNull());
    int top = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (page.pixelColor(x, y).lightness() < 200) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
        }
    }
    ASSERT_GE(top, 0) << "nothing printed";
    const double above = top - used.Top_Mar;
    const double below = page.height() - 1 - bottom - used.Bot_Mar;
    EXPECT_NEAR(above, below, 2.0) << "top " << top << " bottom " << bottom;
    EXPECT_GT(above, 10.0);
}
