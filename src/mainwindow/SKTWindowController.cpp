#include "mainwindow/SKTWindowController.h"

#include "barcodewindow/Barcode_Gen.h"
#include "barcodewindow/BarcodeWindowHost.h"
#include "canvas/GraphicKind.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "widgets/StepperSpinBox.h"
#include "widgets/WheelNeedsFocus.h"
#include "data/Data_From_Excel.h"
#include "data/TemplateStore.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "inspector/CardBackgroundPage.h"
#include "inspector/CardBorderPage.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/PropertiesInspector.h"
#include "inspector/ShapePage.h"
#include "inspector/TextPropertiesPage.h"
#include "library/BackgroundGallery.h"
#include "mailing/Preferences.h"
#include "profiles/PartyTexts.h"
#include "widgets/Send_Modeless.h"
#include "mainwindow/MainProfileHost.h"
#include "mainwindow/WindowPlacement.h"
#include "model/CardGlobals.h"
#include "model/LaidOutText.h"
#include "model/ModelDefaults.h"
#include "model/PictureFile.h"
#include "platform/DialogService.h"
#include "platform/ImageResolution.h"
#include "platform/OwnTemporaryFile.h"
#include "platform/ResourceFolder.h"
#include "profiles/User_Profile_Class.h"
#include "widgets/DialogParent.h"
#include "wizards/Start_Card.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <cstdlib>

QString CARD_SIDE_STR = QStringLiteral("2");

namespace {
SKTWindowController* app_DefaultInstance = nullptr;
}

SKTWindowController::SKTWindowController(QWidget* parent)
    : QMainWindow(parent)
    , document_(std::make_unique<SKTDocument>())
{
    app_DefaultInstance = this;
    Main_App_wnd = defaultInstance();
    setDialogParent(this);

    App_Name = QApplication::applicationName();
    paper_card_arry = presetNames(QStringLiteral("Name Badge"));
    pvc_card_arry = presetNames(QStringLiteral("PVC Card"));
    Front_card_Prop = Card_Property::create();
    Back_card_Prop = Card_Property::create();
    Front_user_profile = std::make_unique<User_Profile_Class>();
    Back_user_profile = std::make_unique<User_Profile_Class>();
    TEMP_user_profile = std::make_unique<User_Profile_Class>();
    spreadsheet = std::make_unique<Data_From_Excel>();
    _grid = new SKTGrid(this);
    Data_From_Excel_Window = spreadsheet.get();

    buildWindow();
    setWindowTitle(App_Name + QStringLiteral("[*]"));
}

SKTWindowController::~SKTWindowController()
{
    if (Data_From_Excel_Window == spreadsheet.get())
        Data_From_Excel_Window = nullptr;
    if (app_DefaultInstance == this)
        app_DefaultInstance = nullptr;
    if (Main_App_wnd == this)
        Main_App_wnd = nullptr;
    setDialogParent(nullptr);
}

SKTWindowController* SKTWindowController::defaultInstance()
{
    return app_DefaultInstance;
}

std::function<void(int)>& SKTWindowController::programExit()
{
    static std::function<void(int)> exitProgram = [](int status) { std::exit(status); };
    return exitProgram;
}

void SKTWindowController::buildWindow()
{
    buildCanvases();
    inspector_ = new PropertiesInspector(*this, this);
    sett_tab = inspector_->sett_tab;
    Text_Date_style = inspector_->text_prop_tab->Text_Date_style;
    Text_Time_style = inspector_->text_prop_tab->Text_Time_style;
    shape_hatch_style = inspector_->shape_tab->shape_hatch_style;
    Card_hatch_style = inspector_->card_bkgd_tab->Card_hatch_style;
    CardSettingsPage& card = *inspector_->card_setting_tab;
    ColList = card.ColList;
    width_Text = card.width_Text;
    height_Text = card.height_Text;

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(sides_, 1);
    // The panel scrolls rather than making the window taller than a small screen.
    auto* panel = new QScrollArea;
    panel->setObjectName(QStringLiteral("Inspector_Scroll"));
    panel->setFrameShape(QFrame::NoFrame);
    panel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panel->setWidgetResizable(true);
    panel->setWidget(sett_tab);
    wheelNeedsFocusUnder(sett_tab);
    panel->setMinimumWidth(sett_tab->minimumWidth() + panel->verticalScrollBar()->sizeHint().width());
    layout->addWidget(panel);
    setCentralWidget(central);
    createActions();
    createMenus();
    createToolBars();
    connect(document_.get(), &SKTDocument::graphicsChanged, this, &SKTWindowController::sideGraphicsChanged);
    buildBackgroundGallery();

    plz_wait_Window = new PleaseWait_Modeless(this);
    send_modls_wnd = new Send_Modeless(this);
}

void SKTWindowController::loadPlaceholders()
{
    no_image = ImageResolution::readImageFile(Resource_File(QStringLiteral("no.png")));
    sign_sample_img = ImageResolution::readImageFile(Resource_File(QStringLiteral("sign_sample.png")));
    fp_sample_img = ImageResolution::readImageFile(Resource_File(QStringLiteral("fingerprints.png")));
    barcode_sample_img = ImageResolution::readImageFile(Resource_File(QStringLiteral("barcode_sample.png")));
}

