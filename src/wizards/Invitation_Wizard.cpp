#include "wizards/Invitation_Wizard.h"
#include "wizards/MillimetreSizeRow.h"

#include "library/PictureBrowser.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

QString Invite_Title, Invite_Message, Invite_From, Invite_To, Invite_Venue, Invite_Date, Invite_Time, Invite_BG_IMG;

namespace {
Invitation_Wizard* instance = nullptr;

QLabel* heading(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

// An arrow beside a text field. It takes no keyboard focus, so Tab goes from field to field;
// its key, pressed in the field, presses it.
QToolButton* arrowButton(Qt::ArrowType arrow, const QString& tip, QWidget* field)
{
    auto* button = new QToolButton;
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    const QKeySequence key(arrow == Qt::LeftArrow ? Qt::ALT | Qt::Key_Left : Qt::ALT | Qt::Key_Right);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText)));
    button->setAccessibleName(tip);
    auto* shortcut = new QShortcut(key, field, nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
    return button;
}

QString millimetres(double value)
{
    return QLocale::c().toString(value, 'f', 1);
}
} // namespace

Invitation_Wizard::Invitation_Wizard(InvitationWizardHost& host, QWidget* parent)
    : QDialog(parent)
    , host_(host)
{
    setWindowTitle(QStringLiteral("New Invitation Card"));
    pages = new QStackedWidget(this);
    pages->addWidget(buildSizePage());
    pages->addWidget(buildBackgroundPage());
    pages->addWidget(buildTitlePage());
    pages->addWidget(buildDetailsPage());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addWidget(buildButtons());
    resize(860, 580);
    instance = this;
}

Invitation_Wizard::~Invitation_Wizard()
{
    if (instance == this)
        instance = nullptr;
}

Invitation_Wizard* Invitation_Wizard::defaultInstance()
{
    return instance;
}

QWidget* Invitation_Wizard::buildSizePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Step 1 of 4: Card size")));
    auto* form = new QFormLayout;
    Category_ComboBox = new QComboBox;
    Category_ComboBox->addItems({ QStringLiteral("PVC Card"), QStringLiteral("Name Badge") });
    Size_List = new QListWidget;
    Preset_ComboBox = new QComboBox;
    Preset_ComboBox->addItems({ QStringLiteral("Horizontal"), QStringLiteral("Vertical") });
    Shape_ComboBox = new QComboBox;
    Shape_ComboBox->addItems(
        { QStringLiteral("Rectangle"), QStringLiteral("Rounded Rectangle"), QStringLiteral("Ellipse") });
    form->addRow(QStringLiteral("&Category:"), Category_ComboBox);
    form->addRow(QStringLiteral("&Size:"), Size_List);
    form->addRow(QStringLiteral("&Orientation:"), Preset_ComboBox);
    form->addRow(QStringLiteral("Sh&ape:"), Shape_ComboBox);
    addMillimetreSizeRow(*form, width_Stepper, height_Stepper);
    layout->addLayout(form, 1);
    APP_path_label = new QLabel;
    APP_path_label->setWordWrap(true);
    APP_path_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    APP_path_label->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(APP_path_label);
    connect(Category_ComboBox, &QComboBox::activated, this, [this] { fillSizeList(); });
    connect(Size_List, &QListWidget::currentRowChanged, this, [this] { applyPresetSize(); });
    connect(Preset_ComboBox, &QComboBox::activated, this, [this] { applyPresetSize(); });
    fillSizeList();
    return page;
}

QWidget* Invitation_Wizard::buildBackgroundPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Step 2 of 4: Background")));
    layout->addWidget(new QLabel(QStringLiteral("Click a picture to use it as the card's background.")));
    imageBrowser = new PictureBrowser;
    layout->addWidget(imageBrowser, 1);
    connect(imageBrowser, &PictureBrowser::imageBrowserSelectionDidChange, this,
        &Invitation_Wizard::imageBrowserSelectionDidChange);
    // Only a click on a picture moves on at once; the keyboard chooses and Next confirms.
    connect(imageBrowser, &PictureBrowser::pictureClicked, this, [this] {
        if (!auto_background_selection && next_counter == 2)
            OK_Click();
    });
    return page;
}

