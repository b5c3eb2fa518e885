#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

class SharedImages;

// Picture files as card objects see them: sizes in points, where a file that states no
// resolution counts as 72 dpi.
class PictureFile
{
public:
    // Budget of the decoded pictures that the program holds at once.
    static constexpr qint64 decodedBudget = qint64(1024) * 1024 * 1024;

    // Why load handed out no picture.
    enum class Refusal
    {
        None,
        Unreadable, // missing, or not a picture that can be read
        TooLarge, // its pixels alone would pass the budget
        NoRoom, // the pictures in use fill the budget: it may be read once they are given back
    };

    // Reads the picture at the standardized path (~ expanded, "." and ".." removed); a
    // design's path into another installation's Resources folder is looked up in ours.
    // A null image when the file is missing, not a readable picture or refused for the budget
    // (logged, and the reason in error and its kind in refusal when asked). Every reader of
    // one unchanged file (same path, size, times and inode) shares one decoded copy, and
    // readers asking for it while it is decoded wait for that copy; safe to call from any
    // thread.
    static QImage load(const QString& path, QString* error = nullptr, Refusal* refusal = nullptr);

    // Has Qt's readers take the budget as their largest picture: their own limit of 128 MB
    // refuses a phone's 48-megapixel photo. Done at start-up, and by the first load at the latest.
    static void applyBudgetToReaders();

    // The decoded pictures that load shares.
    static SharedImages& decodedPictures();
    // The pictures after their effects, shared by the objects showing one picture with the
    // same effects.
    static SharedImages& processedPictures();
    // Gives back the memory of the kept pictures that nothing uses any more, as when a design
    // closes.
    static void releaseUnused();

    // The picture's size in points from its pixel size and resolution.
    static QSizeF sizeInPoints(const QImage& image);

    // The path with "~" expanded and "." taken out; a full path's ".." as the system takes it
    // (see systemPath), a relative path's kept for the folder it is read from.
    static QString standardizedPath(const QString& path);
};
