// Another Galavite at a design, started by the tests. At each line on standard input it opens
// the design named on its command line ("open") or closes it ("close"), and says what it was
// told: "alone", "open in HOST PID", "may be open in HOST PID" (another computer's),
// "unknown: REASON" or "closed". At the end of its input it closes the design
// and returns 0.
#include "platform/DesignLock.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const QString design = QString::fromLocal8Bit(argv[1]);
    DesignLock lock;
    char line[16];
    while (std::fgets(line, sizeof line, stdin)) {
        if (std::strcmp(line, "open\n") == 0) {
            const DesignLock::Finding found = lock.lock(design);
            if (const auto& holder = found.other)
                std::printf("%sopen in %s %lld\n", holder->mayHaveEnded ? "may be " : "",
                    holder->host.toUtf8().constData(), static_cast<long long>(holder->pid));
            else if (!found.unknownBecause.isEmpty())
                std::printf("unknown: %s\n", found.unknownBecause.toUtf8().constData());
            else
                std::printf("alone\n");
        } else {
            lock.release();
            std::printf("closed\n");
        }
        std::fflush(stdout);
    }
    return 0;
}
