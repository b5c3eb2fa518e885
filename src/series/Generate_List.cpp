#include "series/Generate_List.h"

#include "common/StringHelpers.h"
#include "data/SeriesGenerators.h"
#include "data/SeriesStore.h"
#include "platform/DialogService.h"
#include "widgets/DialogParent.h"
#include "series/BatchWizard.h"
#include "series/BusyCursor.h"
#include "widgets/DialogParent.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

QPointer<Generate_List> Gen_List_DefaultInstance;

// A number field with up and down arrows; typed text is bounded by rule, the arrows step
// within [minimum, maximum].
QWidget* numberField(QLineEdit*& field, QString (*rule)(const QString&), int minimum, int maximum, QWidget* owner)
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    QLineEdit* edit = field = new QLineEdit;
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    QObject::connect(edit, &QLineEdit::textEdited, owner, [edit, rule](const QString& text) {
        const QString bounded = rule(text);
        if (bounded != text)
            edit->setText(bounded);
    });
    row->addWidget(edit);
    for (const int step : { 1, -1 }) {
        auto* arrow = new QToolButton;
        arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setToolTip(step > 0 ? QObject::tr("One more") : QObject::tr("One less"));
        arrow->setAutoRepeat(true);
        QObject::connect(arrow, &QToolButton::clicked, owner, [edit, step, minimum, maximum] {
            edit->setText(QString::number(std::clamp(leadingInteger(edit->text()) + step, minimum, maximum)));
        });
        row->addWidget(arrow);
    }
    row->addStretch(1);
    return box;
}

} // namespace

