#include "mail/Send_Mail.h"

#include "common/MessageBoxes.h"
#include "mail/Email_Setting.h"
#include "mail/MailHost.h"
#include "mailing/MailAddresses.h"
#include "mailing/MailHandoff.h"
#include "mailing/MailRun.h"
#include "mailing/Preferences.h"
#include "mailing/RecipientRows.h"
#include "mailing/SentMails.h"
#include "mailing/StoreMarks.h"
#include "platform/DialogService.h"
#include "widgets/Send_Modeless.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {
Send_Mail* instance = nullptr;

const QString defaultBaseName = QStringLiteral("QUONCard");
const QString noSenderText = QStringLiteral(
    "Please make sure that:\n1.Entered E-mail Settings are correct.\n2.Internet Connectivity to E-mail server is not "
    "interrupted and E-mail server is not down.\n3.Your firewall or security software(if any) is not blocking the "
    "software to communicate with your E-mail server.");

// Reserved characters are taken off the ends of a file name only, as the name has always been cleaned.
QString Remove_Reserve_Char_In_File_Name(QString name)
{
    static const QString reserved = QStringLiteral("/\\?%*|\"<>");
    while (!name.isEmpty() && reserved.contains(name.front()))
        name.remove(0, 1);
    while (!name.isEmpty() && reserved.contains(name.back()))
        name.chop(1);
    return name;
}

// The questions the rows' addresses raise against the recipients of a run that mails the card;
// none once `stop` is set.
QList<RecipientQuestion> rowQuestions(
    const MailJob& job, const QList<QStringList>& columns, const std::atomic<bool>& stop)
{
    const RowAddresses rows(columns, &stop);
    if (stop)
        return {};
    QList<RecipientQuestion> questions;
    switch (job.mode) {
    case MailJob::Mode::RowPerRecipient:
        // A row's card goes to the recipient at its place in the list: a list in another order
        // than the rows' own addresses, or a mistyped one, mails people cards not theirs.
        questions << misdirectedCardsQuestion(misdirectedCards(job.recipients, rows));
        break;
    case MailJob::Mode::AllRows:
        questions << otherRowsCardsQuestion(otherRowsCardsToRowPeople(job.recipients, rows));
        break;
    case MailJob::Mode::CurrentCard:
        // One card, the one shown, goes to every recipient and no row's card is mailed: a row
        // whose "@" gives no address leaves nothing unchecked.
        return { shownCardQuestion(shownCardToOtherRows(job.recipients, rows)) };
    case MailJob::Mode::WithoutCard:
        return {};
    }
    questions << unreadableRowsQuestion(rows.unreadableRows());
    return questions;
}
} // namespace

Send_Mail::Send_Mail(MailHost& host, Email_Setting& settings, QWidget* parent)
    : QDialog(parent)
    , host_(host)
    , settings_(settings)
    , msend_modTimer(new QTimer(this))
{
    buildForm();
    msend_modTimer->setInterval(500);
    connect(msend_modTimer, &QTimer::timeout, this, &Send_Mail::update_sending_progress_bar);
    connect(&worker_, &WorkerThread::finished, this, &Send_Mail::finishRun);
    instance = this;
}

Send_Mail::~Send_Mail()
{
    if (worker_.isRunning()) {
        progress_.stopRequested = true;
        progress_.release();
    }
    if (instance == this)
        instance = nullptr;
}

Send_Mail* Send_Mail::defaultInstance()
{
    return instance;
}

