#pragma once

#include <QPlainTextEdit>

// The To field: a list of recipients of any length. A long pasted list is put in short lines
// of a few recipients, so that what a keystroke lays out again is one short line, not the
// whole list, and the undo history keeps the paste as one step, not a step per character.
class RecipientsEdit : public QPlainTextEdit
{
public:
    explicit RecipientsEdit(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString& text) { setPlainText(text); }

protected:
    void insertFromMimeData(const QMimeData* source) override;
};