Generate_List::Generate_List(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Generate Series"));
    auto* layout = new QVBoxLayout(this);
    // The name rows come and go with the mode; the window keeps the height of what it shows.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    boxes_[Sequential] = buildSequential();
    boxes_[Constant] = buildConstant();
    boxes_[Random] = buildRandom();
    auto* choice = new QButtonGroup(this);
    const QList<QRadioButton*> radios = { radioButton_Sequntial, radioButton_Constant, radioButton_Random };
    for (int i = 0; i < 3; ++i) {
        choice->addButton(radios[i], i);
        layout->addWidget(radios[i]);
        layout->addWidget(boxes_[i]);
    }
    connect(choice, &QButtonGroup::idClicked, this, [this](int id) { selectGenerator(Generator(id)); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Generate"));
    connect(buttons, &QDialogButtonBox::accepted, this, &Generate_List::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

Generate_List* Generate_List::defaultInstance()
{
    if (!Gen_List_DefaultInstance)
        Gen_List_DefaultInstance = new Generate_List(dialogParent());
    return Gen_List_DefaultInstance;
}

QGroupBox* Generate_List::buildSequential()
{
    radioButton_Sequntial = new QRadioButton(tr("&Sequential numbers"));
    auto* box = new QGroupBox;
    auto* form = new QFormLayout(box);
    form->addRow(tr("Series name:"), seq_file_name = new QLineEdit);
    form->addRow(tr("Prefix:"), prefix_txt = new QLineEdit);
    form->addRow(tr("Suffix:"), suffix_txt = new QLineEdit);
    auto* range = new QHBoxLayout;
    from_txt = new QLineEdit;
    to_txt = new QLineEdit;
    for (QLineEdit* edit : { from_txt, to_txt })
        connect(edit, &QLineEdit::textEdited, this, [edit](const QString& text) {
            const QString bounded = boundedFromToText(text);
            if (bounded != text)
                edit->setText(bounded);
        });
    range->addWidget(from_txt);
    range->addWidget(new QLabel(tr("to")));
    range->addWidget(to_txt);
    form->addRow(tr("From:"), range);
    auto* digits = new QHBoxLayout;
    manage_digit_chk = new QCheckBox(tr("Keep the number of digits (leading zeros)"));
    auto* help = new QToolButton;
    help->setIcon(QIcon::fromTheme(QStringLiteral("help-about")));
    help->setText(QStringLiteral("?"));
    help->setToolTip(tr("How the digits are kept"));
    connect(help, &QToolButton::clicked, this, &Generate_List::Help_btn_Pressed);
    digits->addWidget(manage_digit_chk);
    digits->addWidget(help);
    digits->addStretch(1);
    form->addRow(QString(), digits);
    nameFields_[Sequential] = seq_file_name;
    return box;
}

QGroupBox* Generate_List::buildConstant()
{
    radioButton_Constant = new QRadioButton(tr("&Constant value"));
    auto* box = new QGroupBox;
    auto* form = new QFormLayout(box);
    form->addRow(tr("Series name:"), const_file_name = new QLineEdit);
    form->addRow(tr("Value:"), value_txt = new QLineEdit);
    form->addRow(tr("Count:"), numberField(count_txt, boundedCountText, 1, 10000, this));
    nameFields_[Constant] = const_file_name;
    return box;
}

QGroupBox* Generate_List::buildRandom()
{
    radioButton_Random = new QRadioButton(tr("&Random numbers"));
    auto* box = new QGroupBox;
    auto* form = new QFormLayout(box);
    form->addRow(tr("Series name:"), rndm_file_name = new QLineEdit);
    form->addRow(tr("Prefix:"), rand_prefix_txt = new QLineEdit);
    form->addRow(tr("Suffix:"), rand_suffix_txt = new QLineEdit);
    form->addRow(tr("Digits:"), numberField(rand_length_txt, boundedLengthText, 1, 9, this));
    form->addRow(tr("Count:"), numberField(rand_count_txt, boundedCountText, 1, 10000, this));
    nameFields_[Random] = rndm_file_name;
    return box;
}

int Generate_List::Open_Wnd(int fileNameRequired, int fileNameInsert)
{
    file_name_required = fileNameRequired;
    file_name_Insert = fileNameInsert;
    resetFields();
    prefix_txt->setFocus();
    const int result = dialogs().runModal(*this);
    hide();
    return result;
}

void Generate_List::resetFields()
{
    const bool named = file_name_required == 1;
    for (QLineEdit* name : nameFields_) {
        name->clear();
        // A hidden field would leave its "Series name:" label behind.
        name->setVisible(named);
        if (auto* form = qobject_cast<QFormLayout*>(name->parentWidget()->layout()); form && form->labelForField(name))
            form->labelForField(name)->setVisible(named);
    }
    if (named)
        seq_file_name->setText(QStringLiteral("Untitled"));
    manage_digit_chk->setChecked(false);
    for (QLineEdit* field : { prefix_txt, suffix_txt, from_txt, to_txt, value_txt, rand_prefix_txt, rand_suffix_txt })
        field->clear();
    for (QLineEdit* field : { count_txt, rand_length_txt, rand_count_txt })
        field->setText(QStringLiteral("1"));
    selectGenerator(Sequential);
}

void Generate_List::selectGenerator(Generator generator)
{
    generator_ = generator;
    const QList<QRadioButton*> radios = { radioButton_Sequntial, radioButton_Constant, radioButton_Random };
    radios[generator]->setChecked(true);
    if (Trim_Str(nameFields_[generator]->text()).isEmpty())
        nameFields_[generator]->setText(QStringLiteral("Untitled"));
    for (int i = 0; i < 3; ++i)
        boxes_[i]->setEnabled(i == generator);
}

void Generate_List::Help_btn_Pressed()
{
    dialogs().showMessage(tr("Maintain number of Digits By adding 0's before smaller values. ") + QStringLiteral("\n\n")
        + QStringLiteral("For example:\r\nIf you have to generate a series of barcodes having values from '0' to "
                         "'200', this option automatically converts small values such as '1' to '001' and '11' "
                         "to '011' to maintain number of digits same as the highest value in the series.\r\n\r\n"
                         "Similarly, if you have selected a series starting from '001' to '00200', this option "
                         "automatically converts small values such as '001' to '00001' and '0011' to '00011' to "
                         "maintain number of digits same as the highest value in the series."));
}

bool Generate_List::inputsComplete()
{
    const auto refuse = [](QLineEdit* field, const QString& message) {
        dialogs().showMessage(message);
        field->setFocus();
        return false;
    };
    switch (generator_) {
    case Sequential:
        if (from_txt->text().isEmpty())
            return refuse(from_txt, QStringLiteral("Please enter valid 'From' value."));
        if (to_txt->text().isEmpty())
            return refuse(to_txt, QStringLiteral("Please enter valid 'To' value."));
        if (leadingInteger(to_txt->text()) <= leadingInteger(from_txt->text()))
            return refuse(from_txt, QStringLiteral("'From' value must be smaller than 'To' value."));
        return true;
    case Constant:
        if (value_txt->text().isEmpty())
            return refuse(value_txt, QStringLiteral("Please enter valid 'Value'."));
        if (count_txt->text().isEmpty())
            return refuse(count_txt, QStringLiteral("Please enter valid 'Count' value."));
        return true;
    case Random:
        if (rand_count_txt->text().isEmpty())
            return refuse(rand_count_txt, QStringLiteral("Please enter valid 'Count' value."));
        if (rand_length_txt->text().isEmpty())
            return refuse(rand_length_txt, QStringLiteral("Please enter valid 'Length' value."));
        return true;
    }
    return false;
}

QLineEdit* Generate_List::nameField() const
{
    return nameFields_[generator_];
}

QStringList Generate_List::values() const
{
    switch (generator_) {
    case Sequential:
        return sequentialSeries(
            prefix_txt->text(), suffix_txt->text(), from_txt->text(), to_txt->text(), manage_digit_chk->isChecked());
    case Constant:
        return constantSeries(value_txt->text(), count_txt->text());
    case Random:
        return randomSeries(
            rand_prefix_txt->text(), rand_suffix_txt->text(), rand_length_txt->text(), rand_count_txt->text());
    }
    return {};
}

bool Generate_List::writeNewSeries(const QStringList& values)
{
    const QString name = cleanSeriesName(nameField()->text());
    if (!isSeriesNameSafe(name)) {
        dialogs().showMessage(seriesAccessError(name, unsafeSeriesNameReason));
        nameField()->setFocus();
        return false;
    }
    if (seriesExists(name)
        && !dialogs().askYesNoSafe(QStringLiteral("Batch Processing Series already exists. Do you want to replace it?")))
        return false;
    BusyCursor busy;
    QString reason;
    if (!writeSeriesFile(seriesFilePath(name), values, false, &reason)) {
        dialogs().showMessage(seriesAccessError(name, reason));
        return false;
    }
    // Made here, not read from a file: no folder of origin to look for pictures in.
    setSeriesOrigin(name, QString());
    return true;
}

void Generate_List::OKPressed()
{
    if (!inputsComplete())
        return;
    const QStringList made = values();
    if (file_name_required == 1) {
        if (!writeNewSeries(made))
            return;
    } else if (BatchWizard_Window) {
        BatchWizard_Window->Create_Value_List(made);
    }
    if (file_name_Insert == 1 && BatchWizard_Window)
        BatchWizard_Window->Fill_List();
    accept();
}
