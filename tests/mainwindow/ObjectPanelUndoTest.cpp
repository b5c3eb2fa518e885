// Every change made on an object's pages, and every command of the Edit and Arrange menus and
// gesture on the canvas, is one undo step, named in the Edit menu, that marks the design changed;
// Undo gives the objects back as they were and Redo makes the change again.
#include "ObjectPagesFixture.h"

#include "barcodes/BarcodeSymbologies.h"
#include "barcodewindow/Barcode_Gen.h"
#include "common/Globals.h"
#include "model/CardGlobals.h"
#include "model/SKTGraphicPasteboard.h"
#include "inspector/AlignmentPage.h"
#include "inspector/BarcodePage.h"
#include "inspector/DataSourcePage.h"
#include "inspector/EffectSlider.h"
#include "inspector/ImagePage.h"
#include "inspector/LinePage.h"
#include "inspector/ObjectBorderGroup.h"
#include "inspector/ObjectFillGroup.h"
#include "inspector/ShapePage.h"
#include "inspector/SignaturePage.h"
#include "inspector/TextEditingPage.h"
#include "inspector/TextPropertiesPage.h"
#include "platform/PropertyList.h"
#include "widgets/ColorWell.h"

#include <QCheckBox>
#include <QDir>
#include <QFontDialog>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QDoubleSpinBox>
#include <QTest>

#include <functional>

