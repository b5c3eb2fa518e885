#include "mainwindow/SKTWindowController.h"

#include "canvas/GraphicKind.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "data/Data_From_Excel.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "mail/Send_Modeless.h"
#include "model/CardGlobals.h"
#include "model/ModelDefaults.h"
#include "model/SKTGraphicPasteboard.h"
#include "platform/ImageResolution.h"
#include "platform/ResourceFolder.h"
#include "profiles/User_Profile_Class.h"
#include "widgets/DialogParent.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
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
    All_Text_font = Model_Font(Text_Ctrl_Font, 14.0);
    All_Text_clr = Qt::black;
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
    setWindowTitle(App_Name);
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

    sett_tab = new QTabWidget;
    static const char* const tabNames[15] = { "Card", "Info", "Size", "Background", "Border", "Line", "Shape", "Text",
        "Text Properties", "Image", "Signature", "Data Source", "Alignment", "Barcode", "Lock" };
    for (int i = 0; i < 15; ++i) {
        tabItems[size_t(i)] = new QWidget;
        sett_tab->addTab(tabItems[size_t(i)], QString::fromLatin1(tabNames[i]));
    }
    // The card-size tab: the size in millimetres and the list of preset names.
    auto* sizeForm = new QFormLayout(tabItems[2]);
    width_Text = new QDoubleSpinBox;
    height_Text = new QDoubleSpinBox;
    for (QDoubleSpinBox* box : { width_Text, height_Text }) {
        box->setDecimals(3);
        box->setRange(0.0, 10000.0);
    }
    ColList = new QListWidget;
    sizeForm->addRow(QStringLiteral("Width (mm)"), width_Text);
    sizeForm->addRow(QStringLiteral("Height (mm)"), height_Text);
    sizeForm->addRow(ColList);
    // The card tab's lists that start-up fills.
    auto* cardForm = new QFormLayout(tabItems[0]);
    Card_hatch_style = new QComboBox;
    cardForm->addRow(QStringLiteral("Hatch"), Card_hatch_style);
    auto* textForm = new QFormLayout(tabItems[8]);
    Text_Date_style = new QComboBox;
    Text_Time_style = new QComboBox;
    textForm->addRow(QStringLiteral("Date"), Text_Date_style);
    textForm->addRow(QStringLiteral("Time"), Text_Time_style);
    auto* shapeForm = new QFormLayout(tabItems[6]);
    shape_hatch_style = new QComboBox;
    shapeForm->addRow(QStringLiteral("Hatch"), shape_hatch_style);

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(sides_, 1);
    layout->addWidget(sett_tab);
    setCentralWidget(central);
    addToolBarBreak();
    setMenuWidget(buildToolBar());

    plz_wait_Window = new PleaseWait_Modeless(this);
    send_modls_wnd = new Send_Modeless(this);
}

QWidget* SKTWindowController::buildToolBar()
{
    auto* bar = new QWidget;
    auto* rows = new QVBoxLayout(bar);
    auto* commands = new QHBoxLayout;
    auto* tools = new QHBoxLayout;
    auto* moreTools = new QHBoxLayout;
    rows->addLayout(commands);
    rows->addLayout(tools);
    rows->addLayout(moreTools);
    QHBoxLayout* layout = commands;
    const auto addButton = [&](const QString& text, const QString& name, std::function<void()> action) {
        auto* button = new QToolButton;
        button->setText(text);
        button->setObjectName(name);
        connect(button, &QToolButton::clicked, this, std::move(action));
        layout->addWidget(button);
    };
    addButton(QStringLiteral("New"), QStringLiteral("New_Btn"), [this] { New_Btn_Clicked(); });
    addButton(QStringLiteral("Open"), QStringLiteral("Open_Btn"), [this] { Open_Btn_Clicked(); });
    addButton(QStringLiteral("Save"), QStringLiteral("Save_Btn"), [this] { Save_Btn_Clicked(); });
    addButton(QStringLiteral("Save As"), QStringLiteral("SaveAs_Btn"), [this] { SaveAs_Btn_Clicked(); });
    static const char* const toolNames[ToolCount]
        = { "Arrow", "Line", "Text", "Rectangle", "Circle", "Rounded Rectangle", "Triangle", "Diamond", "Image",
              "Image Library", "Barcode", "Signature", "Fingerprint", "Star", "Double Star", "Polygon" };
    addButton(QStringLiteral("Series"), QStringLiteral("Batch_Series_Btn"), [this] { Batch_Series_Button(); });
    addButton(QStringLiteral("Create Series"), QStringLiteral("Create_Series_Btn"), [this] { Create_Series_Button(); });
    addButton(QStringLiteral("Front"), QStringLiteral("Front_Side_btn"), [this] { Select_front_side(); });
    addButton(QStringLiteral("Back"), QStringLiteral("Back_Side_btn"), [this] { Select_back_side(); });
    commands->addStretch(1);
    // Two rows, so that every tool's name fits the window's width.
    for (int tool = 0; tool < ToolCount; ++tool) {
        layout = tool < ToolCount / 2 ? tools : moreTools;
        addButton(QString::fromLatin1(toolNames[tool]), QStringLiteral("Tool_%1").arg(tool),
            [this, tool] { selectTool(tool); });
    }
    tools->addStretch(1);
    moreTools->addStretch(1);
    return bar;
}