SKTWindowController::StartResult SKTWindowController::awakeFromNib(const QStringList& designs)
{
    WindowPlacement::place(*this, QSize(1000, 800));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor::fromRgbF(0.9450980392156862, 0.9568627450980393, 0.9803921568627451));
    setPalette(background);
    Get_Email_Details();

    Resource_Path = userResourceFolder();
    QString seedFailure;
    if (!seedResourceFolder(shippedResourceFolder(), Resource_Path, &seedFailure)) {
        Show_MessageBox(withReason(
            QStringLiteral("The program's data folder cannot be created or accessed:\n") + Resource_Path, seedFailure));
        return StartResult::ResourcesUnavailable;
    }
    // Without its pictures and lists the program can open designs but make no new card:
    // say so rather than start with empty lists.
    if (!seedFailure.isEmpty())
        Show_MessageBox(withReason(QStringLiteral("Galavite's resources (backgrounds, templates, clip art and the user "
                                                  "guide) could not all be copied into its data folder:\n")
                + Resource_Path,
            seedFailure));
    else if (!holdsShippedResources(Resource_Path))
        Show_MessageBox(QStringLiteral("Galavite's resources (backgrounds, templates, clip art and the user guide) "
                                       "were not found, so its data folder is empty:\n")
            + Resource_Path + QStringLiteral("\nReinstall Galavite to restore them."));
    Data_Folder_Path = Resource_File(QStringLiteral("DataSet"));
    // A run killed while writing leaves its temporary files in the folders it writes.
    for (const QString& folder : { QDir::tempPath(), Resource_Path, Data_Folder_Path, TemplateStore::userFolder(),
             QFileInfo(Preferences::settingsFilePath()).path() })
        removeStaleTemporariesNow(folder);
    loadPlaceholders();
    imageBrowser->Load_and_fill_backgrounds();

    Not_Draw_Only_Prop_Change = true;
    fillFixedLists();
    Not_Draw_Only_Prop_Change = false;
    Show_Hide_Ruler_ChkBox(false);

    SetDocumentCanvasSize(SKTDocument::canvasSize(true, QSizeF()));
    Selected_Control_Tool_ = ArrowTool;
    New_Project(designs);
    if (Start_Card_Option.isEmpty())
        return StartResult::WizardLeft;
    changeViewController(Card_Front_Or_Back == 0 ? 0 : 1);
    return StartResult::Ready;
}

void SKTWindowController::fillFixedLists()
{
    CardBackgroundPage& background = *inspector_->card_bkgd_tab;
    CardSettingsPage& card = *inspector_->card_setting_tab;
    background.Card_image_layout->setCurrentIndex(1);
    card.Sides_ComboBox->setCurrentIndex(0);
    card.Preset_ComboBox->setCurrentIndex(0);
    card.Category_ComboBox->setCurrentIndex(0);
    inspector_->text_prop_tab->fillFixedLists();
    inspector_->card_brdr_tab->Card_bor_Stepper->setValue(3);
    inspector_->card_brdr_tab->Card_border_style->setCurrentIndex(0);
    card_prop_set(QStringLiteral("S"));
    const QStringList hatches = Get_Files_Array_At_Path(Resource_File(QStringLiteral("Fill_Style_Image")));
    shape_hatch_style->clear();
    shape_hatch_style->addItems(hatches);
    shape_hatch_style->setCurrentIndex(hatches.isEmpty() ? -1 : 0);
    background.setHatchNames(hatches);
}

void SKTWindowController::New_Project(const QStringList& designs)
{
    New_Project_Setting_Reset();
    Show_RHS_Properties(nullptr);
    Refresh_Canvas();
    if (!openNamedDesigns(designs) && !Open_Start_Window())
        programExit()(0);
    Not_Draw_Only_Prop_Change = false;
}

void SKTWindowController::resetCardProperty(Card_Property& card) const
{
    card.Card_border_chk = true;
    card.Card_bordr_clr = Qt::black;
    card.Card_bor_Stepper = 1;
    card.Card_border_style = QStringLiteral("S");
    card.Card_fill_chk = false;
    card.Card_fill_style = QStringLiteral("S");
    card.Card_fill_clr = Qt::white;
    card.Card_fill_Grd_1_clr = Qt::white;
    card.Card_fill_Grd_2_clr = Qt::white;
    card.Card_grad_Stepper = 0;
    card.Card_hatch_style = QString(QLatin1String(""));
    card.Card_hatch_bk_clr = Qt::white;
    card.Card_alpha_Stepper = 100.0f;
    card.Card_Side = QStringLiteral("2");
    card.Card_Side_Name = QStringLiteral("F");
    card.Card_Shape = QStringLiteral("R");
    card.Card_Name = QStringLiteral("Untitled");
    card.Card_Location = QPointF();
    card.Card_Size = QSizeF(0, 0);
    card.Card_Preset = QStringLiteral("Horizontal");
    card.Card_Category = QStringLiteral("PVC Card");
    card.Card_Sub_Category = QStringLiteral("CR80-Credit Card Size");
    card.Card_Cat_index = 0;
    card.Card_Create_Mode = QStringLiteral("W");
    card.Card_Content_clr = All_Text_clr_Default;
    card.Card_Content_font = All_Text_font_Default;
    card.Card_BG_Image = QImage();
    card.Card_BG_Image_Path = QString(QLatin1String(""));
    card.Card_BG_Image_Layout = QStringLiteral("Stretch");
}