namespace {

using Tool = SKTWindowController::Tool;

struct Change
{
    const char* control;
    Tool kind;
    const char* step; // as the Edit menu names it
    std::function<void(PropertiesInspector&, SKTWindowController&)> make;
};

QPushButton* buttonNamed(QWidget* page, const QString& text)
{
    for (QPushButton* button : page->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// A drag of the slider's handle over several values, as the mouse makes it.
void drag(QSlider* slider, std::initializer_list<int> positions)
{
    slider->setSliderDown(true);
    for (int position : positions)
        slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

class ObjectPanelUndoTest : public ObjectPagesTest
{
protected:
    void TearDown() override
    {
        if (!savedDataFolder_.isNull())
            Data_Folder_Path = savedDataFolder_;
        ObjectPagesTest::TearDown();
    }

    void useSeries()
    {
        savedDataFolder_ = Data_Folder_Path;
        Data_Folder_Path = folder.filePath(QStringLiteral("DataSet"));
        QDir().mkpath(Data_Folder_Path);
        writeSeries(QStringLiteral("Guests"), "Ann Smith\nBob Jones\n");
    }

    QString picture(const QString& name)
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = folder.filePath(name);
        image.save(path);
        return path;
    }

    void show(const SKTGraphicPtr& graphic)
    {
        SKTGraphicView& canvas = *window->currentCanvas();
        window->Show_RHS_Properties(nullptr);
        canvas.changeSelectionIndexes({ int(canvas.graphics().indexOf(graphic)) });
        canvas.setSelectedGraphic(graphic);
        window->Show_RHS_Properties(graphic);
    }

    QString text(const char* name) { return window->action(QString::fromLatin1(name))->text(); }
    void trigger(const char* name) { window->action(QString::fromLatin1(name))->trigger(); }

    static PlistValue stateOf(const SKTGraphic& graphic) { return PropertyList::read(graphic.archivedData()); }

    PlistArray sideState() { return SKTGraphicPasteboard::propertiesWithGraphics(window->currentCanvas()->graphics()); }

    // A press, a move in two steps and a release of the left button, in card points.
    void dragOnCanvas(const QPointF& from, const QPointF& to)
    {
        SKTGraphicView& canvas = *window->currentCanvas();
        const auto send = [&](QEvent::Type type, const QPointF& at, Qt::MouseButton button, Qt::MouseButtons held) {
            const QPointF point = canvas.widgetPointFromCard(at);
            QMouseEvent event(type, point, canvas.mapToGlobal(point), button, held, {});
            QApplication::sendEvent(&canvas, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

private:
    QString savedDataFolder_;
};

TEST_F(ObjectPanelUndoTest, EachControlOfEveryObjectPageIsOneNamedStep)
{
    SKTWindowController& main = startShown();
    useSeries();
    dialogs->fileAnswers.push_back(picture(QStringLiteral("first.png")));
    std::map<Tool, SKTGraphicPtr> objects;
    for (Tool kind : { Tool::TextTool, Tool::LineTool, Tool::RectTool, Tool::PolygonTool, Tool::ImageTool,
             Tool::SignatureTool, Tool::BarcodeTool }) {
        objects[kind] = place(kind);
        ASSERT_TRUE(objects[kind]) << kind;
    }
    main.document().undoManager().checkpoint();
    Project_File_Name = folder.filePath(QStringLiteral("objects.dcard"));
    ASSERT_TRUE(main.Save_project_file(false, false));
    const QString secondPicture = picture(QStringLiteral("second.png"));

    const Change changes[] = {
        { "text colour", Tool::TextTool, "Text Colour",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.text_edtng_tab->Text_clr->chooseColor(Qt::red); } },
        { "typing", Tool::TextTool, "Typing",
            [](PropertiesInspector& panel, SKTWindowController& main) {
                QTest::keyClicks(panel.text_edtng_tab->Text_value_Edit, QStringLiteral(" and guests"));
                main.currentCanvas()->setFocus();
            } },
        { "insert date", Tool::TextTool, "Typing",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.text_edtng_tab->insertDateButton->click(); } },
        { "text font", Tool::TextTool, "Font",
            [this](PropertiesInspector& panel, SKTWindowController&) {
                otherModal = [](QDialog& dialog) {
                    auto* fonts = qobject_cast<QFontDialog*>(&dialog);
                    if (!fonts)
                        return 0;
                    fonts->setCurrentFont(QFont(QStringLiteral("DejaVu Sans"), 20));
                    return int(QDialog::Accepted);
                };
                buttonNamed(panel.text_edtng_tab, QStringLiteral("Fo&nt…"))->click();
            } },
        { "text opacity", Tool::TextTool, "Opacity",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.text_prop_tab->Text_alpha_Stepper->stepBy(-5); } },
        { "letter spacing", Tool::TextTool, "Letter Spacing",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.text_prop_tab->Text_Kern_Stepper->stepBy(2); } },
        { "text alignment", Tool::TextTool, "Text Alignment",
            [this](PropertiesInspector& panel, SKTWindowController&) { choose(panel.text_prop_tab->Text_align_combo, 2); } },
        { "text case", Tool::TextTool, "Case",
            [this](PropertiesInspector& panel, SKTWindowController&) { choose(panel.text_prop_tab->Text_case_combo, 1); } },
        { "text border", Tool::TextTool, "Border",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.text_prop_tab->Text_Border_Box->border_chk->click(); } },
        { "text fill", Tool::TextTool, "Fill",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.text_prop_tab->Text_Fill_Box->fill_chk->click(); } },
        { "printing", Tool::TextTool, "Printing",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.aligmnt_tab->print_object_chk->click(); } },
        { "series binding", Tool::TextTool, "Data Source",
            [this](PropertiesInspector& panel, SKTWindowController&) { choose(panel.datasource_tab->Data_source_type, 1); } },
        { "locking", Tool::TextTool, "Locking",
            [this](PropertiesInspector&, SKTWindowController&) { trigger("Lock_btn"); } },
        { "line colour", Tool::LineTool, "Line Colour",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.line_tab->Line_clr->chooseColor(Qt::blue); } },
        { "line width", Tool::LineTool, "Line Width",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.line_tab->Line_Wdt_Stepper->stepBy(3); } },
        { "line style", Tool::LineTool, "Line Style",
            [this](PropertiesInspector& panel, SKTWindowController&) { choose(panel.line_tab->Line_border_style, 2); } },
        { "line ends", Tool::LineTool, "Line Ends",
            [this](PropertiesInspector& panel, SKTWindowController&) { choose(panel.line_tab->Line_cap_style, 1); } },
        { "line orientation", Tool::LineTool, "Line Orientation",
            [this](PropertiesInspector& panel, SKTWindowController&) { choose(panel.line_tab->Line_ori_style, 1); } },
        { "border colour", Tool::RectTool, "Border Colour",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.shape_tab->Shape_Border_Box->bordr_clr->chooseColor(Qt::green); } },
        { "border width", Tool::RectTool, "Border Width",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.shape_tab->Shape_Border_Box->bor_Stepper->stepBy(2); } },
        { "gradient fill", Tool::RectTool, "Fill",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.shape_tab->Shape_Fill_Box->gradient_fill_rd->click(); } },
        { "fill colour", Tool::RectTool, "Fill Colour",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.shape_tab->Shape_Fill_Box->fill_clr->chooseColor(Qt::yellow); } },
        { "shape opacity", Tool::RectTool, "Opacity",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.shape_tab->shape_alpha_Stepper->stepBy(-10); } },
        { "polygon sides", Tool::PolygonTool, "Polygon Sides",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.shape_tab->polygon_Stepper->stepBy(1); } },
        { "image flip", Tool::ImageTool, "Horizontal Flipping",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.image_tab->Image_FIH_chk->click(); } },
        { "image grey scale", Tool::ImageTool, "Grey Scale",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.image_tab->Image_Gray_Scale_chk->click(); } },
        { "hue slider drag", Tool::ImageTool, "Hue",
            [](PropertiesInspector& panel, SKTWindowController&) { drag(panel.image_tab->Hue_slidr->slider, { 40, 90, 150 }); } },
        { "blur slider drag", Tool::ImageTool, "Blur",
            [](PropertiesInspector& panel, SKTWindowController&) { drag(panel.image_tab->blr_slidr->slider, { 10, 35 }); } },
        { "image border", Tool::ImageTool, "Border",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.image_tab->Image_Border_Box->border_chk->click(); } },
        { "image file", Tool::ImageTool, "Picture",
            [this, secondPicture](PropertiesInspector& panel, SKTWindowController&) {
                dialogs->fileAnswers.push_back(secondPicture);
                buttonNamed(panel.datasource_tab, QStringLiteral("&Browse…"))->click();
            } },
        { "signature border", Tool::SignatureTool, "Border",
            [](PropertiesInspector& panel, SKTWindowController&) { panel.sign_tab->Sign_Border_Box->border_chk->click(); } },
        { "signature file", Tool::SignatureTool, "Picture",
            [this, secondPicture](PropertiesInspector& panel, SKTWindowController&) {
                dialogs->fileAnswers.push_back(secondPicture);
                buttonNamed(panel.sign_tab, QStringLiteral("B&rowse…"))->click();
            } },
        { "barcode window", Tool::BarcodeTool, "Barcode",
            [this](PropertiesInspector& panel, SKTWindowController&) {
                otherModal = [](QDialog& dialog) {
                    auto& barcode = dynamic_cast<Barcode_Gen&>(dialog);
                    const int qr = indexOfBarcodeSymbology("QR Code");
                    barcode.barcodeTypePopup->setCurrentIndex(qr);
                    emit barcode.barcodeTypePopup->activated(qr);
                    barcode.dataText_2D->setPlainText(QStringLiteral("Table 7"));
                    barcode.okButton->click();
                    return barcode.result();
                };
                buttonNamed(panel.barcode_tab, QStringLiteral("&Barcode Properties…"))->click();
            } },
    };

    for (const Change& change : changes) {
        SCOPED_TRACE(change.control);
        const SKTGraphicPtr object = objects.at(change.kind);
        show(object);
        ASSERT_FALSE(main.isWindowModified());
        const PlistValue before = stateOf(*object);

        change.make(inspector(), main);
        QApplication::processEvents();
        const PlistValue after = stateOf(*object);
        EXPECT_NE(after, before);
        EXPECT_TRUE(main.isWindowModified());
        EXPECT_EQ(text("Undo_btn"), QStringLiteral("&Undo %1").arg(QLatin1String(change.step)));

        // One Undo: the object as it was, and the design as saved.
        trigger("Undo_btn");
        EXPECT_EQ(stateOf(*object), before);
        EXPECT_FALSE(main.isWindowModified());
        EXPECT_EQ(text("Redo_btn"), QStringLiteral("&Redo %1").arg(QLatin1String(change.step)));
        trigger("Redo_btn");
        EXPECT_EQ(stateOf(*object), after);
        EXPECT_TRUE(main.isWindowModified());
        trigger("Undo_btn");
        ASSERT_FALSE(main.isWindowModified()) << "the change took more than one step";
        otherModal = nullptr;
    }
}

