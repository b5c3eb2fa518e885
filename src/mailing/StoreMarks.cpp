#include "mailing/StoreMarks.h"

#include <QRandomGenerator>

#include <utility>

StoreMarks::StoreMarks(std::shared_ptr<SentMailStore> store, QList<QByteArray> keys, SentMailStore::Marks seen)
    : store_(std::move(store))
    , keys_(std::move(keys))
    , seen_(std::move(seen))
    // Random, so that no two runs of any copies share one: 0 stays for mails read in.
    , run_(qint64(QRandomGenerator::global()->generate64() >> 1) | 1)
{ }

MailMarks::Going StoreMarks::going(int mail, QString* why)
{
    return store_->markGoing(keys_.at(mail), seen_.value(mail), run_, why);
}

bool StoreMarks::sent(int mail, QString* why)
{
    return store_->markSent(keys_.at(mail), run_, why);
}

bool StoreMarks::notSent(int mail, QString* why)
{
    return store_->markNotSent(keys_.at(mail), run_, why);
}