void SKTWindowController::New_Project_Setting_Reset()
{
    Not_Draw_Only_Prop_Change = true;
    ++designSerial_;
    // The clipboard is the user's, shared with every other program and window: it stays.
    for (SKTGraphicView* canvas : { _graphicView, _graphicView_BACK, _graphicView_TEMP })
        canvas->forgetPasteCascade();
    Check_Path_And_Create_Files();
    _grid->setAlwaysShown(false);
    last_ctrl_X = last_ctrl_Y = 10.0f;
    Fill_User_Profile = false;
    workbookBeforeProfile_.reset(); // the design it belonged to is gone
    Front_user_profile->Reset_All_Values();
    Back_user_profile->Reset_All_Values();
    Project_File_Name = QString(QLatin1String(""));
    letGoOfDesignFile();
    All_Text_font_Default = Model_Font(Text_Ctrl_Font, 14.0);
    All_Text_clr_Default = Qt::black;
    inspector_->card_setting_tab->resetContent(All_Text_font_Default, All_Text_clr_Default);
    resetCardProperty(*Front_card_Prop);
    resetCardProperty(*Back_card_Prop);
    // The card pages write their name back into the card: the last design's must not come back.
    inspector_->card_setting_tab->card_name->setText(Front_card_Prop->Card_Name);
    Select_front_side();
    applyCardSides();
    card_prop_set(QStringLiteral("S"));
    Set_Log_Name_In_Title();
    _graphicView->delete_all_control();
    _graphicView_BACK->delete_all_control();
    // After the deletions, so that no side can undo back into the old design.
    document_->Clear_All_Undo_Redo();
    // The old design's pictures leave the budget and the memory with it.
    PictureFile::releaseUnused();
    Not_Draw_Only_Prop_Change = false;
    setUnsavedEdits(false);
}

bool SKTWindowController::Open_Start_Window()
{
    Front_back_label->hide();
    // The start dialog comes back after a cancelled wizard, template choice or open dialog.
    for (;;) {
        Start_Card start(this);
        if (dialogs().runModal(start) != 1)
            return false;
        const QString chosen = Start_Card_Option;
        bool ready = false;
        if (chosen == QLatin1String("W"))
            ready = runInvitationWizard();
        else if (chosen == QLatin1String("T"))
            ready = Open_Template_Browser();
        else
            ready = Open_Log_File() == 1;
        if (ready) {
            Start_Card_Option = chosen;
            Front_back_label->show();
            return true;
        }
    }
}

bool SKTWindowController::runInvitationWizard()
{
    if (!Invitation_Wizard::defaultInstance())
        new Invitation_Wizard(*this, this);
    if (Invitation_Wizard::defaultInstance()->Open_Wnd() != 1)
        return false;
    New_Project_Setting_Reset();
    document_->Enable_Disable_Undo_Registraion(false);
    Update_Card_Graphics();
    if (QAbstractButton* shape = inspector_->card_setting_tab->matrix_card_shape->button(Card_Shape))
        shape->setChecked(true);
    Fill_Party_Invidation_Details();
    Show_RHS_Properties(nullptr);
    document_->Enable_Disable_Undo_Registraion(true);
    // The wizard's card is where the user starts from, not an unsaved change.
    setUnsavedEdits(false);
    return true;
}

void SKTWindowController::Fill_Party_Invidation_Details()
{
    Selected_Control_Tool_ = TextTool;
    const PartyDetails details { Invite_Title, Invite_To, Invite_Message, Invite_From, Invite_Venue, Invite_Date,
        Invite_Time };
    // Measured as text objects draw, so that each text fits the box it gets.
    const QFont font = All_Text_font_Default;
    const auto measure = [&font](const QString& text, double width, double pointSize) {
        QFont sized = font;
        sized.setPointSizeF(pointSize);
        const LaidOutText laidOut(text, sized, 0.0, width, Qt::AlignLeft | Qt::AlignAbsolute);
        return QSizeF(laidOut.usedWidth(), laidOut.height());
    };
    const PartyLayout layout = partyTextLayout(details, _graphicView->cardSize(), font.pointSizeF(), measure);
    for (const PartyText& party : layout.texts) {
        if (const SKTGraphicPtr text = _graphicView->createGraphicOfClass(
                GraphicKind::Text, true, party.rect, QStringLiteral("F"), party.text, party.controlID)) {
            QFont placed = font;
            placed.setPointSizeF(layout.pointSize);
            text->text_ctrl_font = placed;
        }
    }
    set_Front_BG_Image(Invite_BG_IMG);
}
