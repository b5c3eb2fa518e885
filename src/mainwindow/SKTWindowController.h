#pragma once

#include "canvas/CanvasHost.h"
#include "imports/ImportHost.h"
#include "inspector/InspectorHost.h"
#include "mainwindow/CardLayout.h"
#include "mainwindow/CardSettingsState.h"
#include "mainwindow/ObjectSettingsState.h"
#include "model/Card_Property.h"
#include "model/SKTDocument.h"
#include "platform/DesignLock.h"
#include "series/BatchWizard.h"
#include "wizards/CardSizeHost.h"
#include "wizards/Invitation_Wizard.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class Barcode_Gen;
class BarcodeWindowHost;
class BackgroundGallery;
class DataBinding;
struct CardSnapshot;
class Data_From_Excel;
class Import_Wizard;
class SpreadsheetViewer;
class Grid_Wizard;
class MainWindowExport;
class MainMailHost;
class MainProfileHost;
class Profile_Dialog;
class PropertiesInspector;
class QAction;
class QCloseEvent;
class QComboBox;
class QDialog;
class PleaseWait_Modeless;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QStackedWidget;
class QTabWidget;
class QWidget;
class Send_Modeless;
class SKTGraphicView;
class SKTZoomingScrollView;
class User_Profile_Class;
struct WorkbookBinding;
struct DesignContents;

// "2" for a two-sided card, "1" for one side.
extern QString CARD_SIDE_STR;
// The picture file the next image object is made from, and the one last picked in the
// image library.
extern QString Library_Selected_Image;
extern QString lib_window_sel_file;
// E-mail settings copied from the settings file.
extern QString sender_email, sender_pwd, sending_server, sending_port, send_enable_ssl;
extern const QString design_file_EXT; // "dcard"

