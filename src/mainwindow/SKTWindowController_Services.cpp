#include "mainwindow/SKTWindowController.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "data/SeriesStore.h"
#include "data/SpreadsheetWriter.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "widgets/Send_Modeless.h"
#include "mailing/Preferences.h"
#include "model/CardGlobals.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/DialogService.h"
#include "platform/GuiThread.h"
#include "render/CardUnits.h"
#include "render/GeneratedImages.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QUrl>

#include <typeinfo>

QString sender_email, sender_pwd, sending_server, sending_port, send_enable_ssl;

const SKTDocument::Graphics& SKTWindowController::Get_Front_Controls_Array() const
{
    return document_->graphics();
}

const SKTDocument::Graphics& SKTWindowController::Get_Back_Controls_Array() const
{
    return document_->graphics_back();
}

SKTDocument::Graphics SKTWindowController::Get_Temp_Controls_Array() const
{
    return document_->graphics_temp();
}

int SKTWindowController::Get_Front_Control_Count() const
{
    return int(document_->graphics().size());
}
int SKTWindowController::Get_Back_Control_Count() const
{
    return int(document_->graphics_back().size());
}
int SKTWindowController::Get_Temp_Control_Count() const
{
    return int(document_->graphics_temp().size());
}

QPointF SKTWindowController::Control_New_Point(const QString& cardSide)
{
    const int count = cardSide == QLatin1String("F") ? Get_Front_Control_Count() : Get_Back_Control_Count();
    const float step = float(qMax(count, 20));
    float x = last_ctrl_X + step;
    float y = last_ctrl_Y + step;
    const QRectF bounds = frontCanvasBounds();
    if (x + 50 >= bounds.width())
        x = last_ctrl_X = 10.0f;
    if (y + 50 >= bounds.height())
        y = last_ctrl_Y = 10.0f;
    last_ctrl_X = x;
    last_ctrl_Y = y;
    return QPointF(x, y);
}

float SKTWindowController::Points_to_MM_Convert(float points)
{
    return ::Points_to_MM_Convert(points);
}

float SKTWindowController::MM_to_Points_Convert(float millimetres)
{
    return ::MM_to_Points_Convert(millimetres);
}

QImage SKTWindowController::Increase_DPI(const QImage& image, double dpi)
{
    return ::Increase_DPI(image, dpi);
}

void SKTWindowController::Save_gen_image(const QImage& image, const QString& path)
{
    ::Save_gen_image(image, path);
}

void SKTWindowController::Get_Email_Details()
{
    const auto settings = Preferences::sharedInstance();
    sender_email = settings->send_email_SenderEmail();
    sender_pwd = settings->send_email_Password();
    sending_server = settings->send_email_SMTP_server();
    sending_port = settings->send_email_PORT_num();
    send_enable_ssl = settings->send_email_enable_ssl();
}

int SKTWindowController::Get_OS_Version()
{
    return QT_VERSION_MAJOR * 100 + QT_VERSION_MINOR;
}

QStringList SKTWindowController::Get_Files_Array_At_Path(const QString& folder)
{
    return fileBaseNamesIn(folder);
}

QStringList SKTWindowController::Get_datasheet_File_Name_Array() const
{
    return seriesNames();
}

bool SKTWindowController::Check_Batch_File_In_Use_Validation(const QString& seriesName) const
{
    if (!seriesExists(seriesName))
        return false;
    const auto boundTo = [&](const SKTDocument::Graphics& graphics) {
        for (const SKTGraphicPtr& graphic : graphics) {
            const auto& kind = typeid(*graphic);
            if (kind != typeid(SKTImage) && kind != typeid(SKTText) && kind != typeid(SKTBarcode))
                continue;
            if (graphic->data_source_type == 1 && graphic->batch_list_name == seriesName)
                return true;
        }
        return false;
    };
    if (boundTo(Get_Front_Controls_Array()))
        return true;
    return CARD_SIDE_STR == QLatin1String("2") && boundTo(Get_Back_Controls_Array());
}

void SKTWindowController::Delete_Excel_File_Temp_Folder()
{
    Delete_File(SpreadsheetWriter::workFolder());
}

QString SKTWindowController::Get_date_Value(const QString& pattern)
{
    // Patterns use "a" for AM/PM; Qt's form is "AP".
    QString qtPattern = pattern;
    qtPattern.replace(QLatin1Char('a'), QStringLiteral("AP"));
    return QLocale().toString(QDateTime::currentDateTime(), qtPattern);
}

QString SKTWindowController::Convert_Path_From_URL(const QUrl& url)
{
    return url.toLocalFile();
}

int SKTWindowController::Check_And_Validate_File_Path(const QString& path)
{
    const QString trimmed = Trim_Str(path);
    if (!trimmed.isEmpty() && QFileInfo::exists(trimmed))
        return 0;
    Show_MessageBox(QStringLiteral("Please select valid file path."));
    return 1;
}

void SKTWindowController::Show_Create_Modeless()
{
    plz_wait_Window->Show_Create_Modeless();
}

void SKTWindowController::Hide_Destroy_Modeless()
{
    plz_wait_Window->Hide_Destroy_Modeless();
}

void SKTWindowController::Show_One_By_One_Modeless()
{
    runOnGuiThreadAndWait([this] {
        send_modls_wnd->show();
        send_modls_wnd->raise();
    });
}

void SKTWindowController::Hide_One_By_One_Modeless()
{
    runOnGuiThreadAndWait([this] { send_modls_wnd->hide(); });
}
