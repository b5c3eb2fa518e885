#pragma once

#include <QString>
#include <QStringList>

#include <set>
#include <utility>

// The files already there that a run would write over, each once however many of the run's
// names lead to it: a link counts as the file it leads to, and so do a path through ".." or a
// name in another case on a file system that ignores case. Plain code, so a worker fills it.
class ReplacedFiles
{
public:
    // Notes what lies at path when it is a file; nothing when there is none (a link leading
    // nowhere is replaced by a new file and loses nothing).
    void add(const QString& path);
    bool isEmpty() const { return paths_.isEmpty(); }
    qsizetype size() const { return paths_.size(); }
    // As the run names them, in the order added.
    const QStringList& paths() const { return paths_; }

    // "\"a.png\" already exists. Do you want to replace it?", or for several the first five
    // names, how many more, and "already exist. Do you want to replace them?".
    QString question() const;
    // Every file by name, a link with the file it leads to; "" when the question says it all.
    QString details() const;

private:
    QStringList paths_;
    QStringList leadsTo_; // the file a link among paths_ leads to, "" for a plain file
    std::set<std::pair<quint64, quint64>> seen_; // device and inode
};

// Asks once, No the default, before the files are replaced; true when there are none or the
// person said Yes.
bool askToReplace(const ReplacedFiles& files);