void SKTWindowController::loadPlaceholders()
{
    no_image = ImageResolution::readImageFile(Resource_File(QStringLiteral("no.png")));
    sign_sample_img = ImageResolution::readImageFile(Resource_File(QStringLiteral("sign_sample.png")));
    fp_sample_img = ImageResolution::readImageFile(Resource_File(QStringLiteral("fingerprints.png")));
    barcode_sample_img = ImageResolution::readImageFile(Resource_File(QStringLiteral("barcode_sample.png")));
}

SKTWindowController::StartResult SKTWindowController::awakeFromNib()
{
    setGeometry(100, 0, 1000, 800);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor::fromRgbF(0.9450980392156862, 0.9568627450980393, 0.9803921568627451));
    setPalette(background);
    Get_Email_Details();

    Resource_Path = userResourceFolder();
    if (!seedResourceFolder(shippedResourceFolder(), Resource_Path)) {
        Show_MessageBox(QStringLiteral("The program's data folder cannot be created or accessed:\n") + Resource_Path);
        return StartResult::ResourcesUnavailable;
    }
    Data_Folder_Path = Resource_File(QStringLiteral("DataSet"));
    loadPlaceholders();

    // Only the five card tabs show until an object is selected.
    while (sett_tab->count() > 5)
        sett_tab->removeTab(5);
    Not_Draw_Only_Prop_Change = true;
    fillFixedLists();
    Not_Draw_Only_Prop_Change = false;

    SetDocumentCanvasSize(SKTDocument::canvasSize(true, QSizeF()));
    Selected_Control_Tool_ = ArrowTool;
    New_Project();
    if (Start_Card_Option.isEmpty())
        return StartResult::WizardLeft;
    sides_->setCurrentIndex(Card_Front_Or_Back == 0 ? 0 : 1);
    return StartResult::Ready;
}

void SKTWindowController::fillFixedLists()
{
    Text_Date_style->clear();
    Text_Date_style->addItems({ "M-d-yyyy", "M-d-yy", "MM-dd-yy", "MM-dd-yyyy", "yy-MM-dd", "yyyy-MM-dd", "dd-MMM-yy",
        "dd-MM-yyyy", "d-M-yy" });
    Text_Date_style->setCurrentIndex(0);
    Text_Time_style->clear();
    Text_Time_style->addItems({ "h:mm:ss a", "hh:mm:ss a", "H:mm:ss", "HH:mm:ss" });
    Text_Time_style->setCurrentIndex(0);
    shape_hatch_style->clear();
    Card_hatch_style->clear();
    const QStringList hatches = Get_Files_Array_At_Path(Resource_File(QStringLiteral("Fill_Style_Image")));
    shape_hatch_style->addItems(hatches);
    Card_hatch_style->addItems(hatches);
    if (hatches.isEmpty()) {
        shape_hatch_style->setCurrentIndex(-1);
        Card_hatch_style->setCurrentIndex(-1);
    }
}

void SKTWindowController::New_Project()
{
    New_Project_Setting_Reset();
    Show_RHS_Properties(nullptr);
    Refresh_Canvas();
    if (!Open_Start_Window())
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
    card.Card_Content_clr = All_Text_clr;
    card.Card_Content_font = All_Text_font;
    card.Card_BG_Image = QImage();
    card.Card_BG_Image_Path = QString(QLatin1String(""));
    card.Card_BG_Image_Layout = QStringLiteral("Stretch");
}

