#include "print/Printing_View.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "model/Card_Property.h"
#include "model/SKTText.h"
#include "render/SKTRenderingView.h"
#include "support/ScriptLetters.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QRectF cardFrame(0, 0, 243, 154);

// A card side with one text object in the given face.
Picture textCard(const QString& value, const QString& family = QStringLiteral("Liberation Serif"))
{
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = value;
    QFont font(family);
    font.setPointSizeF(18);
    text->text_ctrl_font = font;
    text->txt_clr = QColor(Qt::black);
    text->text_alignmnet = 2;
    text->setBounds({ 10, 40, 223, 60 });
    return SKTRenderingView::image_From_Card_Graphics({ text }, false, { Card_Property::create(), 0, cardFrame });
}

// A card side whose one text object names the guest of a row.
Picture guestCard(int row)
{
    return textCard(QStringLiteral("Guest %1\nTable %2").arg(row).arg(row + 10));
}

} // namespace

TEST(PrintedCardTextTest, EveryCellsTextObjectsAreTextOnItsSheet)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's pdfinfo, pdftoppm and pdftotext are not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("guests.pdf"));
    const Printing_View job(twoByTwoOnA4(cardFrame.size(), 5), [](int index) {
        return PrintCellCards { guestCard(index + 1), {} };
    });
    ASSERT_TRUE(job.printToPdf(pdf));
    ASSERT_EQ(PdfTools::pageCount(pdf), 2);
    const QString first = PdfTools::text(pdf, 1);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_TRUE(first.contains(QStringLiteral("Guest %1").arg(row))) << first.toStdString();
        EXPECT_TRUE(first.contains(QStringLiteral("Table %1").arg(row + 10))) << first.toStdString();
    }
    const QString second = PdfTools::text(pdf, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("Guest 5"))) << second.toStdString();
    EXPECT_FALSE(second.contains(QStringLiteral("Guest 4")));
}

TEST(PrintedCardTextTest, WordsWrittenWithLigaturesAreFoundLetterByLetter)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's pdfinfo, pdftoppm and pdftotext are not installed";
    // Faces whose "fi", "fl" and "ffl" a shaper may join into one glyph.
    const QStringList faces { QStringLiteral("Liberation Serif"), QStringLiteral("Liberation Sans"),
        QStringLiteral("DejaVu Sans") };
    const QString words = QStringLiteral("Pacific Waffle\nofficial flyer");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("ligatures.pdf"));
    const Printing_View job(twoByTwoOnA4(cardFrame.size(), int(faces.size())),
        [&](int index) { return PrintCellCards { textCard(words, faces.at(index)), {} }; });
    ASSERT_TRUE(job.printToPdf(pdf));
    const QString text = PdfTools::text(pdf, 1);
    for (const QString& word : words.split(QRegularExpression(QStringLiteral("\\s"))))
        EXPECT_EQ(text.count(word), faces.size()) << word.toStdString() << " in " << text.toStdString();
    for (char16_t ligature = 0xFB00; ligature <= 0xFB06; ++ligature)
        EXPECT_FALSE(text.contains(QChar(ligature))) << text.toStdString();
}

TEST(PrintedCardTextTest, EveryScriptsFirstLetterIsExportedAndPrinted)
{
    const QStringList letters = firstLetterOfEveryScript();
    // Exported as a picture and as PDF, one card per script.
    for (const QString& letter : letters) {
        const Picture card = textCard(QStringLiteral("A") + letter);
        EXPECT_FALSE(card.toImage(150, Qt::white).isNull()) << letter.toStdString();
        EXPECT_TRUE(card.toPdf().startsWith("%PDF")) << letter.toStdString();
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("scripts.pdf"));
    const Printing_View job(twoByTwoOnA4(cardFrame.size(), int(letters.size())), [&](int index) {
        return PrintCellCards { textCard(QStringLiteral("A") + letters.at(index)), {} };
    });
    ASSERT_TRUE(job.printToPdf(pdf));
    if (PdfTools::available()) {
        EXPECT_EQ(PdfTools::pageCount(pdf), int((letters.size() + 3) / 4));
    }
}
