// Starts a checked write of the file named on its command line and stalls in the middle of
// it, after saying "writing" on standard output, so that a test can kill it there.
#include "platform/CheckedWrite.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    return writeFileChecked(path,
               [](QIODevice& device) {
                   const QByteArray block(1024 * 1024, 'n');
                   if (device.write(block) != block.size())
                       return false;
                   std::printf("writing\n");
                   std::fflush(stdout);
                   for (;;)
                       ::pause();
                   return true;
               })
        ? 0
        : 1;
}
