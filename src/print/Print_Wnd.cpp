#include "print/Print_Wnd.h"

#include "print/AlignmentIcons.h"
#include "print/Printing_View.h"
#include "print/Sample_Preview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

Print_Wnd* instance = nullptr;

QDoubleSpinBox* millimetreField(double minimum, double maximum)
{
    auto* field = new QDoubleSpinBox;
    field->setRange(minimum, maximum);
    field->setDecimals(2);
    field->setSingleStep(1.0);
    field->setSuffix(QStringLiteral(" mm"));
    field->setKeyboardTracking(false);
    return field;
}

// The longest job title as a PDF queue spells it in its file name: it names its file after the
// first 64 characters alone, and two jobs whose titles differ only past them write one file.
// The print service's own limit, 255 bytes, is far above.
constexpr qsizetype maxJobTitleLength = 60;

// How long a PDF queue spells a letter: a plain one as one character, any other byte by byte in
// UTF-8, four characters a byte (half of a pair of surrogates is two of its four bytes).
qsizetype spelledLength(QChar letter)
{
    const char16_t code = letter.unicode();
    return code < 0x80 ? 1 : code < 0x800 || letter.isSurrogate() ? 8 : 12;
}

qsizetype spelledLength(const QString& text)
{
    qsizetype length = 0;
    for (const QChar letter : text)
        length += spelledLength(letter);
    return length;
}

// As much of text as a PDF queue spells in length characters, never a letter cut in two.
QString leadingSpelled(const QString& text, qsizetype length)
{
    qsizetype end = 0;
    for (qsizetype used = 0; end < text.size(); ++end) {
        used += spelledLength(text[end]);
        if (used > length)
            break;
    }
    if (end > 0 && end < text.size() && text[end - 1].isHighSurrogate())
        --end;
    return text.left(end);
}

QSpinBox* countField(int minimum, int maximum)
{
    auto* field = new QSpinBox;
    field->setRange(minimum, maximum);
    field->setKeyboardTracking(false);
    return field;
}

} // namespace

Print_Wnd::Print_Wnd(QWidget* parent)
    : QDialog(parent)
    , printInfo(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    instance = this;
    setWindowTitle(tr("Print"));
    buildWindow();
    connectFields();
}

QString Print_Wnd::jobTitle(const Printing_View& job) const
{
    // A queue shows the title, and a PDF queue names its file after it: the design, the sides
    // and, in a batch, the rows tell one job from the next. Plain hyphens, as such a queue
    // keeps only plain letters in a file name.
    QString name = designName();
    // The print service takes no control characters in a title: it would put "Untitled" for
    // all of it, and every job of a PDF queue would overwrite the last one's file.
    for (QChar& letter : name)
        if (letter.category() == QChar::Other_Control)
            letter = u' ';
    name = name.trimmed();
    const QString& side = job.settings().Print_Card_Side;
    QString sides = side == PrintLayout::sideBoth ? tr("front and back")
        : side == PrintLayout::sideBack           ? tr("back")
                                                  : tr("front");
    if (batch_.inUse()) {
        const auto [first, last] = job.cardRange(*printInfo);
        sides = first == last ? tr("%1, row %2").arg(sides).arg(first)
                              : tr("%1, rows %2-%3").arg(sides).arg(first).arg(last);
    }
    const QString rest = tr(" - %1").arg(sides);
    // A long name gives way, the sides and rows stay.
    const qsizetype room = maxJobTitleLength - spelledLength(rest);
    if (spelledLength(name) > room) {
        const QString cut = QStringLiteral("\u2026");
        name = leadingSpelled(name, room - spelledLength(cut)).trimmed() + cut;
    }
    return (name.isEmpty() ? QStringLiteral("Untitled") : name) + rest;
}

Print_Wnd::~Print_Wnd()
{
    if (instance == this)
        instance = nullptr;
}

Print_Wnd* Print_Wnd::defaultInstance()
{
    return instance;
}

QString Print_Wnd::pdfFileEntry()
{
    return tr("PDF file");
}

