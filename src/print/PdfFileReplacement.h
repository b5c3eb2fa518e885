#pragma once

#include <QString>

#include <memory>

class OwnTemporaryFile;

// A print to a PDF file: Qt's printer writes only to a named file and reports no failed
// write, so the job goes into a private temporary file first and only a whole PDF is then
// written over the chosen file by the checked writer. A print that fails or is stopped leaves
// an earlier file as it was.
class PdfFileReplacement
{
public:
    explicit PdfFileReplacement(QString destination);
    ~PdfFileReplacement(); // removes the temporary file

    // Makes the temporary file, after checking that the destination's folder takes files and
    // that the destination is not read-only; false (with the system's reason) otherwise.
    bool prepare();
    // Where the printer writes.
    QString partialPath() const;
    // Writes the printed PDF over the destination when it is whole; false (with a reason)
    // otherwise, and the destination stays as it was.
    bool commit();
    // Removes the temporary file now: a stopped print keeps none while its message is read.
    void discard();
    QString errorString() const { return error_; }

private:
    QString destination_;
    std::unique_ptr<OwnTemporaryFile> partial_;
    QString error_;
};
