#include "wizards/Export_Template.h"

#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "data/TemplateStore.h"
#include "dialogs/ModalRun.h"
#include "platform/DialogService.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QString export_template_name = QString(QLatin1String(""));

Export_Template::Export_Template(QWidget* parent)
    : QDialog(parent)
    , template_name(new QLineEdit)
    , template_passed(new QLineEdit)
    , renaming_(new QLabel)
{
    setWindowTitle(QStringLiteral("Template Name"));
    template_passed->hide();
    template_name->setMinimumWidth(280);
    template_name->setMaxLength(120);
    auto* form = new QFormLayout;
    form->addRow(renaming_);
    form->addRow(QStringLiteral("Template &name:"), template_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &Export_Template::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &Export_Template::CancelPressed);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int Export_Template::runFor(const QString& typedName, const QString& passedName)
{
    template_name->setText(typedName);
    template_passed->setText(passedName);
    renaming_->setVisible(!passedName.isEmpty());
    renaming_->setText(QStringLiteral("Rename the template \"%1\" to:").arg(passedName));
    setWindowTitle(passedName.isEmpty() ? QStringLiteral("Save as Template") : QStringLiteral("Rename Template"));
    template_name->selectAll();
    template_name->setFocus();
    return runModalOnce(*this);
}

void Export_Template::OKPressed()
{
    const QString name = TemplateStore::cleanName(template_name->text());
    const TemplateStore::NameProblem problem = TemplateStore::checkName(name);
    if (problem != TemplateStore::NameProblem::None) {
        Show_MessageBox_No_Thread(TemplateStore::nameProblemMessage(problem));
        return;
    }
    const QString passed = Trim_Str(template_passed->text());
    const bool taken = QFileInfo::exists(TemplateStore::userDesignPath(name));
    if (passed.isEmpty() && taken
        && !dialogs().askYesNoSafe(
            QStringLiteral("Template with this name already exists, Do you want to replace the existing template?")))
        return;
    if (!passed.isEmpty() && name != passed && taken) {
        Show_MessageBox_No_Thread(QStringLiteral("Template with this name already exists."));
        return;
    }
    export_template_name = name;
    done(1);
}

void Export_Template::CancelPressed()
{
    template_name->clear();
    done(0);
}