TEST_F(ObjectPanelUndoTest, EachCommandAndGestureOnTheCanvasIsOneNamedStep)
{
    SKTWindowController& main = startShown();
    dialogs->fileAnswers.push_back(picture(QStringLiteral("first.png")));
    const SKTGraphicPtr shape = place(Tool::RectTool);
    const SKTGraphicPtr image = place(Tool::ImageTool);
    const SKTGraphicPtr words = place(Tool::TextTool);
    ASSERT_TRUE(shape && image && words);
    shape->setBounds(QRectF(20, 20, 60, 40));
    image->setBounds(QRectF(120, 30, 80, 70)); // the picture's own size is 40 by 30
    words->setBounds(QRectF(40, 110, 90, 25));
    main.document().undoManager().checkpoint();
    Project_File_Name = folder.filePath(QStringLiteral("commands.dcard"));
    ASSERT_TRUE(main.Save_project_file(false, false));
    SKTGraphicView& canvas = *main.currentCanvas();
    const auto all = [&] { selectAllShowing(shape); };

    const struct
    {
        const char* step; // as the Edit menu names it
        std::function<void()> make;
    } changes[] = {
        { "New Object", [&] { trigger("Tool_4"); } },
        { "Paste",
            [&] {
                show(shape);
                trigger("Copy_btn");
                trigger("Paste_btn");
            } },
        { "Cut",
            [&] {
                show(shape);
                trigger("Cut_btn");
            } },
        { "Delete",
            [&] {
                show(image);
                canvas.setFocus();
                QTest::keyClick(&canvas, Qt::Key_Delete);
            } },
        { "Bring to Front",
            [&] {
                show(shape);
                trigger("Begin_Front_btn");
            } },
        { "Send to Back",
            [&] {
                show(words);
                trigger("Send_Back_btn");
            } },
        { "Align Left Edges",
            [&] {
                all();
                trigger("Align_Left");
            } },
        { "Align Vertical Centres",
            [&] {
                all();
                trigger("Align_Vert");
            } },
        { "Centre on Card",
            [&] {
                show(image);
                trigger("Align_Center");
            } },
        { "Same Width",
            [&] {
                all();
                trigger("Make_Same_Width");
            } },
        { "Natural Size",
            [&] {
                show(image);
                trigger("Make_Natural");
            } },
        { "Align to Grid",
            [&] {
                main.Grid_Show_Hide_Changed(true);
                all();
                trigger("Align_To_Grid");
                main.Grid_Show_Hide_Changed(false);
            } },
        { "Move",
            [&] {
                show(shape);
                canvas.setFocus();
                QTest::keyClick(&canvas, Qt::Key_Right);
            } },
        { "Move",
            [&] {
                show(shape);
                dragOnCanvas({ 50, 40 }, { 70, 55 });
            } },
        { "Resize",
            [&] {
                show(shape);
                dragOnCanvas({ 80, 60 }, { 100, 75 });
            } },
    };

    for (const auto& change : changes) {
        SCOPED_TRACE(change.step);
        QApplication::processEvents();
        ASSERT_FALSE(main.isWindowModified());
        const PlistArray before = sideState();

        change.make();
        QApplication::processEvents();
        const PlistArray after = sideState();
        EXPECT_GE(firstDifference(after, before), 0);
        EXPECT_TRUE(main.isWindowModified());
        EXPECT_EQ(text("Undo_btn"), QStringLiteral("&Undo %1").arg(QLatin1String(change.step)));

        // One Undo: the side as it was, and the design as saved.
        trigger("Undo_btn");
        EXPECT_EQ(firstDifference(sideState(), before), -1);
        EXPECT_FALSE(main.isWindowModified());
        EXPECT_EQ(text("Redo_btn"), QStringLiteral("&Redo %1").arg(QLatin1String(change.step)));
        trigger("Redo_btn");
        EXPECT_EQ(firstDifference(sideState(), after), -1);
        EXPECT_TRUE(main.isWindowModified());
        trigger("Undo_btn");
        ASSERT_FALSE(main.isWindowModified()) << "the change took more than one step";
    }
}

} // namespace
