#pragma once

#include "common/Globals.h"
#include "data/Data_From_Excel.h"
#include "export/ExportWindow.h"
#include "library/Image_Library.h"
#include "library/PictureBrowser.h"
#include "mailing/SentMailStore.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/PlistValue.h"
#include "platform/PropertyList.h"
#include "series/Open_Export_Log.h"
#include "support/Patience.h"
#include "support/ScriptedDialogService.h"
#include "wizards/Invitation_Wizard.h"
#include "wizards/Start_Card.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The index of the first item where two item lists differ, or -1 when they are equal.
// Archives are compared by what they hold: one archive may be laid out in different bytes.
inline int firstDifference(const PlistArray& a, const PlistArray& b)
{
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i].isData() && b[i].isData()) {
            if (!(PropertyList::read(a[i].toData()) == PropertyList::read(b[i].toData())))
                return int(i);
        } else if (!(a[i] == b[i])) {
            return int(i);
        }
    }
    return a.size() == b.size() ? -1 : int(std::min(a.size(), b.size()));
}

// Answers the image library by choosing the picture at `row`, or cancels when row is -1.
inline std::function<int(QDialog&)> chooseInLibrary(int row, QString* title = nullptr)
{
    return [row, title](QDialog& dialog) {
        auto* library = qobject_cast<Image_Library*>(&dialog);
        if (!library)
            return 0;
        if (title)
            *title = library->windowTitle();
        dialog.setResult(0);
        if (row < 0) {
            library->Cancel_Clicked();
        } else {
            library->imageBrowser->selectRow(row);
            library->OK_Clicked();
        }
        return dialog.result();
    };
}