void SKTWindowController::New_Project_Setting_Reset()
{
    Not_Draw_Only_Prop_Change = true;
    // Another program's clipboard is not ours to empty: only our own card objects go.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (const QMimeData* held = clipboard->mimeData(); held && held->hasFormat(SKTGraphicViewPasteboardType))
        clipboard->clear();
    Check_Path_And_Create_Files();
    _grid->setAlwaysShown(false);
    document_->Clear_All_Undo_Redo();
    last_ctrl_X = last_ctrl_Y = 10.0f;
    Fill_User_Profile = false;
    Front_user_profile->Reset_All_Values();
    Back_user_profile->Reset_All_Values();
    Project_File_Name = QString(QLatin1String(""));
    All_Text_font = Model_Font(Text_Ctrl_Font, 14.0);
    All_Text_clr = Qt::black;
    All_Text_font_Default = All_Text_font;
    All_Text_clr_Default = All_Text_clr;
    resetCardProperty(*Front_card_Prop);
    resetCardProperty(*Back_card_Prop);
    Select_front_side();
    Set_Log_Name_In_Title();
    _graphicView->delete_all_control();
    _graphicView_BACK->delete_all_control();
    Not_Draw_Only_Prop_Change = false;
}

bool SKTWindowController::Open_Start_Window()
{
    if (!Invitation_Wizard::defaultInstance())
        new Invitation_Wizard(*this, this);
    if (Invitation_Wizard::defaultInstance()->Open_Wnd() != 1)
        return false;
    if (Start_Card_Option == QLatin1String("W")) {
        document_->Enable_Disable_Undo_Registraion(false);
        const QString shapeCode = Card_Shape == 1 ? QStringLiteral("RR")
            : Card_Shape == 2                     ? QStringLiteral("E")
                                                  : QStringLiteral("R");
        Front_card_Prop->Card_Shape = Back_card_Prop->Card_Shape = shapeCode;
        const QSizeF size = _graphicView->cardSize();
        Front_card_Prop->Card_Size = Back_card_Prop->Card_Size = size;
        Fill_Party_Invidation_Details();
        Show_RHS_Properties(nullptr);
        document_->Enable_Disable_Undo_Registraion(true);
    }
    return true;
}

void SKTWindowController::Fill_Party_Invidation_Details()
{
    struct PartyText
    {
        const char* id;
        QString text;
        QRectF rect;
    };
    const double width = _graphicView->cardSize().width();
    const auto wide = [&](double y, double height) { return QRectF(10, y, qMax(50.0, width - 20), height); };
    const PartyText texts[] = {
        { "PARTY_TITLE", Invite_Title, wide(10, 30) },
        { "PARTY_TO", Invite_To.isEmpty() ? QString() : QStringLiteral("Dear ") + Invite_To + QStringLiteral(","),
            wide(42, 20) },
        { "PARTY_MSG", Invite_Message, wide(64, 30) },
        { "PARTY_FROM", Invite_From.isEmpty() ? QString() : QStringLiteral("From:\n") + Invite_From,
            QRectF(10, 96, 110, 34) },
        { "PARTY_VENUE", Invite_Venue.isEmpty() ? QString() : QStringLiteral("Venue:\n") + Invite_Venue,
            QRectF(125, 96, 110, 34) },
        { "PARTY_DATE", Invite_Date.isEmpty() ? QString() : QStringLiteral("Date:\n") + Invite_Date,
            QRectF(10, 132, 110, 34) },
        { "PARTY_TIME", Invite_Time.isEmpty() ? QString() : QStringLiteral("Time:\n") + Invite_Time,
            QRectF(125, 132, 110, 34) },
    };
    const int savedTool = Selected_Control_Tool_;
    Selected_Control_Tool_ = TextTool;
    for (const PartyText& party : texts) {
        if (!party.text.isEmpty())
            _graphicView->createGraphicOfClass(
                GraphicKind::Text, true, party.rect, QStringLiteral("F"), party.text, QString::fromLatin1(party.id));
    }
    Selected_Control_Tool_ = savedTool;
    if (!Invite_BG_IMG.isEmpty()) {
        Front_card_Prop->Card_fill_chk = true;
        Front_card_Prop->Card_fill_style = QStringLiteral("I");
        set_Front_BG_Image(Invite_BG_IMG);
    }
}