QWidget* Invitation_Wizard::buildTitlePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Step 3 of 4: Title and message")));
    layout->addWidget(new QLabel(QStringLiteral(
        "Browse the ready-made texts with the arrows (Alt+Left and Alt+Right in the field), or type your own.")));
    auto* form = new QFormLayout;
    msg_title = new QLineEdit;
    msg_title->setMaxLength(titleCap);
    title_bk_btn = arrowButton(Qt::LeftArrow, QStringLiteral("Previous title"), msg_title);
    title_nxt_btn = arrowButton(Qt::RightArrow, QStringLiteral("Next title"), msg_title);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(msg_title, 1);
    titleRow->addWidget(title_bk_btn);
    titleRow->addWidget(title_nxt_btn);
    form->addRow(QStringLiteral("&Title:"), titleRow);
    qobject_cast<QLabel*>(form->labelForField(titleRow))->setBuddy(msg_title);
    msg_value = new QPlainTextEdit;
    msg_value->setTabChangesFocus(true);
    msg_value->installEventFilter(this);
    msg_value->setMaximumHeight(120);
    msg_bk_btn = arrowButton(Qt::LeftArrow, QStringLiteral("Previous message"), msg_value);
    msg_nxt_btn = arrowButton(Qt::RightArrow, QStringLiteral("Next message"), msg_value);
    auto* messageRow = new QHBoxLayout;
    messageRow->addWidget(msg_value, 1);
    messageRow->addWidget(msg_bk_btn, 0, Qt::AlignTop);
    messageRow->addWidget(msg_nxt_btn, 0, Qt::AlignTop);
    form->addRow(QStringLiteral("&Message:"), messageRow);
    qobject_cast<QLabel*>(form->labelForField(messageRow))->setBuddy(msg_value);
    layout->addLayout(form);
    layout->addStretch(1);
    connect(title_bk_btn, &QToolButton::clicked, this, &Invitation_Wizard::Title_Back_Click);
    connect(title_nxt_btn, &QToolButton::clicked, this, &Invitation_Wizard::Title_Next_Click);
    connect(msg_bk_btn, &QToolButton::clicked, this, &Invitation_Wizard::Msg_Back_Click);
    connect(msg_nxt_btn, &QToolButton::clicked, this, &Invitation_Wizard::Msg_Next_Click);
    connect(msg_value, &QPlainTextEdit::textChanged, this, &Invitation_Wizard::capMessage);
    connect(msg_title, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!showingText_)
            titles_.typed(text);
    });
    connect(msg_value, &QPlainTextEdit::textChanged, this, [this] {
        if (!showingText_)
            messages_.typed(msg_value->toPlainText());
    });
    return page;
}

