#include "MainWindowFixture.h"
#include "platform/PropertyList.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodewindow/Barcode_Gen.h"
#include "canvas/SKTGraphicView.h"
#include "model/CardGlobals.h"
#include "model/SKTBarcode.h"
#include "render/GraphicsRenderingInstaller.h"
#include "render/SKTRenderingView.h"
#include "series/SeriesListModel.h"
#include "series/View_Data_Series.h"
#include "support/HostilePictures.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

SKTGraphicPtr placeBarcode(SKTWindowController& main)
{
    main.findChild<QToolButton*>(QStringLiteral("Tool_10"))->click();
    return main.Get_Front_Controls_Array().front();
}

int typeQrAndPress(QDialog& dialog, bool ok)
{
    auto& window = dynamic_cast<Barcode_Gen&>(dialog);
    const int qr = indexOfBarcodeSymbology("QR Code");
    window.barcodeTypePopup->setCurrentIndex(qr);
    emit window.barcodeTypePopup->activated(qr);
    window.dataText_2D->setPlainText("Table 7");
    (ok ? window.okButton : window.cancelButton)->click();
    return window.result();
}

int warningPixels(SKTGraphicView& canvas)
{
    const QImage shown = canvas.grab().toImage();
    int count = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            count += QColor(shown.pixel(x, y)) == SKTGraphicView::overflowWarningColour;
    return count;
}

// In a box of its picture's size it is not marked as not fitting; a value too long still is.
TEST_F(MainWindowTest, NewBarcodeShowsThePictureOfItsOwnFieldsAndFitsItsBox)
{
    SKTWindowController& main = start();
    main.show();
    QApplication::processEvents();
    const SKTGraphicPtr barcode = placeBarcode(main);
    ASSERT_FALSE(barcode->_barcode_image.isNull());
    EXPECT_EQ(barcode->_barcode_image.size(), barcodePictureFromFields(*barcode).size());
    EXPECT_EQ(barcode->bounds().size(), barcode->_barcode_image.size());
    EXPECT_EQ(warningPixels(*main.currentCanvas()), 0);
    barcode->linear_font_val = QStringLiteral("0123456789");
    barcode->Set_Barcode_image(barcodePictureFromFields(*barcode));
    EXPECT_GT(warningPixels(*main.currentCanvas()), 0);
}

TEST_F(MainWindowTest, BarcodeWindowOkGivesTheObjectItsSettingsAndPictureAndCancelNothing)
{
    SKTWindowController& main = start();
    const SKTGraphicPtr barcode = placeBarcode(main);
    const QByteArray before = barcode->archivedData();
    otherModal = [](QDialog& dialog) { return typeQrAndPress(dialog, false); };
    main.Open_Barcode_Window();
    EXPECT_EQ(PropertyList::read(barcode->archivedData()), PropertyList::read(before));

    otherModal = [](QDialog& dialog) { return typeQrAndPress(dialog, true); };
    main.Open_Barcode_Window();
    EXPECT_EQ(main.action(QStringLiteral("Undo_btn"))->text(), QStringLiteral("&Undo Barcode"));
    EXPECT_EQ(barcode->two_d_font_val, "Table 7");
    EXPECT_EQ(barcode->linear_or_2d, 1);
    EXPECT_EQ(barcode->_barcode_image.size(), barcodePictureFromFields(*barcode).size());
    EXPECT_EQ(barcode->bounds().size(), barcode->_barcode_image.size());
}

// The window of a bound barcode shows its series' first value as it is now, as the canvas does.
TEST_F(MainWindowTest, TheBarcodeWindowViewsItsSeriesAndShowsItsFirstValueAsItIsNow)
{
    SKTWindowController& main = start();
    // A name of its own: other test programs may use the same series folder at the same time.
    const QString name = QStringLiteral("view-tickets-%1").arg(QCoreApplication::applicationPid());
    writeSeries(name, "T-100\nT-101\n");
    const SKTGraphicPtr barcode = placeBarcode(main);
    QStringList viewed;
    QString shown;
    bool bind = true;
    otherModal = [&](QDialog& dialog) {
        if (auto* viewer = qobject_cast<View_Data_Series*>(&dialog)) {
            viewed = viewer->ListData().texts();
            return 0;
        }
        auto& window = dynamic_cast<Barcode_Gen&>(dialog);
        shown = window.dataText->text();
        if (bind) {
            window.Data_source_type->setCurrentIndex(1);
            emit window.Data_source_type->activated(1);
            window.Batch_Series->setCurrentIndex(window.Batch_Series->findText(name));
            emit window.Batch_Series->activated(window.Batch_Series->currentIndex());
            window.view_series_btn->click();
        }
        (bind ? window.okButton : window.cancelButton)->click();
        return window.result();
    };
    main.Open_Barcode_Window();
    EXPECT_EQ(viewed, QStringList({ "T-100", "T-101" }));
    ASSERT_EQ(barcode->linear_font_val, "T-100");

    writeSeries(name, "T-2000\nT-2001\n");
    bind = false;
    main.Open_Barcode_Window();
    EXPECT_EQ(shown, "T-2000");
    EXPECT_EQ(barcode->linear_font_val, "T-100") << "Cancel changes nothing";
    QFile::remove(QDir(Data_Folder_Path).filePath(name + QStringLiteral(".txt")));
}

