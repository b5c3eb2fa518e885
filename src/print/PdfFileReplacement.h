#pragma once

#include <QString>

#include <memory>

class QTemporaryFile;

// A PDF written beside the file the person chose and moved over it only once it is whole,
// so a print that fails or is stopped leaves an earlier file as it was.
class PdfFileReplacement
{
public:
    explicit PdfFileReplacement(QString destination);
    ~PdfFileReplacement(); // removes the partial file unless it was committed

    // Reserves the partial file in the destination's folder; false (with a reason) when the
    // folder takes no new file.
    bool prepare();
    QString partialPath() const;
    // Moves the partial file over the destination when it holds a whole PDF; false (with a
    // reason) otherwise, and the destination stays as it was.
    bool commit();
    QString errorString() const { return error_; }

private:
    QString destination_;
    std::unique_ptr<QTemporaryFile> partial_;
    QString error_;
};