// Writes a series file of the given lines into the series folder.
inline void writeSeries(const QString& name, const QByteArray& values)
{
    QDir().mkpath(Data_Folder_Path);
    QFile file(QDir(Data_Folder_Path).filePath(name + QStringLiteral(".txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(values);
}

// A started main window whose start-up wizard is answered from the test: a new plastic
// card of the chosen preset unless a test asks otherwise.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previousExit_ = SKTWindowController::programExit();
        SKTWindowController::programExit() = [this](int status) { exitStatus = status; };
        dialogs->modalHandler = [this](QDialog& dialog) { return answerModal(dialog); };
        // Other test programs mail at the same time: each test keeps its own record of mails sent.
        SentMailStore::setDefaultPath(folder.filePath(QStringLiteral("Sent mails.sqlite")));
    }

    void TearDown() override
    {
        window.reset();
        // The design's workbook outlives its window; the next test's program starts without one.
        Excel_Source_Path.clear();
        Excel_Binding_Use = false;
        SKTWindowController::programExit() = previousExit_;
        SentMailStore::setDefaultPath(QString());
        if (!savedDataFolder_.isNull())
            Data_Folder_Path = savedDataFolder_;
    }

    SKTWindowController& start()
    {
        window = std::make_unique<SKTWindowController>();
        startResult = window->awakeFromNib();
        return *window;
    }

    // The main window sets the series folder when it starts; a test that makes series gives
    // them a folder of its own, since other test programs run at the same time.
    SKTWindowController& startWithOwnSeriesFolder()
    {
        SKTWindowController& main = start();
        savedDataFolder_ = Data_Folder_Path;
        Data_Folder_Path = QDir(folder.path()).filePath(QStringLiteral("series"));
        QDir().mkpath(Data_Folder_Path);
        return main;
    }

    // The start dialog: the wizard unless a test chooses otherwise, and Exit once the
    // wizard was cancelled.
    int answerStart(QDialog& dialog)
    {
        auto& startDialog = static_cast<Start_Card&>(dialog);
        startDialog.setResult(0);
        if (startAnswer)
            startAnswer(startDialog);
        else if (wizardCancelled)
            startDialog.CancelClick();
        else
            startDialog.Using_Wizard_Click();
        return startDialog.result();
    }

    int answerModal(QDialog& dialog)
    {
        if (qobject_cast<Start_Card*>(&dialog)) {
            ++startRuns;
            return answerStart(dialog);
        }
        auto* wizard = qobject_cast<Invitation_Wizard*>(&dialog);
        if (!wizard)
            return otherModal ? otherModal(dialog) : 0;
        ++wizardRuns;
        wizardCancelled = wizardAnswers.empty() || !wizardAnswers.front().finish;
        if (wizardAnswers.empty())
            return 0;
        const WizardAnswer answer = wizardAnswers.front();
        if (wizardAnswers.size() > 1)
            wizardAnswers.erase(wizardAnswers.begin());
        wizard->setResult(0);
        if (!answer.finish) {
            wizard->CancelClick();
            return wizard->result();
        }
        // Through the steps as the buttons go: size, the first background, the first title
        // and message, no party details.
        wizard->Category_ComboBox->setCurrentText(answer.category);
        wizard->Category_ComboBox->activated(wizard->Category_ComboBox->currentIndex());
        wizard->Size_List->setCurrentRow(answer.sizeIndex);
        wizard->Preset_ComboBox->setCurrentIndex(answer.vertical ? 1 : 0);
        wizard->Preset_ComboBox->activated(wizard->Preset_ComboBox->currentIndex());
        wizard->Shape_ComboBox->setCurrentIndex(answer.shape);
        if (answer.everyDetail) {
            wizard->from_value->setText(QStringLiteral("Bob and Carol Underwood"));
            wizard->to_value->setText(QStringLiteral("Ann and Family"));
            wizard->venue_value->setText(QStringLiteral("The Old Mill, Riverside Road, Lower Ashford"));
            wizard->Date_picker->setDate(QDate(2027, 12, 29));
            wizard->Time_picker->setTime(QTime(18, 30));
        }
        for (int step = 1; step <= 4 && wizard->result() == 0; ++step)
            wizard->OK_Click();
        // Most tests want a bare card: forget what the wizard chose before it is placed.
        if (!answer.partyDetails) {
            for (QString* detail : { &Invite_Title, &Invite_Message, &Invite_From, &Invite_To, &Invite_Venue,
                     &Invite_Date, &Invite_Time, &Invite_BG_IMG })
                detail->clear();
        }
        return wizard->result();
    }

    // Saves the design into the test's folder under `name`, starts a new one and opens the
    // saved file again; what opening returned (1 when it opened).
    int saveAndOpenAgain(SKTWindowController& main, const QString& name)
    {
        const QString path = folder.filePath(name);
        dialogs->fileAnswers = { path };
        main.Save_Btn_Clicked();
        main.New_Project_Setting_Reset();
        dialogs->fileAnswers = { path };
        return main.Open_Log_File();
    }

    // What the box at the end of an export says: its message and its details.
    struct ExportEnd
    {
        QString message;
        QString details;
    };

    // A batch export of the front as PNG through the export window into the test's folder;
    // the end, or an empty one when the run did not start. The folder comes from `files`
    // (the test's scripted answers when none is given).
    ExportEnd exportFrontAsPng(SKTWindowController& main, ScriptedDialogService* files = nullptr)
    {
        ScriptedDialogService& answers = files ? *files : *dialogs;
        answers.fileAnswers = { folder.path() };
        bool done = false;
        QString details;
        otherModal = [&](QDialog& dialog) {
            if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
                sheet->fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
                return 1;
            }
            done = true; // the export-done box
            if (auto* log = qobject_cast<Open_Export_Log*>(&dialog); log && log->detailsText)
                details = log->detailsText->toPlainText();
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
                box->setChecked(false);
            return 0;
        };
        Export_File_Message.clear();
        main.Export_Button();
        // The folder's answer is taken only by a run that starts.
        if (answers.fileAnswers.empty()) {
            EXPECT_TRUE(patience::eventually([&] { return done; })) << "the export did not finish";
        }
        otherModal = nullptr;
        return done ? ExportEnd { Export_File_Message, details } : ExportEnd {};
    }

    struct WizardAnswer
    {
        bool finish = true; // false: Cancel
        QString category = QStringLiteral("PVC Card");
        int sizeIndex = 0;
        bool vertical = false;
        int shape = 0;
        bool partyDetails = false; // keep the wizard's title, message and background
        bool everyDetail = false; // with partyDetails: host, guest, venue, date and time too
    };

    ScriptedDialogs dialogs;
    std::vector<WizardAnswer> wizardAnswers { WizardAnswer {} };
    std::function<int(QDialog&)> otherModal;
    std::function<void(Start_Card&)> startAnswer;
    int startRuns = 0;
    int wizardRuns = 0;
    bool wizardCancelled = false;
    int exitStatus = -1;
    std::unique_ptr<SKTWindowController> window;
    SKTWindowController::StartResult startResult {};
    QTemporaryDir folder;

private:
    std::function<void(int)> previousExit_;
    QString savedDataFolder_;
};