void Print_Wnd::buildWindow()
{
    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addWidget(buildPrinterGroup());
    settingsColumn->addWidget(buildCardGroup());
    settingsColumn->addStretch();
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(buildGridGroup());
    gridColumn->addWidget(buildQuantityGroup());
    gridColumn->addStretch();

    PrintView = new Sample_Preview;
    Print_sclview = new QScrollArea;
    Print_sclview->setWidget(PrintView);
    Print_sclview->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Print_sclview->setBackgroundRole(QPalette::Dark);
    Print_sclview->setMinimumSize(380, 420);

    auto* columns = new QHBoxLayout;
    columns->addLayout(settingsColumn);
    columns->addLayout(gridColumn);
    columns->addWidget(Print_sclview, 1);

    auto* buttons = new QDialogButtonBox;
    QPushButton* preview = buttons->addButton(tr("Pre&view…"), QDialogButtonBox::ActionRole);
    preview->setToolTip(tr("Show the sheets as they will print"));
    QPushButton* print = buttons->addButton(tr("&Print…"), QDialogButtonBox::AcceptRole);
    print->setToolTip(tr("Print the cards"));
    print->setDefault(true);
    // Named here, as some desktops give their own Cancel the letter C, which "Cards" has.
    buttons->addButton(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    // A job runs in a local event loop, and its progress sheet covers the window only after a
    // moment: a second press meanwhile would start a second job on the same printer.
    auto jobStarting = std::make_shared<bool>(false);
    const auto startJob = [this, jobStarting](bool previewOnly) {
        if (*jobStarting)
            return;
        const QScopedValueRollback starting(*jobStarting, true);
        Execute_Printing(previewOnly);
    };
    connect(preview, &QPushButton::clicked, this, [startJob] { startJob(true); });
    connect(print, &QPushButton::clicked, this, [startJob] { startJob(false); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(buttons);
}

QWidget* Print_Wnd::buildPrinterGroup()
{
    auto* group = new QGroupBox(tr("Printer"));
    auto* form = new QFormLayout(group);
    Printer_ComboBox = new QComboBox;
    Printer_ComboBox->setToolTip(tr("The printer, or a PDF file"));
    form->addRow(tr("P&rinter:"), Printer_ComboBox);
    Orient_ComboBox = new QComboBox;
    Orient_ComboBox->addItems({ tr("Portrait"), tr("Landscape") });
    form->addRow(tr("Orient&ation:"), Orient_ComboBox);
    Paper_id = new QLabel;
    Size_id = new QLabel;
    auto* pageSetup = new QPushButton(tr("Page &Setup…"));
    pageSetup->setToolTip(tr("Choose the paper and its margins"));
    connect(pageSetup, &QPushButton::clicked, this, &Print_Wnd::pagesetup);
    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(Paper_id, 1);
    paperRow->addWidget(pageSetup);
    form->addRow(tr("Paper:"), paperRow);
    form->addRow(tr("Size (mm):"), Size_id);
    l_mar_id = new QLabel;
    r_mar_id = new QLabel;
    t_mar_id = new QLabel;
    b_mar_id = new QLabel;
    l_mar_id->setAccessibleName(tr("Left margin"));
    r_mar_id->setAccessibleName(tr("Right margin"));
    t_mar_id->setAccessibleName(tr("Top margin"));
    b_mar_id->setAccessibleName(tr("Bottom margin"));
    auto* margins = new QGridLayout;
    margins->addWidget(new QLabel(tr("Left:")), 0, 0);
    margins->addWidget(l_mar_id, 0, 1);
    margins->addWidget(new QLabel(tr("Right:")), 0, 2);
    margins->addWidget(r_mar_id, 0, 3);
    margins->addWidget(new QLabel(tr("Top:")), 1, 0);
    margins->addWidget(t_mar_id, 1, 1);
    margins->addWidget(new QLabel(tr("Bottom:")), 1, 2);
    margins->addWidget(b_mar_id, 1, 3);
    form->addRow(tr("Margins (mm):"), margins);
    return group;
}

QWidget* Print_Wnd::buildCardGroup()
{
    auto* group = new QGroupBox(tr("Card"));
    auto* form = new QFormLayout(group);
    bothSides = new QRadioButton(tr("&Front and back"));
    frontSide = new QRadioButton(tr("Front onl&y"));
    backSide = new QRadioButton(tr("&Back only"));
    auto* sides = new QVBoxLayout;
    for (QRadioButton* side : { bothSides, frontSide, backSide }) {
        sides->addWidget(side);
        connect(side, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                card_side_CellClick();
        });
    }
    form->addRow(tr("Print:"), sides);
    print_alignment = new QComboBox;
    print_alignment->addItems({ tr("Back below front"), tr("Back beside front") });
    print_alignment->setToolTip(tr("Where the back goes when both sides print"));
    form->addRow(tr("Bac&k:"), print_alignment);
    width_Text = millimetreField(1, 2000);
    height_Text = millimetreField(1, 2000);
    form->addRow(tr("Cell &width:"), width_Text);
    form->addRow(tr("Cell &height:"), height_Text);
    return group;
}

QWidget* Print_Wnd::buildGridGroup()
{
    auto* group = new QGroupBox(tr("Layout"));
    auto* form = new QFormLayout(group);
    Row_Text = countField(1, 999);
    Col_Text = countField(1, 999);
    horz_mar_Text = millimetreField(0, 1000);
    vert_mar_Text = millimetreField(0, 1000);
    form->addRow(tr("R&ows:"), Row_Text);
    form->addRow(tr("Colu&mns:"), Col_Text);
    form->addRow(tr("Co&lumn gap:"), horz_mar_Text);
    form->addRow(tr("Row &gap:"), vert_mar_Text);
    Auto_Center_chk_bx = new QCheckBox(tr("A&uto-centre"));
    Auto_Center_chk_bx->setToolTip(tr("Spread the cells evenly over the page"));
    form->addRow(Auto_Center_chk_bx);

    align_Gp_Bx = new QGroupBox(tr("Position"));
    auto* positions = new QGridLayout(align_Gp_Bx);
    alignmentButtons = new QButtonGroup(this);
    for (int position = 1; position <= 9; ++position) {
        auto* button = new QToolButton;
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(AlignmentIcons::icon(position));
        button->setIconSize(QSize(24, 24));
        button->setToolTip(AlignmentIcons::toolTip(position));
        button->setAccessibleName(AlignmentIcons::toolTip(position));
        alignmentButtons->addButton(button, position);
        positions->addWidget(button, (position - 1) / 3, (position - 1) % 3);
    }
    connect(alignmentButtons, &QButtonGroup::idClicked, this, &Print_Wnd::alignmentChosen);
    form->addRow(align_Gp_Bx);
    Show_Margins = new QCheckBox(tr("Show c&ell outlines"));
    form->addRow(Show_Margins);
    return group;
}

QWidget* Print_Wnd::buildQuantityGroup()
{
    auto* group = new QGroupBox(tr("Quantity"));
    auto* form = new QFormLayout(group);
    Total_Text = countField(0, 999999);
    Total_Text->setToolTip(tr("How many cards to print"));
    Copies_Text = countField(1, 999);
    form->addRow(tr("&Cards:"), Total_Text);
    form->addRow(tr("Cop&ies:"), Copies_Text);
    print_with_batch_chk = new QCheckBox(tr("Rows of &the bound series"));
    print_with_excel_chk = new QCheckBox(tr("Rows of the boun&d spreadsheet"));
    form->addRow(print_with_batch_chk);
    form->addRow(print_with_excel_chk);
    onlySheets_chk = new QCheckBox(tr("O&nly sheets"));
    onlySheets_chk->setToolTip(tr("Print some sheets again, for example after a paper jam"));
    firstSheet_Text = countField(1, 999999);
    firstSheet_Text->setAccessibleName(tr("First sheet"));
    lastSheet_Text = countField(1, 999999);
    lastSheet_Text->setAccessibleName(tr("Last sheet"));
    auto* sheets = new QHBoxLayout;
    sheets->addWidget(firstSheet_Text);
    sheets->addWidget(new QLabel(tr("to")));
    sheets->addWidget(lastSheet_Text);
    form->addRow(onlySheets_chk, sheets);
    return group;
}

void Print_Wnd::connectFields()
{
    for (QDoubleSpinBox* field : { width_Text, height_Text, horz_mar_Text, vert_mar_Text })
        connect(field, &QDoubleSpinBox::valueChanged, this, &Print_Wnd::Check_Max_Cell_Value);
    for (QSpinBox* field : { Row_Text, Col_Text })
        connect(field, &QSpinBox::valueChanged, this, &Print_Wnd::gridCountTyped);
    connect(Printer_ComboBox, &QComboBox::currentIndexChanged, this, &Print_Wnd::printerChosen);
    connect(Orient_ComboBox, &QComboBox::currentIndexChanged, this, &Print_Wnd::orientationChosen);
    connect(print_alignment, &QComboBox::currentIndexChanged, this, [this](int index) {
        settings_.Print_Card_Algn = index == 0 ? PrintLayout::backBelow : PrintLayout::backBeside;
        Check_Max_Cell_Value();
    });
    connect(Show_Margins, &QCheckBox::toggled, this, [this](bool on) {
        settings_.Show_margin_rect = on;
        Refresh_Preview();
    });
    connect(Auto_Center_chk_bx, &QCheckBox::toggled, this, &Print_Wnd::Auto_Center_Checked);
    connect(print_with_batch_chk, &QCheckBox::toggled, this, &Print_Wnd::Print_With_Batch_Changed);
    connect(print_with_excel_chk, &QCheckBox::toggled, this, &Print_Wnd::Print_With_Batch_Changed);
    connect(onlySheets_chk, &QCheckBox::toggled, firstSheet_Text, &QWidget::setEnabled);
    connect(onlySheets_chk, &QCheckBox::toggled, lastSheet_Text, &QWidget::setEnabled);
    // The last sheet never stands before the first.
    connect(firstSheet_Text, &QSpinBox::valueChanged, lastSheet_Text, &QSpinBox::setMinimum);
}
