#pragma once

#include "imports/Import_Excel.h"
#include "imports/SheetChooser.h"
#include "mainwindow/SKTWindowController.h"
#include "profilewindows/Show_User_Profile.h"
#include "support/ScriptedDialogService.h"

#include <QAction>

#include <functional>

// Card › Profile… › Browse… `workbook`, taking sheet `sheet` with all its columns, as a person
// does: `beforeBrowse` sees the profile dialog as it opened, then `inDialog` works it once the
// rows are in and answers it. The fixture's modal handler (`otherModal`) is borrowed meanwhile.
inline void browseInProfile(SKTWindowController& main, ScriptedDialogService& dialogs,
    std::function<int(QDialog&)>& otherModal, const QString& workbook, const QString& sheet,
    const std::function<int(Show_User_Profile&)>& inDialog,
    const std::function<void(Show_User_Profile&)>& beforeBrowse = {})
{
    otherModal = [&](QDialog& dialog) {
        if (auto* cells = qobject_cast<Import_Excel*>(&dialog)) {
            cells->chooser->chooseSheet(cells->chooser->Sheet_ComboBox->findText(sheet));
            cells->chooser->Select_ALL_Pressed();
            cells->OKPressed();
            return cells->result();
        }
        auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
        if (!profile)
            return 0;
        if (beforeBrowse)
            beforeBrowse(*profile);
        dialogs.fileAnswers = { workbook };
        profile->Browse_excel_Btn_Clicked();
        return inDialog(*profile);
    };
    main.action(QStringLiteral("Profile_Btn"))->trigger();
    otherModal = nullptr;
}