int Send_Mail::Open_Wnd()
{
    matrix_card_side->button(1)->setChecked(true);
    card_side_str = QStringLiteral("F");
    // A one-sided card has no back to mail.
    matrix_card_side->button(0)->setEnabled(host_.twoSidedCard());
    matrix_card_side->button(2)->setEnabled(host_.twoSidedCard());
    // The account comes from the settings file: a file that cannot be read is told, not passed over.
    if (const auto preferences = Preferences::sharedInstance(); !preferences->readProblem().isEmpty())
        Show_MessageBox_With_Reason(Preferences::unreadableMessage(), preferences->readProblem());
    from_txt->setText(host_.emailAccount().sender);
    to_txt->clear();
    rd_all_to_every->setEnabled(false);
    rd_one_per_recp->setEnabled(false);
    rd_mail_curr_barcode->setChecked(true);
    send_sett_box->setEnabled(true);
    file_name_txt->setText(defaultBaseName);
    const MailHost::BatchState batch = host_.Check_Series_Or_Excel_Use_or_not();
    send_with_batch_chk->setEnabled(batch.Use_Data_Sheet_Values);
    send_with_excel_chk->setEnabled(batch.Use_Excel_Binding_Values);
    send_with_batch_chk->setChecked(false);
    send_with_excel_chk->setChecked(false);
    rd_all_to_every->setChecked(true);
    subject_txt->clear();
    message_txt->clear();
    attachment->clear();
    browse_att->setEnabled(false);
    clear_att->setEnabled(false);
    delayed_delv_chk->setChecked(false);
    delayed_box->setEnabled(false);
    mail_count_txt->setValue(1);
    hour_txt->setValue(0);
    min_text->setValue(0);
    sec_txt->setValue(0);
    to_txt->setFocus();
    mailAtLastSend_ = typedMail();
    const int result = dialogs().runModal(*this);
    hide();
    return result;
}

QStringList Send_Mail::typedMail() const
{
    return { to_txt->text(), subject_txt->text(), message_txt->toPlainText() };
}

void Send_Mail::reject()
{
    if (!worker_.isRunning()) {
        // An e-mail typed and not sent is the user's own words: closing asks first, and
        // Cancel, the default, keeps the window open with them.
        if (typedMail() != mailAtLastSend_
            && dialogs().askSafeChoice(
                   QStringLiteral(
                       "The e-mail you typed has not been sent. Do you want to close the window and discard it?"),
                   { QStringLiteral("Discard"), QStringLiteral("Cancel") }, 1)
                != 0)
            return;
        QDialog::reject();
        return;
    }
    // Closing while a run goes on is Stop, asked as the progress sheet asks; the window
    // closes when the run has ended.
    if (!progress_.stopRequested) {
        if (Send_Modeless* sheet = Send_Modeless::defaultInstance())
            sheet->Stop_Sending_Pressed();
    }
    if (progress_.stopRequested)
        closeWhenRunEnds_ = true;
}

void Send_Mail::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // A window manager may raise this window over its progress sheet (a click on the main
    // window brings the modal window up): the sheet stays on top while the run goes on.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && worker_.isRunning())
        if (Send_Modeless* sheet = Send_Modeless::defaultInstance(); sheet && sheet->isVisible())
            sheet->raise();
}

void Send_Mail::stopRunAndClose()
{
    if (!worker_.isRunning())
        return;
    progress_.stopRequested = true;
    progress_.release(); // a Stop question still open holds nothing now
    closeWhenRunEnds_ = true;
}

void Send_Mail::Without_barcode_rd_select()
{
    rd_without_barcode->setChecked(true);
    send_sett_box->setEnabled(false);
    browse_att->setEnabled(true);
    clear_att->setEnabled(true);
}

void Send_Mail::send_barcode_rd_select()
{
    rd_mail_curr_barcode->setChecked(true);
    send_sett_box->setEnabled(true);
    const MailHost::BatchState batch = host_.Check_Series_Or_Excel_Use_or_not();
    send_with_batch_chk->setEnabled(batch.Use_Data_Sheet_Values);
    if (!batch.Use_Data_Sheet_Values)
        send_with_batch_chk->setChecked(false);
    send_with_excel_chk->setEnabled(batch.Use_Excel_Binding_Values);
    if (!batch.Use_Excel_Binding_Values)
        send_with_excel_chk->setChecked(false);
    const bool anyBatch = send_with_batch_chk->isChecked() || send_with_excel_chk->isChecked();
    rd_all_to_every->setEnabled(anyBatch);
    rd_one_per_recp->setEnabled(anyBatch);
    browse_att->setEnabled(false);
    clear_att->setEnabled(false);
}

void Send_Mail::send_with_batch_chk_select()
{
    const bool anyBatch = send_with_batch_chk->isChecked() || send_with_excel_chk->isChecked();
    rd_all_to_every->setEnabled(anyBatch);
    rd_one_per_recp->setEnabled(anyBatch);
}

void Send_Mail::send_with_excel_chk_select()
{
    send_with_batch_chk_select();
}

void Send_Mail::delayed_delv_chk_select()
{
    delayed_box->setEnabled(delayed_delv_chk->isChecked());
}

