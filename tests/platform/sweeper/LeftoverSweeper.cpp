// Another program at a folder of leftovers, started by the tests. It says "ready", then at
// each line on standard input either sweeps the folder ("sweep") or opens its temporary files
// as a backup or search tool would ("open"), and says "done". It returns 0 at the end of its
// input, so a test that sees it end otherwise knows it was killed.
#include "platform/OwnTemporaryFile.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace {

// Opens the temporary files in random order, again and again, until none is left or after a
// few rounds over what the sweeps kept: many of its opens fall while a sweep is at the file.
void openEveryTemporaryFile(const QByteArray& folder)
{
    QList<QByteArray> names;
    if (DIR* listing = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(listing))
            if (isOwnTemporaryName(QFile::decodeName(entry->d_name)))
                names.append(folder + '/' + entry->d_name);
        ::closedir(listing);
    }
    std::mt19937 random(std::random_device {}());
    for (int round = 0; round < 20 && !names.isEmpty(); ++round) {
        std::shuffle(names.begin(), names.end(), random);
        QList<QByteArray> left;
        for (const QByteArray& name : names) {
            const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
            if (fd >= 0) {
                ::close(fd);
                left.append(name);
            }
        }
        names = left;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool sweeps = argc == 3 && std::strcmp(argv[1], "sweep") == 0;
    if (argc != 3 || (!sweeps && std::strcmp(argv[1], "open") != 0))
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[2]);
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    while (std::fgets(line, sizeof line, stdin)) {
        if (sweeps)
            removeStaleTemporaries(folder);
        else
            openEveryTemporaryFile(QFile::encodeName(folder));
        std::printf("done\n");
        std::fflush(stdout);
    }
    return 0;
}
