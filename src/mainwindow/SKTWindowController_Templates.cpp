#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "common/MessageBoxes.h"
#include "data/TemplateStore.h"
#include "data/WorkbookBinding.h"
#include "inspector/CardSettingsPage.h"
#include "jobs/CardSnapshot.h"
#include "jobs/JobProgress.h"
#include "inspector/PropertiesInspector.h"
#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "platform/CheckedWrite.h"
#include "platform/PngEncoder.h"
#include "profiles/User_Profile_Class.h"
#include "render/CombinedCardImage.h"
#include "widgets/ProgressSheetWork.h"
#include "wizards/CardSizeFields.h"
#include "wizards/Card_Wizard.h"
#include "wizards/Export_Template.h"
#include "wizards/Template_Wizard.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>

#include <utility>

void SKTWindowController::Export_As_Template_Clicked()
{
    Export_Template dialog(this);
    if (dialog.runFor(QString(), QString()) != 1)
        return;
    // The preview is drawn first, on a worker behind the progress sheet: its Stop saves nothing.
    const CardSnapshot card = CardSnapshot::take(Get_Front_Controls_Array(), Get_Back_Controls_Array(),
        *Front_card_Prop, *Back_card_Prop, Card_Shape, frontCanvasBounds());
    JobProgress progress;
    progress.total = 1;
    QByteArray png;
    runBehindProgressSheet(progress, QStringLiteral("Preview"), [&] {
        const QImage preview = combinedCardImage(card.front, card.frontBase(), card.back, card.backBase());
        if (progress.mayContinue() && !preview.isNull())
            png = encodePngFast(preview);
        progress.done = 1;
    });
    if (progress.stopRequested) {
        Show_MessageBox(QStringLiteral("Saving the template was stopped. The template was not saved."));
        return;
    }
    // Written straight through the design writer: saving a template is no save of the design,
    // which keeps its own file name and its unsaved mark.
    const auto writeDesign
        = [this](const QString& path, QString* error) { return DesignFile::write(path, currentDesign(), error); };
    const auto writePreview = [&png](const QString& path, QString* error) {
        if (png.isEmpty()) {
            *error = QStringLiteral("The card could not be drawn.");
            return false;
        }
        return writeFileChecked(path, png, error);
    };
    QString error;
    if (TemplateStore::saveUserTemplate(export_template_name, writeDesign, writePreview, &error))
        Show_MessageBox(QStringLiteral("Template exported successfully."));
    else
        Show_MessageBox(QStringLiteral("The template could not be saved.\n") + error);
    Set_Log_Name_In_Title();
}

bool SKTWindowController::Open_Template_Browser()
{
    if (!Template_Wizard::defaultInstance())
        new Template_Wizard(*this, this);
    newProfileForNextCard_ = false;
    if (Template_Wizard::defaultInstance()->Open_Template_Window() != 1) {
        letGoOfWorkbookOfProfile();
        placeNewProfileIfGiven(false);
        return false;
    }
    // Loading starts a new project, which forgets the profile given in the browser and the
    // workbook it took in.
    const User_Profile_Class front = *Front_user_profile;
    const User_Profile_Class back = *Back_user_profile;
    const bool tookWorkbook = workbookBeforeProfile_ != nullptr;
    const WorkbookBinding profileWorkbook = WorkbookBinding::current();
    // Opened as "T": a new untitled design made from the template's objects and settings.
    const bool opened = Read_and_load_design_Log(Selected_Template_Path, QStringLiteral("T")) == 1;
    if (!opened)
        letGoOfWorkbookOfProfile();
    if (opened && newProfileForNextCard_) {
        *Front_user_profile = front;
        *Back_user_profile = back;
        Fill_User_Profile = true;
        // The new card takes the workbook as Card › Profile… takes one: placing the profile
        // is the step that gives back the template's own.
        if (tookWorkbook) {
            workbookBeforeProfile_ = std::make_shared<const WorkbookBinding>(WorkbookBinding::current());
            profileWorkbook.restore();
            sourcesChanged();
        }
    }
    placeNewProfileIfGiven(opened);
    return opened;
}

void SKTWindowController::letGoOfWorkbookOfProfile()
{
    if (const auto before = std::exchange(workbookBeforeProfile_, nullptr)) {
        before->restore();
        sourcesChanged();
    }
}

void SKTWindowController::New_From_Template_Clicked()
{
    if (!saveChangesFirst(QStringLiteral("Do you want to save changes before opening new document?"), true))
        return;
    // A design made from a template is a new one: it does not print under the last one's name.
    if (Open_Template_Browser())
        nameNewUntitledDesign();
    Undo_Redo_Button_state();
}

void SKTWindowController::Open_Card_Size_Chooser()
{
    if (!Card_Wizard::defaultInstance())
        new Card_Wizard(*this, this);
    Card_Wizard& chooser = *Card_Wizard::defaultInstance();
    const int designShape = Card_Shape;
    const CardLayout before = currentCardLayout();
    newProfileForNextCard_ = false;
    const CardSettingsPage& page = *inspector_->card_setting_tab;
    const Card_Wizard::CardChoice card { page.Category_ComboBox->currentText(), page.Preset_ComboBox->currentText(),
        selectedPresetRow(), cardSizeInControl(), designShape };
    if (chooser.Open_Wnd(card) != 1) {
        // The chooser forgets its shape on Cancel; the design keeps its own.
        Card_Shape = designShape;
        placeNewProfileIfGiven(false);
        return;
    }
    const CardSizeFields& fields = *chooser.fields;
    Set_Card_Size_In_Control(QSizeF(fields.width_Stepper->value(), fields.height_Stepper->value()));
    const QList<QListWidgetItem*> preset = fields.ColList->selectedItems();
    Set_Card_Preset_In_Control(fields.Category_ComboBox->currentText(), fields.Preset_ComboBox->currentText(),
        preset.isEmpty() ? -1 : fields.ColList->row(preset.first()));
    if (QAbstractButton* shape = inspector_->card_setting_tab->matrix_card_shape->button(Card_Shape))
        shape->setChecked(true);
    applyCardSizeAsStep(before);
    placeNewProfileIfGiven(true);
}

void SKTWindowController::openNewProfile()
{
    if (Open_User_Profile_Window(false, QString(QLatin1String(""))) == 1)
        newProfileForNextCard_ = true;
}

void SKTWindowController::placeNewProfileIfGiven(bool cardOpened)
{
    const bool given = std::exchange(newProfileForNextCard_, false);
    if (given && cardOpened) {
        // Placed on the card's final size, so the fields land inside it.
        Fill_User_profile_Details();
        Show_RHS_Properties(nullptr);
        Refresh_Canvas();
    } else if (workbookBeforeProfile_) {
        // The profile is not placed, but the workbook it took in stays: a change of its own.
        const SKTDocument::Side side = currentCanvas()->editedSide();
        document_->undoManager(side).runAsStep(
            QStringLiteral("Import Workbook"), [&] { registerWorkbookBeforeProfile(side); });
        refreshUndoActions();
    }
}