void Send_Mail::mail_card_side_CellClick()
{
    const int row = matrix_card_side->checkedId();
    card_side_str = row == 0 ? QStringLiteral("BOTH") : row == 1 ? QStringLiteral("F") : QStringLiteral("B");
}

void Send_Mail::Setting_Button()
{
    settings_.Open_Wnd();
    host_.Get_Email_Details();
    from_txt->setText(host_.emailAccount().sender);
}

void Send_Mail::browse_att_Button()
{
    const QString path = dialogs().chooseOpenFile(QStringLiteral("Attach a File"), QString(), QString());
    if (!path.isEmpty())
        attachment->setText(path);
}

void Send_Mail::clear_att_Button()
{
    attachment->clear();
}

bool Send_Mail::prepareJob(MailJob& job)
{
    job.sender = from_txt->text().toLower().trimmed();
    if (job.sender.isEmpty()) {
        Show_MessageBox(noSenderText);
        return false;
    }
    const QString to = to_txt->text().trimmed();
    if (to.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please specify the Recipient E-mail address."));
        return false;
    }
    const QString refusal = QStringLiteral("Recipient E-mail address is invalid or incomplete.");
    // Kept as typed: the To: header shows each recipient as the person wrote it. A pasted list of
    // millions of characters takes a while to read.
    RecipientList recipients;
    std::atomic<bool> stopReading = false;
    host_.runBehindPleaseWait([&] { recipients = parseRecipients(to, &stopReading); }, stopReading);
    if (stopReading)
        return false;
    if (!recipients.isValid() || hasControlCharacters(subject_txt->text())) {
        if (recipients.notAnAddress.isEmpty())
            Show_MessageBox(refusal);
        else
            Show_MessageBox_With_Reason(refusal, notAnAddressReason(recipients.notAnAddress));
        return false;
    }
    job.recipients = recipients.recipients;
    job.subject = subject_txt->text();
    job.body = message_txt->toPlainText();
    if (bodyHasNul(job.body)) {
        Show_MessageBox(bodyNulMessage());
        return false;
    }
    const MailHost::Account account = host_.emailAccount();
    job.password = account.password;
    job.server = account.server;
    job.port = account.port;
    job.securityFlag = account.securityFlag;
    job.baseName = defaultBaseName;
    const bool withCard = rd_mail_curr_barcode->isChecked();
    if (withCard) {
        job.baseName = Remove_Reserve_Char_In_File_Name(file_name_txt->text()).trimmed();
        // A name that still holds a folder separator would write outside the run's folder.
        if (job.baseName.isEmpty() || job.baseName.contains(u'/')) {
            Show_MessageBox(QStringLiteral("Please enter valid file name."));
            return false;
        }
        // The name goes into every message's header.
        if (hasControlCharacters(job.baseName)) {
            Show_MessageBox(QStringLiteral("The file name of the attached cards holds a line break or a control "
                                           "character, which an e-mail cannot carry."));
            return false;
        }
    } else if (const QString problem = attachmentProblem(attachment->text().trimmed()); !problem.isEmpty()) {
        Show_MessageBox(problem);
        return false;
    }
    const MailHost::BatchState batch = host_.Check_Series_Or_Excel_Use_or_not();
    const bool series = batch.Use_Data_Sheet_Values && send_with_batch_chk->isChecked();
    const bool spreadsheet = batch.Use_Excel_Binding_Values && send_with_excel_chk->isChecked();
    if (delayed_delv_chk->isChecked()) {
        job.pauseEvery = mail_count_txt->value();
        job.pauseMs = hour_txt->value() * 3600000 + min_text->value() * 60000 + sec_txt->value() * 1000;
    }
    job.side = card_side_str;
    job.ownAttachment = attachment->text();
    if (!withCard)
        job.mode = MailJob::Mode::WithoutCard;
    else if (!series && !spreadsheet)
        job.mode = MailJob::Mode::CurrentCard;
    else
        job.mode = rd_all_to_every->isChecked() ? MailJob::Mode::AllRows : MailJob::Mode::RowPerRecipient;
    // What the mail script cannot write into a header is refused now, not half way through the run.
    QString unsendable;
    std::atomic<bool> stop = false;
    host_.runBehindPleaseWait(
        [&] { unsendable = recipientsTheScriptRefuses(job.recipients, [&] { return stop.load(); }); }, stop);
    if (stop)
        return false;
    if (!unsendable.isEmpty()) {
        Show_MessageBox_With_Reason(refusal, unsendable);
        return false;
    }
    return true;
}