// The one main window of the program: the document's front, back and scratch sides, the
// drawing tools, card sizes, design files and the services every window calls.
class SKTWindowController : public QMainWindow,
                            public InvitationWizardHost,
                            public CardSizeHost,
                            public CanvasHost,
                            public InspectorHost,
                            public BatchWizardHost,
                            public ImportHost
{
    Q_OBJECT

public:
    // What start-up came to.
    enum class StartResult
    {
        Ready,
        ResourcesUnavailable,
        WizardLeft
    };

    explicit SKTWindowController(QWidget* parent = nullptr);
    ~SKTWindowController() override;

    static SKTWindowController* defaultInstance();
    // Points the model's rendering and redraw requests at the window in front; part of the
    // program's set-up (installProgramServices).
    static void installModelHooks();

    // Sets up the window and the per-user Resources folder, then starts the first project:
    // the designs named (as on the command line) when one of them opens, otherwise through
    // the start dialog. Anything but Ready means the program must end.
    StartResult awakeFromNib(const QStringList& designs = {});

    // How the program ends when the start-up wizard is left (status 0); tests replace it.
    static std::function<void(int)>& programExit();

    // ---- Projects --------------------------------------------------------------------
    void New_Project(const QStringList& designs = {});
    void New_Project_Setting_Reset();
    // The start dialog of start-up and what it leads to (wizard, template or saved design);
    // false when it was left, on which the program ends.
    bool Open_Start_Window();
    // The invitation wizard; on Finish a new project with the wizard's card replaces the
    // design, on Cancel nothing changes. True when a new card was made.
    bool runInvitationWizard();
    void Fill_Party_Invidation_Details();

    // ---- Design files ----------------------------------------------------------------
    // True when the design was written; false when the save dialog was cancelled or the
    // write failed.
    bool Save_project_file(bool saveAs, bool showMessages);
    int Read_and_load_design_Log(const QString& path, const QString& logOrTemplate);
    // Asks for a design file and opens it; 1 when it loaded.
    int Open_Log_File();
    void Set_Log_Name_In_Title();
    void New_Btn_Clicked();
    void Open_Btn_Clicked();
    void Save_Btn_Clicked();
    void SaveAs_Btn_Clicked();

    // ---- Drawing tools ----------------------------------------------------------------
    enum Tool
    {
        ArrowTool,
        LineTool,
        TextTool,
        RectTool,
        CircleTool,
        RoundRectTool,
        TriangleTool,
        DiamondTool,
        ImageTool,
        ImageLibraryTool,
        BarcodeTool,
        SignatureTool,
        FingerprintTool,
        StarTool,
        DoubleStarTool,
        PolygonTool,
        ToolCount
    };
    // Sets the tool and places its object on the current side at once.
    void selectTool(int tool);
    void Select_tool_action();
    void selectArrowTool() override;
    void selectedToolDidChange();
    // Asks for one picture file for a new or the selected image object and keeps it in
    // Library_Selected_Image; false (and "") when cancelled or the file is not a picture.
    bool Browse_User_Image_Manually() override;
    int Selected_Control_Tool() const override { return Selected_Control_Tool_; }
    QString Library_Selected_Image() const override;
    QImage placeholderPicture(Placeholder which) const override;

    // ---- Card sizes ------------------------------------------------------------------
    // The preset's size in millimetres ("V" turns it upright); 30 by 30 for no row (-1) and
    // an invalid size for a row outside the table.
    static QSizeF Get_My_card_Size(const QString& category, const QString& preset, int listIndex);
    QSizeF Get_My_card_Size_For(const QString& category, const QString& preset, int listIndex) override
    {
        return Get_My_card_Size(category, preset, listIndex);
    }
    QStringList presetNames(const QString& category) const override;
    void Set_Card_Size_In_Control(const QSizeF& millimetres) override;
    // Shows the preset in the card panel; a row whose size is not the size in the controls
    // is left unselected, since the card then has a size of its own.
    void Set_Card_Preset_In_Control(const QString& category, const QString& orientation, int row) override;
    void applyCardPreset() override;
    QSizeF cardSizeInControl() const;
    void SetDocumentCanvasSize(const QSizeF& points) override;
    void Set_Document_Size(const QSizeF& points) override;
    void Create_List(const QString& name);
    QString Get_Item_Text(int row) const;
    void Mark_List_New_Selection(int row) override;
    void fillCardSizeList(bool plasticCards) override;
    enum class Link
    {
        SupportMail,
        ResellerMail,
        Website1,
        Website2,
        Website3,
        GooglePlus,
        FaceBook,
        Twitter,
        FacebookLike,
        ShareIt
    };
    void openLink(Link link);
    void contactUs() override { openLink(Link::SupportMail); }

    // ---- Services ------------------------------------------------------------------------
    const SKTDocument::Graphics& Get_Front_Controls_Array() const;
    const SKTDocument::Graphics& Get_Back_Controls_Array() const;
    SKTDocument::Graphics Get_Temp_Controls_Array() const;
    int Get_Front_Control_Count() const;
    int Get_Back_Control_Count() const;
    int Get_Temp_Control_Count() const;
    QPointF Control_New_Point(const QString& cardSide) override;
    static float Points_to_MM_Convert(float points);
    static float MM_to_Points_Convert(float millimetres);
    float MM_to_Points(float millimetres) override { return MM_to_Points_Convert(millimetres); }
    static QImage Increase_DPI(const QImage& image, double dpi);
    static void Save_gen_image(const QImage& image, const QString& path);
    void Get_Email_Details();
    static int Get_OS_Version();
    // The export-done box, with details behind its message ("" for none).
    void Open_Export_File_Box(const QString& details);
    static QStringList Get_Files_Array_At_Path(const QString& folder);
    QStringList Get_datasheet_File_Name_Array() const override;
    bool Check_Batch_File_In_Use_Validation(const QString& seriesName) const override;
    static void Delete_Excel_File_Temp_Folder();
    static QString Get_date_Value(const QString& pattern);
    static QString Get_time_Value(const QString& pattern) { return Get_date_Value(pattern); }
    static QString Convert_Path_From_URL(const QUrl& url);
    static int Check_And_Validate_File_Path(const QString& path);
    // The please-wait sheet over the main window; callable from any thread.
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();
    void Show_One_By_One_Modeless();
    void Hide_One_By_One_Modeless();

    // ---- Export and data rows ---------------------------------------------------------
    // The export command: the export sheet, then one file or one card per data row.
    void Export_Button();
    // After a batch: the canvas shows the first card again.
    void Select_first_row_value_for_design();

    // ---- Series ----------------------------------------------------------------------------
    // The series editor; the generator in new-series mode.
    void Batch_Series_Button();
    void Create_Series_Button();
    void Open_Import_Wizard(int file_name_required, int file_name_Insert) override;
    // Objects bound to the series saved, here or by another program, show its new first value.
    void seriesSaved(const QString& seriesName) override;
    // The spreadsheet table: a workbook's chosen columns become it; the viewer shows it.
    void Open_Excel_Table_Import(const QString& workbookPath);
    int Open_Excel_Table_Viewer();
    // Before a run (and as a design opens): when the workbook the card's bound objects take
    // their rows from has changed since they were read, asks whether to read it again (the
    // default) or to use the rows as read; a missing workbook is named. False when the run is
    // cancelled. *readAgain, when given, says whether the rows were read again.
    bool confirmBoundWorkbookIsCurrent(bool beforeRun = true, bool* readAgain = nullptr);
    // ---- Image library and background gallery -----------------------------------------
    // Runs the image library for clip art ("C") or backgrounds ("B"); on 1 the chosen file
    // is in lib_window_sel_file.
    int Open_Image_Library_Window(const QString& mode);
    BackgroundGallery* imageBrowser = nullptr;

    // ---- Sides and redrawing ----------------------------------------------------------
    void Select_front_side();
    void Select_back_side();
    void Select_temp_design_side();
    // The scratch side shows the current side's objects (the same instances).
    void Temp_Design_Control_Assign();
    // Shows canvas 0 front, 1 back, 2 scratch; any other index changes nothing.
    void changeViewController(int index);
    void Refresh_Canvas() override;
    // Rebuilds the inspector for an object, or for the card with none, and puts the arrow
    // tool back.
    void Show_RHS_Properties(const SKTGraphicPtr& graphic) override;
    void Undo_Redo_Button_state() override;
    void Card_Base_Drawing(QPainter& painter, const QRectF& rect) override;
    SKTGraphicPtr shownOnFirstCard(const SKTGraphicPtr& graphic) override;
    bool showsOnFirstCard(const SKTGraphicPtr& graphic) override;
    // The value a bound object takes on the first card; none when unbound or its source is empty.
    std::optional<QString> valueOnFirstCard(const SKTGraphic& graphic);
    QString goneColumnOf(const SKTGraphic& graphic) override;
    // Clones of both sides' objects and settings as the first card shows them, for a run.
    CardSnapshot firstCardSnapshot();
    // New each time a design is started or opened, so windows tell designs apart whatever
    // their card names.
    quint64 designSerial() const { return designSerial_; }
    SKTGrid* grid() const override { return _grid; }
    void Set_Paste_Button_Status() override;
    // The panel shows the current side's new selection and the commands follow it.
    void selectionDidChange(const SKTGraphicView& canvas) override;
    // Opens the barcode window on the current side's current object.
    void Open_Barcode_Window() override;
    // Shows the text's words in the panel, selected and taking the keyboard.
    void editText(const SKTGraphicPtr& text) override;
    // Runs the barcode window on an object; on OK the object has the new settings and picture.
    // True when the window ended with OK (Cancel changes nothing).
    bool Open_Barcode_Window_For(const SKTGraphicPtr& graphic);
    // Follows the card's number of sides: CARD_SIDE_STR, the back side's command, and the
    // front shown when the back is no longer part of the card.
    void applyCardSides();
    // Writes the card panel's settings into the shown side's record (and the shared ones into
    // the other side's), marking nothing.
    void writeCardSettings();
    // Gives the shown side's text objects the card's text colour and font when these changed.
    void applyCardTextContent();
    // The card's size and shape as they are now.
    CardLayout currentCardLayout() const;
    // Applies the size in the panel to the card.
    void applyCardSize();
    // Applies the size in the panel; a change from the layout before is one undo step of the
    // side shown.
    void applyCardSizeAsStep(const CardLayout& before);
    // The boxes of every object of the front and the back.
    QList<QRectF> boxesOfBothSides() const;
    // Registers, on a side's history, putting back the card's layout.
    void registerCardLayoutUndo(SKTDocument::Side side, const CardLayout& layout);
    void restoreCardLayout(SKTDocument::Side side, const CardLayout& layout);
    // Puts a barcode picture on an object at the picture's size.
    static void showBarcodePicture(SKTGraphic& barcode, const Picture& picture);
    bool rulersVisible() const override { return rulersVisible_; }
    void setRulersVisible(bool visible) override;
    void echoBoundsOnRulers(const QRectF& bounds) override;
    void set_Front_BG_Image(const QString& path);
    void set_Back_BG_Image(const QString& path);

    // ---- Edit commands, locking and sides ---------------------------------------------
    void Undo_Clicked();
    void Redo_Clicked();
    void Cut_Clicked();
    void Copy_Clicked();
    void Paste_Clicked();
    void Delete_Clicked();
    // A passing note in the status bar, for what a change that stands brought with it.
    void showNote(const QString& text);
    void Select_All_Clicked();
    void Begin_Front_Clicked();
    void Send_Back_Clicked();
    void Lock_Clicked();
    void Unlock_Clicked();
    void Temp_Card_Btn_Clicked();
    void Show_Hide_Ruler_ChkBox(bool shown);
    void User_Profile_Button_Clicked();

    // ---- Profiles ----------------------------------------------------------------------
    // Runs the profile dialog: with a side ("F" or "B", blanks trimmed) the side's own,
    // loading its profile objects when load is set; with "" the empty editor. 1 after OK,
    // which also opens the gate for the front and back placements.
    int Open_User_Profile_Window(bool load, const QString& loadSide);
    void Fill_User_profile_Details();
    // Put the side's profile record on its canvas as text and image objects under the
    // fields' control identifiers; the front and back only once a dialog was confirmed.
    void Fill_User_profile_info_front_side();
    void Fill_User_profile_info_back_side();
    void Fill_User_profile_info_TEMP_side();
    // The preview: copies of the current side's objects on the scratch side with the
    // scratch record placed on them. The card, the tool and the next object's picture and
    // position stay as they were.
    SKTDocument::Graphics previewProfileOnScratchSide();
    void Print_object_chk_changed(int value);

    // ---- Button states (the table of which commands a selection allows) ---------------
    void Enable_Standard_Button_For_Control() override;
    void Enable_Standard_Button_For_Unlock() override;
    void Disable_Standard_Button_For_Lock() override;
    void Disable_Standard_Button_For_Card() override;

    // ---- Layout and grid commands -----------------------------------------------------
    enum class Layout
    {
        Left,
        Right,
        Top,
        Bottom,
        HorizontalCentres,
        VerticalCentres,
        Centre,
        SameWidth,
        SameHeight,
        NaturalSize,
        ToGrid
    };
    void layoutCommand(Layout command);
    void toggleGridConstraining();
    void toggleGridShowing();
    void Grid_Clr_Changed(const QColor& color);
    void Grid_Slider_Changed(double spacing);
    void Grid_Show_Hide_Changed(bool shown);

    // ---- Card settings panel ----------------------------------------------------------
    Card_PropertyPtr currentCardSettings() const override;
    QRectF frontCanvasBounds() const override;
    void clearCurrentSelection() override;
    void Update_Card_Graphics() override;
    void Update_All_Card_Content() override;
    std::optional<QFont> firstTextFont() const override;
    void Apply_Size_Clicked() override;
    void card_shape_CellClick(int row) override;
    void Card_Image_Browse_Btn() override;
    void Card_Image_Library_Btn() override;
    void card_prop_set(const QString& fillStyle);
    void Card_Prop_Clicked();

    // ---- Object pages -----------------------------------------------------------------
    void writeSelectedGraphics(const GraphicWriter& write) override;
    void textEditingRunStarted() override;
    void changeObjectsAsStep(const std::function<void()>& change) override;
    // The same, the step named so whatever settings the change touched.
    void changeObjectsAsNamedStep(const std::function<void()>& change, const QString& stepName);
    void beginChangeRun() override;
    void endChangeRun() override;
    SKTGraphicPtr currentGraphic() const override;
    bool spreadsheetBound() const override;
    QStringList spreadsheetColumnTitles() const override;
    // The first values the barcode window encodes for a bound barcode.
    QString Get_First_Value_Of_Dataset(const QString& seriesName) const;
    QString Get_First_Value_Of_Excel_Binding(int column) const;
    void View_batch_Series_Button(const QString& source, const QString& seriesName) override;
    QString formattedNow(const QString& pattern) const override { return Get_date_Value(pattern); }
    bool Browse_Library_Clip_Art() override;
    void Card_Bckgrnd_Clicked();

    // ---- Templates, help and leaving --------------------------------------------------
    // Saves the design as a user template with its two-sided preview.
    void Export_As_Template_Clicked();
    // Runs the template browser; on OK opens the chosen template as a new untitled design.
    // True when a template was opened.
    bool Open_Template_Browser();
    void New_From_Template_Clicked();
    // The card-size chooser, from the card settings' size row.
    void Open_Card_Size_Chooser() override;
    // The new-profile dialog of the chooser and the template browser; a profile given there
    // is placed on both sides of the card that the window opens.
    void openNewProfile() override;
    void Help_Button();
    void About_Button();
    // Promotion of a sibling product: "S", "R" or "B".
    void Open_Promotion(const QString& softwareType);
    // Asks to save unsaved changes, then shows the review window; false when the user's
    // save did not happen, so the program must go on.
    bool Exit_App();
    // The design differs from its file: undoable edits of either side since the last save,
    // or panel edits, which undo does not record.
    bool hasUnsavedChanges() const;
    void setUnsavedEdits(bool edited) override;
    PropertiesInspector& inspector() const { return *inspector_; }
    // The commands, by object name, for menus, tool buttons and tests.
    QAction* action(const QString& name) const;

    // ---- State read by other windows and by tests -------------------------------------
    SKTDocument& document() { return *document_; }
    SKTGraphicView* canvasOfSide(SKTDocument::Side side) const;
    SKTGraphicView* currentCanvas() const;
    bool scratchSideShown() const;
    // One zoom factor serves all three sides.
    void setZoomFactor(double factor);
    // The next factor of the zoom table up (1) or down (-1).
    void zoomBy(int steps);
    Card_PropertyPtr Front_card_Prop;
    Card_PropertyPtr Back_card_Prop;
    std::unique_ptr<User_Profile_Class> Front_user_profile;
    std::unique_ptr<User_Profile_Class> Back_user_profile;
    std::unique_ptr<User_Profile_Class> TEMP_user_profile;
    std::unique_ptr<Data_From_Excel> spreadsheet;
    std::unique_ptr<BarcodeWindowHost> barcodeHost_;
    std::unique_ptr<Barcode_Gen> barcodeWindow_;
    Send_Modeless* send_modls_wnd = nullptr;
    QStringList pvc_card_arry;
    QStringList paper_card_arry;
    QList<QVariantMap> ListData; // the card-size list: one row per preset name
    QList<QVariantMap> data_table_content;
    QString App_Name;
    double _zoomFactor = 1.0;

    // Controls of the inspector's pages that start-up and the card-size code fill.
    QTabWidget* sett_tab = nullptr;
    QComboBox* Text_Date_style = nullptr;
    QComboBox* Text_Time_style = nullptr;
    QComboBox* shape_hatch_style = nullptr;
    QComboBox* Card_hatch_style = nullptr;
    QListWidget* ColList = nullptr;
    QDoubleSpinBox* width_Text = nullptr;
    QDoubleSpinBox* height_Text = nullptr;
    QLabel* Front_back_label = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend class MainWindowExport;
    MainMailHost* mailHost_ = nullptr; // made on the first mail command

    void buildWindow();
    void createActions();
    void createMenus();
    void createToolBars();
    void connectCommands();
    void updateModifiedMark();
    void refreshUndoActions();
    void sideGraphicsChanged(SKTDocument::Side side);
    void setEditActionsEnabled(bool cut, bool copy, bool del, bool front, bool back, bool lock, bool unlock);
    // Same width and height, natural size and align to grid: on only when they can act.
    void updateLayoutActions();
    void lockSelection(bool lock);
    void buildBackgroundGallery();
    // "Print this object" tells whether all, none or some of the selected objects print.
    void showSelectionPrinting();
    // The strip's picture becomes the front's background as one undo step of the front.
    void applyGalleryBackground(const QString& path);
    // Registers, on the front's history, putting back the front's background as it is now.
    void registerFrontBackgroundUndo();
    // Reads a background picture the person chose; a picture that cannot be used is refused
    // with its reason through dialogs() and gives a null image. Holding the result keeps the
    // decoded copy that set_Front_BG_Image or set_Back_BG_Image then shares.
    QImage acceptBackgroundPicture(const QString& path);
    // Runs a change of the card's pages; what it altered of the card settings and of the
    // side's texts is one undo step of the side then shown. Nothing altered, no step.
    void changeCardAsStep(const std::function<void()>& change);
    CardSettingsState cardSettingsState(SKTDocument::Side side) const;
    // Registers, on the side's history, putting back the card settings in the state given.
    void registerCardSettingsUndo(SKTDocument::Side side, const CardSettingsState& state);
    // Registers, on the side's history, putting the objects back in the state given.
    void registerObjectSettingsUndo(SKTDocument::Side side, const ObjectSettingsState& state);
    // After an undo or redo, a paste or a profile placed: the panel shows the canvas's current
    // object (or the card with none), with the values they now have.
    void showCurrentSelection();
    // Shows the object's pages, or the card's with none, leaving the drawing tool as it is.
    void showInPanel(const SKTGraphicPtr& graphic);
    // The preset list (for the card) or the print check box (for objects) after the panel changed.
    void afterPanelShown(const SKTGraphicPtr& graphic);
    // Shows the object's tabs anew, for its lock state; the selection stays.
    void showObjectAfresh(const SKTGraphicPtr& graphic);
    // Fills the pages shown again with the values the card or the object now has.
    void reloadPanel();
    // The rows or the stored series may have changed, by any way they reach the design (a
    // workbook taken in, read again, given back by Cancel, Undo or Redo, a series written): the
    // panel's source page lists the columns and series there are now, the shown object's column
    // found by its title, and every canvas draws the first card that the runs take from them.
    void sourcesChanged();
    void loadPlaceholders();
    void fillFixedLists();
    void resetCardProperty(Card_Property& card) const;
    // A design begun by File > New after the first is named "Untitled 2", "Untitled 3"...: its
    // print jobs never take an earlier untitled design's title.
    void nameNewUntitledDesign();
    DesignContents currentDesign() const;
    QString chooseDesignToOpen() const;
    // The design in a file, or nothing (and the message that says so, or with whyNot that
    // message put there instead) when it cannot be read.
    std::optional<DesignContents> readDesignFile(const QString& path, QString* whyNot = nullptr) const;
    // With unsaved changes, asks whether to save them first; false when the user cancelled or
    // the save did not happen, so the command must stop.
    bool saveChangesFirst(const QString& question, bool showMessages);
    void applyDesign(DesignContents& contents, const QString& path, const QString& mode);
    // Reads the bound workbook again behind the please-wait sheet, as one undo step, and says
    // how many rows it holds and which columns are gone; false when it cannot be read and the
    // person cancels rather than use the rows as read.
    bool readBoundWorkbookAgain(bool beforeRun, bool* readAgain);
    // Registers, on the side's history, putting the workbook binding back as it is given, with
    // the rows, path and what later checks compare the workbook against. A side whose history
    // cannot take it is left marked changed.
    void registerWorkbookUndo(SKTDocument::Side side, const WorkbookBinding& binding);
    // The same for the workbook a profile's OK took in, once, within the step that places it.
    void registerWorkbookBeforeProfile(SKTDocument::Side side);
    // Every way of opening a design: reads the file, asks mayReplace (when given) before the
    // design on screen goes, loads it and says which of its pictures cannot be shown. 1 when
    // the design was loaded.
    int openDesign(
        const QString& path, const QString& mode, const std::function<bool()>& mayReplace, QString* whyNot = nullptr);
    // The first of the designs named on the command line that opens, opened as File > Open
    // opens it, and one alert naming those not opened and why; true when one opened.
    bool openNamedDesigns(const QStringList& paths);
    // The file the design was read from or last written to, as it was then, locked while it is
    // open here; says so when another Galavite has it open, and once when that cannot be known.
    void holdDesignFile(const QString& path, const QString& identity, bool sayIfOpenElsewhere);
    void letGoOfDesignFile();
    // Before a save replaces the design's own file: whether another program changed or removed
    // it since, and if so what the user wants done.
    enum class ReplaceAnswer
    {
        Replace, // the file as it was opened or saved here, or a file not this design's
        ReplaceChanged, // whatever is at the path now, a link itself rather than the file it names
        SaveElsewhere,
        Cancel
    };
    ReplaceAnswer askIfChangedElsewhere(const QString& path) const;
    void reloadCardSizeList();
    int selectedPresetRow() const;
    void deselectPresetUnlessSizeMatches();
    void buildCanvases();
    void placeProfile(const User_Profile_Class& profile, SKTGraphicView* canvas, bool gated);
    // Places a side's profile as one undo step of that side.
    void placeProfileOnSide(const User_Profile_Class& profile, SKTGraphicView* canvas);
    // Registers, on the side's history, putting back its profile fields' texts, photos,
    // visibility and sources as they are now.
    void registerProfileFieldsUndo(SKTDocument::Side side);
    // A newly placed profile text grows to hold its value and the first values of its source.
    void fitToValues(const SKTGraphicPtr& placed, const QString& shown, const QSizeF& cardSize) const;
    void placeNewProfileIfGiven(bool cardOpened);
    // A profile given for a card that does not open: the design on screen gets back the
    // workbook it had before the profile's OK took in another.
    void letGoOfWorkbookOfProfile();
    // A text placed by the text tool grows with what is typed while it keeps the size the
    // program gave it; once the user sizes it, it keeps the user's size.
    void startGrowingText(const SKTGraphicPtr& text);
    void growNewTextToFit(const SKTGraphicPtr& graphic);

    std::unique_ptr<SKTDocument> document_;
    SKTGraphicView* _graphicView = nullptr;
    SKTGraphicView* _graphicView_BACK = nullptr;
    SKTGraphicView* _graphicView_TEMP = nullptr;
    SKTZoomingScrollView* _zoomingScrollView = nullptr;
    SKTZoomingScrollView* _zoomingScrollView_BACK = nullptr;
    SKTZoomingScrollView* _zoomingScrollView_TEMP = nullptr;
    QStackedWidget* sides_ = nullptr;
    PropertiesInspector* inspector_ = nullptr;
    Grid_Wizard* gridWindow_ = nullptr;
    bool unsavedEdits_ = false;
    DesignLock designLock_;
    QString heldDesignPath_;
    QString heldDesignIdentity_; // fileIdentity of heldDesignPath_ when read or written
    QString toldUnknownFor_; // the design whose other programs the user was told cannot be known
    // The panel is being rebuilt: the selection changes that makes (showing the card empties
    // the selection) are its own, not the user's.
    bool fillingPanel_ = false;
    // A change of the objects is being run: changes within it join its step.
    bool changingObjects_ = false;
    // The side whose history holds the undo group of a slider being dragged.
    std::optional<SKTDocument::Side> changeRunSide_;
    bool newProfileForNextCard_ = false;
    // The workbook binding before a profile's OK took in another workbook, until the profile
    // is placed (or not placed after all) as an undo step that gives it back.
    std::shared_ptr<const WorkbookBinding> workbookBeforeProfile_;
    // The untitled designs begun in this run, the first one included.
    int untitledDesigns_ = 1;
    quint64 designSerial_ = 0;
    std::weak_ptr<SKTGraphic> growingText_;
    QSizeF growingTextPlacedSize_;
    QRectF growingTextBounds_;
    QHash<QString, QAction*> actions_;
    PleaseWait_Modeless* plz_wait_Window = nullptr;
    BatchWizard* batchWizard_ = nullptr;
    std::unique_ptr<MainProfileHost> profileHost_;
    Profile_Dialog* userProfileWindow_ = nullptr;
    Profile_Dialog* showUserProfileWindow_ = nullptr;
    Import_Wizard* importWizard_ = nullptr;
    SpreadsheetViewer* spreadsheetViewer_ = nullptr;
    int Selected_Control_Tool_ = 0;
    QImage no_image, sign_sample_img, fp_sample_img, barcode_sample_img;
    SKTGrid* _grid = nullptr;
    bool rulersVisible_ = false;
    MainWindowExport* export_ = nullptr;
    struct FirstCardSources;
    std::shared_ptr<FirstCardSources> firstCard_; // shared: its type is known only where it is used
    // The first card's sources, with the spreadsheet table as it now stands.
    FirstCardSources& firstCard();
};