QWidget* Invitation_Wizard::buildDetailsPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Step 4 of 4: Party details")));
    auto* form = new QFormLayout;
    from_value = new QLineEdit;
    to_value = new QLineEdit;
    venue_value = new QLineEdit;
    from_value->setMaxLength(fromToCap);
    to_value->setMaxLength(fromToCap);
    venue_value->setMaxLength(venueCap);
    from_value->setPlaceholderText(QStringLiteral("Who is inviting"));
    to_value->setPlaceholderText(QStringLiteral("Who is invited"));
    venue_value->setPlaceholderText(QStringLiteral("Where the party is"));
    Date_picker = new QDateEdit;
    Date_picker->setCalendarPopup(true);
    Time_picker = new QTimeEdit;
    Time_picker->setDisplayFormat(QStringLiteral("HH:mm"));
    Date_ctrl_value = new QLineEdit;
    Time_ctrl_value = new QLineEdit;
    for (QLineEdit* shown : { Date_ctrl_value, Time_ctrl_value }) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::NoFocus);
        shown->setPlaceholderText(QStringLiteral("Not on the card"));
    }
    const auto pickerRow = [](QWidget* picker, QWidget* shown) {
        auto* row = new QHBoxLayout;
        row->addWidget(picker);
        row->addWidget(shown, 1);
        return row;
    };
    form->addRow(QStringLiteral("F&rom:"), from_value);
    form->addRow(QStringLiteral("&To:"), to_value);
    form->addRow(QStringLiteral("&Venue:"), venue_value);
    auto* dateRow = pickerRow(Date_picker, Date_ctrl_value);
    auto* timeRow = pickerRow(Time_picker, Time_ctrl_value);
    form->addRow(QStringLiteral("&Date:"), dateRow);
    form->addRow(QStringLiteral("T&ime:"), timeRow);
    qobject_cast<QLabel*>(form->labelForField(dateRow))->setBuddy(Date_picker);
    qobject_cast<QLabel*>(form->labelForField(timeRow))->setBuddy(Time_picker);
    clear_details_btn
        = new QPushButton(QIcon::fromTheme(QStringLiteral("edit-clear")), QStringLiteral("C&lear Details"));
    clear_details_btn->setAutoDefault(false);
    auto* clearRow = new QHBoxLayout;
    clearRow->addWidget(clear_details_btn);
    clearRow->addStretch(1);
    form->addRow(QString(), clearRow);
    layout->addLayout(form);
    layout->addStretch(1);
    for (QLineEdit* edit : { from_value, to_value, venue_value })
        connect(edit, &QLineEdit::textEdited, this, &Invitation_Wizard::detailsEdited);
    connect(Date_picker, &QDateEdit::dateChanged, this, &Invitation_Wizard::datePickerAction);
    // Picking the date already shown (today, at first) changes nothing but is still a choice.
    connect(Date_picker->calendarWidget(), &QCalendarWidget::clicked, this, &Invitation_Wizard::datePickerAction);
    connect(Date_picker->calendarWidget(), &QCalendarWidget::activated, this, &Invitation_Wizard::datePickerAction);
    connect(Time_picker, &QTimeEdit::timeChanged, this, &Invitation_Wizard::timePickerAction);
    connect(clear_details_btn, &QPushButton::clicked, this, &Invitation_Wizard::Clear_Details_Click);
    return page;
}

QWidget* Invitation_Wizard::buildButtons()
{
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    Help_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("help-contents")), QStringLiteral("&Help"));
    Contact_us_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("mail-send")), QStringLiteral("Contact &Us"));
    Back_Btn = new QPushButton(QIcon::fromTheme(QStringLiteral("go-previous")), QStringLiteral("&Back"));
    Next_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("go-next")), QStringLiteral("&Next"));
    Cancel_btn = new QPushButton(QStringLiteral("Cancel"));
    Next_btn->setDefault(true);
    row->addWidget(Help_btn);
    row->addWidget(Contact_us_btn);
    row->addStretch(1);
    row->addWidget(Back_Btn);
    row->addWidget(Next_btn);
    row->addWidget(Cancel_btn);
    for (QPushButton* button : { Help_btn, Contact_us_btn, Back_Btn, Cancel_btn })
        button->setAutoDefault(false);
    connect(Help_btn, &QPushButton::clicked, this, &Invitation_Wizard::HelpClick);
    connect(Contact_us_btn, &QPushButton::clicked, this, [this] { host_.contactUs(); });
    connect(Back_Btn, &QPushButton::clicked, this, &Invitation_Wizard::Back_Click);
    connect(Next_btn, &QPushButton::clicked, this, &Invitation_Wizard::OK_Click);
    connect(Cancel_btn, &QPushButton::clicked, this, &Invitation_Wizard::CancelClick);
    return bar;
}

void Invitation_Wizard::fillSizeList()
{
    const QString category = Category_ComboBox->currentText();
    const QStringList names = host_.presetNames(category);
    const QSignalBlocker blocker(Size_List);
    Size_List->clear();
    for (int row = 0; row < names.size(); ++row) {
        const QSizeF size = host_.Get_My_card_Size_For(category, QStringLiteral("H"), row);
        Size_List->addItem(
            QStringLiteral("%1  (%2 × %3 mm)").arg(names[row], millimetres(size.width()), millimetres(size.height())));
    }
    Size_List->setCurrentRow(0);
    applyPresetSize();
}

void Invitation_Wizard::applyPresetSize()
{
    const int row = Size_List->currentRow();
    if (row < 0)
        return;
    const QString orientation = Preset_ComboBox->currentIndex() == 1 ? QStringLiteral("V") : QStringLiteral("H");
    const QSizeF size = host_.Get_My_card_Size_For(Category_ComboBox->currentText(), orientation, row);
    if (!size.isValid())
        return;
    width_Stepper->setValue(size.width());
    height_Stepper->setValue(size.height());
}