void Send_Mail::Send_Button()
{
    if (worker_.isRunning())
        return;
    MailJob job;
    if (!prepareJob(job))
        return;
    if (job.mode != MailJob::Mode::WithoutCard && !host_.confirmRowsAreCurrent())
        return;
    const bool batch = job.mode == MailJob::Mode::AllRows || job.mode == MailJob::Mode::RowPerRecipient;
    const bool series = batch && send_with_batch_chk->isChecked();
    const bool spreadsheet = batch && send_with_excel_chk->isChecked();
    if (batch)
        job.batchRows = host_.batchCards(series, spreadsheet);
    QList<QByteArray> keys;
    if (!checkRowsAndKeyMails(job, series, spreadsheet, keys))
        return;
    RecordLookup record;
    if (!lookUpRecord(keys, record) || !askAboutMailsSentBefore(job, record))
        return;
    CardRenderer render;
    if (job.mode != MailJob::Mode::WithoutCard)
        render = host_.mailCardRenderer(series, spreadsheet, &job.batchRows);
    progress_.stopRequested = false;
    progress_.release(); // a question left open by the last run holds nothing now
    progress_.total = job.mails() - int(job.sentBefore.count(true));
    progress_.done = 0;
    {
        QMutexLocker lock(&pauseTextMutex_);
        pauseText_.clear();
    }
    closeWhenRunEnds_ = false;
    mailAtLastSend_ = typedMail();
    runSendsCards_ = job.mode != MailJob::Mode::WithoutCard;
    setRunning(true);
    Show_Create_Modeless();
    // Without a record only when the person chose to send without one.
    const std::shared_ptr<MailMarks> marks
        = record.store ? std::make_shared<StoreMarks>(record.store, keys, record.marks) : nullptr;
    worker_.start([this, job, render, marks] {
        const auto showPauseText = [this](const QString& text) {
            QMutexLocker lock(&pauseTextMutex_);
            pauseText_ = text;
        };
        result_ = runMailJob(job, render, scriptSender(job, progress_), progress_, showPauseText, marks.get());
    });
}

bool Send_Mail::checkRowsAndKeyMails(const MailJob& job, bool series, bool spreadsheet, QList<QByteArray>& keys)
{
    bool checkRows = job.mode != MailJob::Mode::WithoutCard;
    if (checkRows && !host_.goOnWithSources(series, spreadsheet))
        return false;
    const auto goOn = [](const RecipientQuestion& asked) {
        return asked.isEmpty() || dialogs().askGoOnOrCancel(asked.text, QStringLiteral("Send Anyway"), asked.details);
    };
    int cardRows = job.batchRows;
    if (job.mode == MailJob::Mode::CurrentCard) {
        // A card bound to rows shows the first row's values: that person's card.
        const MailHost::BatchState bound = host_.Check_Series_Or_Excel_Use_or_not();
        checkRows = bound.Use_Data_Sheet_Values || bound.Use_Excel_Binding_Values;
        series = bound.Use_Data_Sheet_Values;
        spreadsheet = bound.Use_Excel_Binding_Values;
        cardRows = checkRows ? 1 : 0;
    }
    // Recipients past the last row would get nothing while the others get their cards.
    if (job.mode == MailJob::Mode::RowPerRecipient && job.recipients.size() > job.batchRows
        && !goOn(recipientsWithoutRowQuestion(job.recipients, job.batchRows)))
        return false;
    // Long cells of many rows take a while to read and to key: here only what the work reads is
    // gathered, and the work runs behind the please-wait sheet.
    const QList<QStringList> columns = checkRows ? host_.rowValueColumns(series, spreadsheet) : QList<QStringList>();
    const MailHost::CardValuesOfRow cardValuesOf
        = cardRows > 0 ? host_.cardValuesOfRows(series, spreadsheet) : MailHost::CardValuesOfRow();
    QList<RecipientQuestion> questions;
    std::atomic<bool> stop = false;
    host_.runBehindPleaseWait(
        [&] {
            if (checkRows)
                questions = rowQuestions(job, columns, stop);
            QList<QStringList> cards;
            cards.reserve(cardRows);
            for (int row = 0; row < cardRows && !stop; ++row)
                cards << cardValuesOf(row);
            keys = mailKeys(job, cards, &stop);
        },
        stop);
    // The rows' questions come first, then the record's about mails sent before.
    return !stop && std::all_of(questions.begin(), questions.end(), goOn);
}