void sendMouse(SKTGraphicView& canvas, QEvent::Type type, const QPointF& cardPoint, Qt::MouseButtons buttons)
{
    const QPointF at = canvas.widgetPointFromCard(cardPoint);
    QMouseEvent event(type, at, canvas.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &event);
}

QImage sideAt300Dpi(SKTWindowController& main, SKTDocument::Side side)
{
    side == SKTDocument::Side::Back ? main.Select_back_side() : main.Select_front_side();
    const CardSideBase base = GraphicsRenderingInstaller::sideNamedByCard_Front_Or_Back(
        main.Front_card_Prop, main.Back_card_Prop, main.frontCanvasBounds());
    return SKTRenderingView::image_From_Card_Graphics(main.document().graphicsOfSide(side), false, base)
        .toImage(300.0, Qt::white);
}

void dragBy(SKTGraphicView& canvas, const SKTGraphicPtr& graphic, const QPointF& offset)
{
    const QPointF grip = graphic->bounds().center();
    sendMouse(canvas, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    for (int step = 1; step <= 3; ++step)
        sendMouse(canvas, QEvent::MouseMove, grip + offset * (step / 3.0), Qt::LeftButton);
    sendMouse(canvas, QEvent::MouseButtonRelease, grip + offset, Qt::NoButton);
    canvas.document().undoManager(canvas.editedSide()).checkpoint();
}

// Objects dragged by fractions of a point, a QR, a text and a picture cut from the front and
// pasted on the back among them, come back from their file drawn on the same pixels.
TEST_F(MainWindowTest, DraggedAndPastedObjectsReopenPixelIdentical)
{
    SKTWindowController& main = start();
    main.show();
    QApplication::processEvents();
    placeBarcode(main);
    otherModal = [](QDialog& dialog) { return typeQrAndPress(dialog, true); };
    main.Open_Barcode_Window();
    main.findChild<QToolButton*>(QStringLiteral("Tool_2"))->click();
    const QString picture = folder.filePath(QStringLiteral("shades.png"));
    ASSERT_TRUE(
        HostilePictures::writeFile(picture, HostilePictures::encoded(HostilePictures::detailed(60, 40), "PNG")));
    dialogs->fileAnswers = { picture };
    main.findChild<QToolButton*>(QStringLiteral("Tool_8"))->click();
    main.document().undoManager().checkpoint();
    main.Select_All_Clicked();
    main.Cut_Clicked();
    const SKTGraphicPtr barcode = placeBarcode(main);
    main.document().undoManager().checkpoint();
    dragBy(*main.canvasOfSide(SKTDocument::Side::Front), barcode, { 13.37, 7.61 });
    ASSERT_NE(barcode->bounds().x(), std::floor(barcode->bounds().x())) << "the drag left a fractional origin";
    main.Select_back_side();
    main.Paste_Clicked();
    ASSERT_EQ(main.Get_Back_Controls_Array().size(), 3);
    const SKTGraphicPtr pasted = main.Get_Back_Controls_Array().back();
    ASSERT_EQ(pasted->linear_or_2d, 1);
    dragBy(*main.canvasOfSide(SKTDocument::Side::Back), pasted, { 21.7, 5.3 });

    const QImage frontBefore = sideAt300Dpi(main, SKTDocument::Side::Front);
    const QImage backBefore = sideAt300Dpi(main, SKTDocument::Side::Back);
    const QString path = folder.filePath(QStringLiteral("barcode.dcard"));
    Project_File_Name = path;
    ASSERT_TRUE(main.Save_project_file(false, false));
    ASSERT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    ASSERT_EQ(main.Get_Front_Controls_Array().size(), 1);
    ASSERT_EQ(main.Get_Back_Controls_Array().size(), 3);
    EXPECT_EQ(main.Get_Front_Controls_Array().front()->bounds(), barcode->bounds());
    EXPECT_EQ(main.Get_Back_Controls_Array().back()->bounds(), pasted->bounds());
    EXPECT_TRUE(sideAt300Dpi(main, SKTDocument::Side::Front) == frontBefore);
    EXPECT_TRUE(sideAt300Dpi(main, SKTDocument::Side::Back) == backBefore);
    main.Select_front_side();
}

} // namespace
