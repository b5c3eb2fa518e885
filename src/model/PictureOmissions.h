#pragma once

#include <QString>

#include <mutex>
#include <vector>

// The pictures that PictureFile::load leaves out, with the reason, noted while a log lives, so
// that whoever opens a design can name them all at once. Loads on any thread are noted.
class PictureOmissions
{
public:
    struct Omission
    {
        QString path;
        QString reason;
    };

    // Notes the pictures left out from now until it is destroyed. Logs nest: the innermost
    // notes them.
    PictureOmissions();
    ~PictureOmissions();
    PictureOmissions(const PictureOmissions&) = delete;
    PictureOmissions& operator=(const PictureOmissions&) = delete;

    // Each picture once, in the order first left out.
    std::vector<Omission> omissions() const;

    // Called by the loader for every picture file it names but does not hand out.
    static void note(const QString& path, const QString& reason);

private:
    mutable std::mutex mutex_;
    std::vector<Omission> omissions_;
    PictureOmissions* outer_;
};
