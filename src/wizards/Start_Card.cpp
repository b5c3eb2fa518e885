#include "wizards/Start_Card.h"

#include "common/FileHelpers.h"
#include "model/CardGlobals.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Start_Card::Start_Card(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Start a New Card"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("How would you like to begin?"));
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);
    layout->addSpacing(16);

    const auto choice = [layout](const QString& icon, const QString& text, const QString& tip) {
        auto* button = new QPushButton(QIcon::fromTheme(icon), text);
        button->setToolTip(tip);
        button->setMinimumSize(320, 48);
        layout->addWidget(button, 0, Qt::AlignHCenter);
        return button;
    };
    Using_Template_btn = choice(QStringLiteral("document-new-from-template"), QStringLiteral("Start from a &Template"),
        QStringLiteral("Choose a ready-made design and change it"));
    Using_Wizard_btn = choice(QStringLiteral("document-new"), QStringLiteral("Use the &Invitation Wizard"),
        QStringLiteral("Design a new invitation step by step"));
    Open_Log_btn = choice(QStringLiteral("document-open"), QStringLiteral("&Open a Saved Design..."),
        QStringLiteral("Continue with a design saved earlier"));
    connect(Using_Template_btn, &QPushButton::clicked, this, &Start_Card::Using_Template_Click);
    connect(Using_Wizard_btn, &QPushButton::clicked, this, &Start_Card::Using_Wizard_Click);
    connect(Open_Log_btn, &QPushButton::clicked, this, &Start_Card::Open_Log_Click);
    layout->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Help);
    QPushButton* exit = buttons->addButton(QStringLiteral("E&xit"), QDialogButtonBox::RejectRole);
    exit->setIcon(QIcon::fromTheme(QStringLiteral("application-exit")));
    exit->setToolTip(QStringLiteral("Quit the program"));
    connect(buttons, &QDialogButtonBox::rejected, this, &Start_Card::CancelClick);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &Start_Card::HelpClick);
    layout->addWidget(buttons);
    // Enter takes the choice that has the focus, the first one at the start; never Help or Exit.
    for (QAbstractButton* button : buttons->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);
    }
    Using_Template_btn->setDefault(true);
    Using_Template_btn->setFocus();
}

void Start_Card::Using_Template_Click()
{
    Select_card_option(0);
}

void Start_Card::Using_Wizard_Click()
{
    Select_card_option(1);
}

void Start_Card::Open_Log_Click()
{
    Select_card_option(2);
}

void Start_Card::Select_card_option(int option)
{
    if (option == 0)
        Start_Card_Option = QStringLiteral("T");
    else if (option == 1)
        Start_Card_Option = QStringLiteral("W");
    else if (option == 2)
        Start_Card_Option = QStringLiteral("L");
    OK_Click();
}

void Start_Card::OK_Click()
{
    done(1);
}

void Start_Card::CancelClick()
{
    // The caller ends the program with status 0 when the start dialog returns 0.
    Start_Card_Option = QString(QLatin1String(""));
    done(0);
}

void Start_Card::HelpClick()
{
    Open_Help_File();
}
