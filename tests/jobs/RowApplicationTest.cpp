#include "jobs/RowApplication.h"
#include "JobsTestSupport.h"
#include "platform/PropertyList.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class RowApplicationTest : public ::testing::Test
{
protected:
    void TearDown() override { RowApplication::setBarcodeGenerator({}); }
};

} // namespace

TEST_F(RowApplicationTest, TextTakesTheValueInItsFirstRunsAttributes)
{
    auto text = SKTGraphic::create<SKTText>();
    QFont bold(QStringLiteral("Liberation Serif"), 20);
    bold.setBold(true);
    StyledText styled = StyledText::plain(QStringLiteral("Name"), bold, Qt::red);
    styled.string += QStringLiteral(" here");
    styled.runs.push_back({ 5, std::nullopt, QColor(Qt::blue) });
    *text->Text_contents() = styled;

    RowApplication::applyValue(*text, QStringLiteral("Ada Lovelace"));
    const StyledText& shown = *text->Text_contents();
    EXPECT_EQ(shown.string, QStringLiteral("Ada Lovelace"));
    ASSERT_EQ(shown.runs.size(), 1u);
    EXPECT_EQ(shown.runs.front().length, 12);
    EXPECT_EQ(shown.runs.front().font, std::optional<QFont>(bold));
    EXPECT_EQ(shown.runs.front().color, QColor(Qt::red));
}

TEST_F(RowApplicationTest, ImageLoadsThePictureTheValueNames)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("guest.png"));
    QImage picture(16, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(path));

    auto image = SKTGraphic::create<SKTImage>();
    EXPECT_TRUE(RowApplication::applyValue(*image, path));
    EXPECT_EQ(image->FilePath(), path);
    EXPECT_EQ(image->picture().size(), QSize(16, 8));
    EXPECT_EQ(image->picture().pixelColor(0, 0), QColor(Qt::green));

    // A file that is not there: the card shows no picture, not the earlier row's, and the row
    // is reported. An empty cell asks for no picture and is no fault.
    EXPECT_FALSE(RowApplication::applyValue(*image, folder.filePath(QStringLiteral("gone.png"))));
    EXPECT_TRUE(image->picture().isNull());
    EXPECT_TRUE(RowApplication::applyValue(*image, QString()));
    EXPECT_TRUE(image->picture().isNull());
}

TEST_F(RowApplicationTest, BarcodeTakesTheGeneratorsPictureAndKeepsItsOwnWithout)
{
    auto barcode = SKTGraphic::create<SKTBarcode>();
    const Picture mine
        = Picture::record(QSizeF(10, 10), [](QPainter& painter) { painter.fillRect(0, 0, 5, 5, Qt::black); });
    barcode->Set_Barcode_image(mine);
    RowApplication::applyValue(*barcode, QStringLiteral("12345"));
    EXPECT_EQ(barcode->_barcode_image.size(), mine.size());

    // The maker is made once per object and then serves every value.
    QStringList asked;
    int made = 0;
    RowApplication::setBarcodeGenerator([&](const SKTGraphic& object) -> RowApplication::BarcodeMaker {
        ++made;
        EXPECT_EQ(&object, barcode.get());
        return [&](const QString& value) {
            asked << value;
            if (value == QLatin1String("bad"))
                return Picture();
            return Picture::record(QSizeF(80, 30), [](QPainter& painter) { painter.fillRect(0, 0, 2, 30, Qt::black); });
        };
    });
    barcode->setBounds(QRectF(5, 5, 60, 20));
    const RowApplication::Applier apply = RowApplication::prepare(*barcode);
    EXPECT_TRUE(apply(QStringLiteral("12345")).made);
    EXPECT_EQ(barcode->_barcode_image.size(), QSizeF(80, 30));
    // A value the generator cannot encode leaves an empty frame of the object's size, never
    // the last row's picture, and says so.
    EXPECT_FALSE(apply(QStringLiteral("bad")).made);
    EXPECT_EQ(barcode->_barcode_image.size(), QSizeF(60, 20));
    const QImage drawn = barcode->_barcode_image.toImage(72, Qt::white);
    QImage blank(drawn.size(), drawn.format());
    blank.fill(Qt::white);
    EXPECT_EQ(drawn, blank);
    EXPECT_EQ(asked, QStringList({ QStringLiteral("12345"), QStringLiteral("bad") }));
    EXPECT_EQ(made, 1);
}

TEST_F(RowApplicationTest, OtherKindsAreLeftAlone)
{
    auto shape = SKTGraphic::create<Shape_Control>();
    const QByteArray before = shape->archivedData();
    RowApplication::applyValue(*shape, QStringLiteral("anything"));
    EXPECT_EQ(PropertyList::read(shape->archivedData()), PropertyList::read(before));
}
