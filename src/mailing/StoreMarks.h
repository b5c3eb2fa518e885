#pragma once

#include "mailing/MailRun.h"
#include "mailing/SentMailStore.h"

#include <memory>

// A run's marks in the record of mails sent: each mail by its key, compared with the mark
// seen when the person was asked, under a number of its own for the run.
class StoreMarks : public MailMarks
{
public:
    StoreMarks(std::shared_ptr<SentMailStore> store, QList<QByteArray> keys, SentMailStore::Marks seen);

    Going going(int mail, QString* why) override;
    bool sent(int mail, QString* why) override;
    bool notSent(int mail, QString* why) override;

private:
    std::shared_ptr<SentMailStore> store_;
    QList<QByteArray> keys_;
    SentMailStore::Marks seen_;
    qint64 run_;
};
