// Memory and processor seconds to read a pasted To list, as Send reads the To field: 50 million
// "@" on one line, 25 million "@" parted by commas, and a million plain addresses. Each list is
// read in a process of its own, so that each peak is its own; the peak is shown above what the
// process held with the text made, and as a multiple of the text's size.
#include "ProcessorTime.h"
#include "ResidentMemory.h"

#include "mailing/MailAddresses.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace {

void measure(const char* title, const std::function<QString()>& makeList)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child != 0) {
        int status = 0;
        waitpid(child, &status, 0);
        return;
    }
    const QString list = makeList();
    const long before = residentKiB();
    const double start = processorSeconds();
    const RecipientList read = parseRecipients(list);
    const double seconds = processorSeconds() - start;
    const double textMiB = list.size() * sizeof(QChar) / 1048576.0;
    const double aboveMiB = (peakResidentKiB() - before) / 1024.0;
    std::printf("%-40s text %7.1f MiB | read %6.2f s | peak above the text %8.1f MiB (%.1fx) | %lld recipients%s\n",
        title, textMiB, seconds, aboveMiB, aboveMiB / textMiB, static_cast<long long>(read.recipients.size()),
        read.isValid() ? "" : ", refused");
    std::fflush(stdout);
    _exit(0);
}

} // namespace

int main()
{
    measure("50 million \"@\" on one line:", [] { return QString(50000000, u'@'); });
    measure("25 million \"@\" parted by commas:", [] {
        QString list;
        list.reserve(50000000);
        for (int i = 0; i < 25000000; ++i)
            list += QStringLiteral("@,");
        return list;
    });
    measure("a million plain addresses:", [] {
        QString list;
        for (int i = 0; i < 1000000; ++i)
            list += QStringLiteral("member%1@club.example, ").arg(i);
        return list;
    });
    return 0;
}