bool Send_Mail::lookUpRecord(const QList<QByteArray>& keys, RecordLookup& found)
{
    std::atomic<bool> stop = false;
    host_.runBehindPleaseWait(
        [&] {
            auto store = std::make_shared<SentMailStore>(
                SentMailStore::defaultPath(), thisProcessOwner(), SentMailStore::defaultOldFilesFolder(), &stop);
            if (std::optional<SentMailStore::Marks> marks = store->marks(keys, &found.problem, &stop)) {
                found.store = std::move(store);
                found.marks = std::move(*marks);
                found.doubt = found.store->doubt();
            }
        },
        stop);
    return !stop;
}

bool Send_Mail::askAboutMailsSentBefore(MailJob& job, const RecordLookup& found)
{
    // A record that cannot be used is never taken for an empty one: Cancel is the default.
    if (!found.store)
        return dialogs().askGoOnOrCancel(recordUnusableQuestion(found.problem), QStringLiteral("Send Anyway"));
    const bool anyInRecord
        = std::any_of(found.marks.begin(), found.marks.end(), [](const auto& mark) { return bool(mark); });
    if (!anyInRecord && found.doubt.isEmpty())
        return true;
    // Cancel is the default: neither answer that sends is taken by a stray Enter.
    const SentBeforeQuestion asked
        = sentBeforeQuestion(job, found.marks, found.doubt, found.store->owner(), QDateTime::currentMSecsSinceEpoch());
    const int cancel = int(asked.answers.size()) - 1;
    const int answer = dialogs().askSafeChoiceWithDetails(asked.text, asked.answers, cancel, asked.details);
    if (answer < 0 || answer == cancel)
        return false;
    if (answer == 0 && asked.answers.size() == 3)
        job.sentBefore = asked.inRecord;
    else if (anyInRecord)
        job.again = asked.inRecord;
    return true;
}

void Send_Mail::finishRun()
{
    const MailRunResult result = std::exchange(result_, MailRunResult());
    Hide_Destroy_Modeless();
    setRunning(false);
    // A run without the card sent no card, whatever an earlier run's cards showed.
    const CardProblemRows problems = runSendsCards_ ? host_.lastRunProblems() : CardProblemRows();
    QStringList details { mailRunDetails(result), problems.details() };
    details.removeAll(QString());
    Show_MessageBox_With_Details(problems.appendedTo(mailRunMessage(result)), details.join(u'\n'));
    emit runFinished(result.allSent());
    if (std::exchange(closeWhenRunEnds_, false))
        QDialog::reject();
}

void Send_Mail::setRunning(bool running)
{
    form_->setEnabled(!running);
    send_button_->setEnabled(!running);
}

void Send_Mail::Show_Create_Modeless()
{
    if (Send_Modeless* sheet = Send_Modeless::defaultInstance()) {
        // The sheet belongs to the main window; while this modal window runs, only a sheet
        // over this window can take the Stop click.
        sheetOwner_ = sheet->parentWidget();
        sheet->setParent(this, sheet->windowFlags());
        sheet->follow(progress_, QStringLiteral("E-mails"));
        // Over this window but not blocking it: closing it stops the run as well.
        sheet->setWindowModality(Qt::NonModal);
        sheet->show();
        sheet->raise();
    }
    msend_modTimer->start();
}

void Send_Mail::Hide_Destroy_Modeless()
{
    msend_modTimer->stop();
    if (Send_Modeless* sheet = Send_Modeless::defaultInstance()) {
        sheet->setPauseText(QString());
        sheet->finish();
        sheet->hide();
        sheet->setParent(sheetOwner_, sheet->windowFlags());
        sheet->setWindowModality(Qt::WindowModal); // as the main window's runs show it
    }
}

void Send_Mail::update_sending_progress_bar()
{
    QString text;
    {
        QMutexLocker lock(&pauseTextMutex_);
        text = pauseText_;
    }
    if (Send_Modeless* sheet = Send_Modeless::defaultInstance())
        sheet->setPauseText(text);
}
