#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// The name the template-name dialog accepted last, without extension.
extern QString export_template_name;

// Asks for a template name, for saving the design as a new template (template_passed "")
// or for renaming the template named in template_passed. The accepted name is one file
// name in the user-template folder and goes to export_template_name.
class Export_Template : public QDialog
{
    Q_OBJECT

public:
    explicit Export_Template(QWidget* parent = nullptr);

    // Fills the two fields and runs the dialog modally: 1 after an accepted name, else 0.
    int runFor(const QString& typedName, const QString& passedName);

    void OKPressed();
    void CancelPressed();

    QLineEdit* template_name;
    QLineEdit* template_passed; // hidden: the current name when renaming

protected:
    void reject() override { CancelPressed(); }

private:
    QLabel* renaming_;
};
