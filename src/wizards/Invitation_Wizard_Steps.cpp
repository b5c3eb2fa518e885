#include "wizards/Invitation_Wizard.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "library/PictureFolder.h"
#include "model/CardGlobals.h"
#include "model/StoredPaths.h"
#include "platform/DialogService.h"
#include "wizards/PartyTextLists.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QTextCursor>
#include <QTimeEdit>

#include <exception>

int Invitation_Wizard::Open_Wnd()
{
    try {
        APP_path_label->setText(QStringLiteral("Data folder: ") + Resource_Path);
        imageBrowser->pictures()->setItems({});
        imageBrowser->setZoomValue(0.4);
        Load_and_fill_backgrounds();
        Reset_All();
        Load_Msg_And_Title();
        titles_.reset(Title_Array);
        messages_.reset(Message_Array);
        {
            // The first texts are no edit of the person's: Ctrl+Z never goes back past them.
            const QScopedValueRollback showing(showingText_, true);
            msg_title->setText(titles_.current());
            msg_value->setPlainText(messages_.current());
        }
        showStep(1);
        Size_List->setFocus();
        return dialogs().runModal(*this);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
}

void Invitation_Wizard::OK_Click()
{
    switch (next_counter) {
    case 1:
        next_counter = 2;
        showStep(2);
        auto_background_selection = true;
        if (imageBrowser->pictures()->rowCount() > 0)
            imageBrowser->selectRow(0);
        auto_background_selection = false;
        imageBrowser->setFocus();
        break;
    case 2:
        // A path stored by another installation is looked for under our Resources folder.
        if (!selected_image.isEmpty() && QFileInfo(Resolve_Stored_Picture_Path(selected_image)).isFile())
            enterTitleStep();
        else
            Show_MessageBox_No_Thread(QStringLiteral("Please select background."));
        break;
    case 3:
        selected_title = msg_title->text();
        selected_msg = msg_value->toPlainText();
        if (selected_title.isEmpty()) {
            Show_MessageBox_No_Thread(QStringLiteral("Please select title."));
            msg_title->setFocus();
        } else if (selected_msg.isEmpty()) {
            Show_MessageBox_No_Thread(QStringLiteral("Please select message."));
            msg_value->setFocus();
        } else {
            next_counter = 4;
            showStep(4);
            from_value->setFocus();
        }
        break;
    case 4:
        finish();
        break;
    default:
        break;
    }
}

void Invitation_Wizard::finish()
{
    Card_Shape = Shape_ComboBox->currentIndex();
    const QSizeF millimetres(float(width_Stepper->value()), float(height_Stepper->value()));
    host_.Set_Card_Size_In_Control(millimetres);
    host_.Set_Card_Preset_In_Control(
        Category_ComboBox->currentText(), Preset_ComboBox->currentText(), Size_List->currentRow());
    const QSizeF points(
        host_.MM_to_Points(float(millimetres.width())), host_.MM_to_Points(float(millimetres.height())));
    host_.Set_Document_Size(points);
    host_.SetDocumentCanvasSize(points);
    Invite_Title = Trim_Str(selected_title);
    Invite_Message = Trim_Str(selected_msg);
    Invite_From = Trim_Str(from_value->text());
    Invite_To = Trim_Str(to_value->text());
    Invite_Venue = Trim_Str(venue_value->text());
    Invite_Date = Trim_Str(selected_date);
    Invite_Time = Trim_Str(selected_time);
    Invite_BG_IMG = Trim_Str(selected_image);
    Start_Card_Option = QStringLiteral("W");
    done(1);
}

void Invitation_Wizard::Back_Click()
{
    switch (next_counter) {
    case 2:
        next_counter = 1;
        showStep(1);
        Size_List->setFocus();
        break;
    case 3:
        next_counter = 2;
        showStep(2);
        imageBrowser->setFocus();
        break;
    case 4:
        enterTitleStep();
        break;
    default:
        break;
    }
}

void Invitation_Wizard::CancelClick()
{
    done(0);
}

void Invitation_Wizard::HelpClick()
{
    Open_Help_File();
}

void Invitation_Wizard::enterTitleStep()
{
    next_counter = 3;
    showStep(3);
    // Selected, so that a title typed at once replaces the ready-made one.
    msg_title->setFocus();
    msg_title->selectAll();
}

bool Invitation_Wizard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == msg_value && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
            msg_value->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

void Invitation_Wizard::showStep(int step)
{
    pages->setCurrentIndex(step - 1);
    Back_Btn->setEnabled(step > 1);
    Next_btn->setText(step == 4 ? QStringLiteral("&Finish") : QStringLiteral("&Next"));
}

void Invitation_Wizard::Load_and_fill_backgrounds()
{
    imageBrowser->pictures()->setItems(pictureItemsInFolder(Resource_File(QStringLiteral("Background"))));
}

void Invitation_Wizard::Load_Msg_And_Title()
{
    const auto load = [](const QString& name, QStringList& entries) {
        const QString path = Resource_File(name);
        QString reason;
        const std::optional<QStringList> read = readEntryList(path, &reason);
        entries = read.value_or(QStringList());
        if (!read)
            Show_MessageBox_No_Thread(
                QStringLiteral("The list of ready-made texts could not be read. Please type your own.\n") + path
                + QLatin1Char('\n') + reason);
    };
    load(QStringLiteral("Title.txt"), Title_Array);
    load(QStringLiteral("Message.txt"), Message_Array);
}

void Invitation_Wizard::Title_Next_Click()
{
    showTitle(titles_.step(1));
}

void Invitation_Wizard::Title_Back_Click()
{
    showTitle(titles_.step(-1));
}

void Invitation_Wizard::Msg_Next_Click()
{
    showMessage(messages_.step(1));
}

void Invitation_Wizard::Msg_Back_Click()
{
    showMessage(messages_.step(-1));
}

void Invitation_Wizard::showTitle(const QString& text)
{
    const QScopedValueRollback showing(showingText_, true);
    msg_title->selectAll();
    msg_title->insert(text);
}

void Invitation_Wizard::showMessage(const QString& text)
{
    const QScopedValueRollback showing(showingText_, true);
    QTextCursor cursor(msg_value->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    msg_value->setTextCursor(cursor);
}

void Invitation_Wizard::Reset_All()
{
    selected_image.clear();
    selected_title.clear();
    selected_msg.clear();
    selected_date.clear();
    selected_time.clear();
    next_counter = 1;
    titles_.reset(Title_Array);
    messages_.reset(Message_Array);
    const QScopedValueRollback showing(showingText_, true);
    msg_title->clear();
    msg_value->clear();
    clear_details_btn->setEnabled(false);
    Clear_Details();
}

void Invitation_Wizard::Clear_Details()
{
    from_value->clear();
    to_value->clear();
    venue_value->clear();
    const QSignalBlocker dateBlocker(Date_picker);
    const QSignalBlocker timeBlocker(Time_picker);
    const QDateTime now = QDateTime::currentDateTime();
    Date_picker->setDate(now.date());
    Time_picker->setTime(now.time());
    Date_ctrl_value->clear();
    Time_ctrl_value->clear();
}

void Invitation_Wizard::Clear_Details_Click()
{
    if (dialogs().askYesNoSafe(QStringLiteral("Are you sure you want to clear details?")))
        Clear_Details();
}

void Invitation_Wizard::datePickerAction()
{
    selected_date = mediumDateText(Date_picker->date());
    Date_ctrl_value->setText(selected_date);
    clear_details_btn->setEnabled(true);
}

void Invitation_Wizard::timePickerAction()
{
    selected_time = Time_picker->time().toString(QStringLiteral("HH:mm"));
    Time_ctrl_value->setText(selected_time);
    clear_details_btn->setEnabled(true);
}

void Invitation_Wizard::imageBrowserSelectionDidChange(const QString& path)
{
    selected_image = path;
}

void Invitation_Wizard::capMessage()
{
    const QString text = msg_value->toPlainText();
    if (text.size() <= messageCap)
        return;
    const int position = std::min(msg_value->textCursor().position(), messageCap);
    const QSignalBlocker blocker(msg_value);
    msg_value->setPlainText(text.left(messageCap));
    QTextCursor cursor = msg_value->textCursor();
    cursor.setPosition(position);
    msg_value->setTextCursor(cursor);
}

void Invitation_Wizard::detailsEdited(const QString& text)
{
    if (!text.isEmpty())
        clear_details_btn->setEnabled(true);
}
