#pragma once

#include "data/TemplateStore.h"
#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "wizards/Template_Wizard.h"

// Chooses the template of that name in the template browser, among the user's own templates
// or the built-in ones, and presses OK.
inline void chooseTemplate(Template_Wizard& browser, const QString& name, bool usersOwn)
{
    browser.setChoiceDidChange(usersOwn ? 1 : 0);
    const QList<MyImageObject>& items = browser.imageBrowser->pictures()->images();
    for (int row = 0; row < items.size(); ++row)
        if (TemplateStore::nameOf(items[row].path) == name)
            browser.imageBrowser->selectRow(row);
    browser.OK_Click();
}
